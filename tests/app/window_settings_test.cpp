// What the window remembers across a restart (in process, through a settings file of the
// test's own), and settings files it cannot use; the search box's list and its keys.
#include <windows.h>
// After <windows.h>:
#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "app/UiText.h"
#include "app/WindowCommands.h"
#include "support/TempFolder.h"

namespace {

// Whether a dialog of the test's own thread is open (other test programs run alongside).
bool DialogOfThisThread() {
  bool found = false;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM p) -> BOOL {
        char name[16] = {};
        GetClassNameA(w, name, sizeof name);
        if (std::string(name) == "#32770") *reinterpret_cast<bool*>(p) = true;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

class SettingsWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {}  // each test starts its window with its settings file
  void Restart() {
    TearDown();
    Start("", ini_.c_str());
  }
  // The texts of the search box's list, the newest first.
  std::vector<std::string> Offered() const {
    std::vector<std::string> texts;
    const LRESULT count = SendMessageA(State().searchList, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char text[300] = {};
      SendMessageA(State().searchList, CB_GETLBTEXT, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(text));
      texts.push_back(text);
    }
    return texts;
  }
  std::string RecentItem(int position) const {
    char text[MAX_PATH + 8] = {};
    GetMenuStringA(State().recentMenu, static_cast<UINT>(position), text, sizeof text,
                   MF_BYPOSITION);
    return text;
  }
  RECT Outer() const {
    RECT r{};
    GetWindowRect(Window(), &r);
    return r;
  }

  TempFolder folder_{"settings_window"};
  std::string ini_ = folder_.PathOf("appdata\\Linsift\\linsift.ini");
};

TEST_F(SettingsWindowTest, PlaceSearchesOptionsFolderAndRecentFilesSurviveARestart) {
  Start("", ini_.c_str());
  SetWindowPos(Window(), nullptr, 40, 50, 700, 520, SWP_NOZORDER);
  for (int i = 1; i <= 21; ++i) {
    SetSearch("s" + std::to_string(i));
    Press(ids::kExtract);
  }
  SetSearch("s5");  // again: it moves to the top, not in twice
  Key(Window(), State().searchBox, VK_RETURN);
  const std::string a = folder_.Write("a.txt", "apple\r\n");
  const std::string b = folder_.Write("b&c.txt", "banana\r\n");
  ASSERT_TRUE(LoadFile(State(), a.c_str()));
  ASSERT_TRUE(LoadFile(State(), b.c_str()));
  SendMessageA(State().regexOption, BM_CLICK, 0, 0);  // 正規表現 ticked
  Restart();

  const RECT outer = Outer();
  EXPECT_EQ(outer.left, 40);
  EXPECT_EQ(outer.top, 50);
  EXPECT_EQ(outer.right - outer.left, 700);
  EXPECT_EQ(outer.bottom - outer.top, 520);
  const std::vector<std::string> offered = Offered();
  ASSERT_EQ(offered.size(), 20u);
  EXPECT_EQ(offered[0], "s5");
  EXPECT_EQ(offered[1], "s21");
  EXPECT_EQ(offered[19], "s2") << "s1 was the oldest of 21";
  EXPECT_TRUE(SearchOptions(State()).regex);
  EXPECT_FALSE(SearchOptions(State()).ignoreCase);
  EXPECT_EQ(RecentItem(0), "&1 " + folder_.PathOf("b&&c.txt")) << "& shows as itself";
  EXPECT_EQ(RecentItem(1), "&2 " + a);
  EXPECT_STREQ(State().openDialog.lpstrInitialDir, (folder_.Path().string() + "\\").c_str());

  // A recent file opens from the menu; one that is gone says so and leaves the list.
  Press(ids::kRecentFile + 1);
  EXPECT_EQ(Pane(), "apple\r\n");
  EXPECT_EQ(RecentItem(0), "&1 " + a) << "the opened file comes first";
  DeleteFileA(b.c_str());
  Press(ids::kRecentFile + 1);
  EXPECT_EQ(Status(), Said(ui::kLoadMissing, "b&c.txt"));
  EXPECT_EQ(GetMenuItemCount(State().recentMenu), 1);
  EXPECT_EQ(Pane(), "apple\r\n");

  // Maximised, it comes back maximised, with its normal place kept beneath.
  ShowWindow(Window(), SW_MAXIMIZE);
  Restart();
  EXPECT_TRUE(IsZoomed(Window()));
  ShowWindow(Window(), SW_RESTORE);
  EXPECT_EQ(Outer().left, 40);
  EXPECT_EQ(Outer().right - Outer().left, 700);
}

// Files the window cannot use leave the defaults, never a box; one it cannot write stays as
// it was; a place that lies on no screen any more is not taken.
TEST_F(SettingsWindowTest, GarbageReadOnlyMissingAndOffScreenFilesChangeNothing) {
  struct Case {
    const char* name;
    std::string bytes;
    bool readOnly;
  } cases[] = {
      {"garbage", std::string("\x00\xff[Window]\nLeft=\x95\x5c\n\n=", 20), false},
      {"off screen", "[Window]\r\nLeft=30000\r\nTop=30000\r\nWidth=700\r\nHeight=500\r\n", false},
      {"read-only", "[Search]\r\nText1=ro\r\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CreateDirectoryA(folder_.PathOf("appdata").c_str(), nullptr);
    CreateDirectoryA(folder_.PathOf("appdata\\Linsift").c_str(), nullptr);
    SetFileAttributesA(ini_.c_str(), FILE_ATTRIBUTE_NORMAL);
    folder_.Write("appdata\\Linsift\\linsift.ini", c.bytes);
    if (c.readOnly) SetFileAttributesA(ini_.c_str(), FILE_ATTRIBUTE_READONLY);
    Start("", ini_.c_str());
    EXPECT_EQ(Outer().right - Outer().left, kWindowWidth);
    EXPECT_LT(Outer().left, 30000);
    EXPECT_EQ(Offered(), c.readOnly ? std::vector<std::string>{"ro"} : std::vector<std::string>{});
    SetSearch("new");
    Press(ids::kExtract);
    TearDown();
    EXPECT_FALSE(DialogOfThisThread()) << "no box";
    if (c.readOnly) {
      EXPECT_EQ(TempFolder::Read(ini_), c.bytes);
    }
    SetFileAttributesA(ini_.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  DeleteFileA(ini_.c_str());
  Start("", ini_.c_str());
  EXPECT_TRUE(Offered().empty()) << "missing";
  EXPECT_EQ(GetMenuItemCount(State().recentMenu), 1) << "the grayed (none) item";
}

// Ctrl+Z in the search box takes back its typing once, then undoes the document.
TEST_F(SettingsWindowTest, CtrlZInTheSearchBoxUndoesItsTypingNeverTheDocument) {
  Start();
  SetPane("apple\r\nbanana\r\n");
  SetSearch("an");
  Key(Window(), State().searchBox, VK_RETURN);
  ASSERT_EQ(Pane(), "banana\r\n");
  SendMessageA(State().searchBox, EM_SETSEL, 2, 2);
  SendMessageA(State().searchBox, WM_CHAR, 'x', 1);
  ASSERT_EQ(PaneText::ReadText(State().searchBox), "anx");
  Key(Window(), State().searchBox, 'Z', true);
  EXPECT_EQ(PaneText::ReadText(State().searchBox), "an");
  EXPECT_EQ(Pane(), "banana\r\n");
  Key(Window(), State().searchBox, 'Z', true);  // the box's own undo again, as an edit box does
  EXPECT_EQ(Pane(), "banana\r\n");
}

}  // namespace
