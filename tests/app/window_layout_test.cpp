// The main window as start-up makes it: class, caption, controls, menus and layout;
// and its end, in process and as linsift.exe.
#include <windows.h>
// After <windows.h>:
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "app/UiText.h"
#include "app/WindowLayout.h"

namespace {

TEST_F(MainWindowTest, WindowHasItsClassCaptionSizeAndControls) {
  char text[64] = {};
  GetClassNameA(Window(), text, sizeof text);
  EXPECT_STREQ(text, "LSTEXT");
  EXPECT_EQ(PaneText::ReadText(Window()), "Linsift");
  RECT outer{};
  GetWindowRect(Window(), &outer);
  EXPECT_EQ(outer.right - outer.left, kWindowWidth);
  EXPECT_EQ(outer.bottom - outer.top, kWindowHeight);

  // Every control: its class, identifier and text, and its place as the layout gives it (the
  // layout's own figures are pinned in layout_test.cpp). The search box is the edit part of
  // the list of remembered search texts.
  const WindowLayout layout(State().dpi);
  const WindowLayout::Box none{-1, -1, -1, -1};
  struct Control {
    HWND handle;
    const char* className;
    int id;
    const char* text;
    WindowLayout::Box box;
  };
  const Control controls[] = {
      {PaneHandle(), "Scintilla", ids::kTextPane, nullptr, none},
      {State().searchList, "ComboBox", ids::kSearchBox, nullptr, none},
      {State().statusBar, STATUSCLASSNAMEA, ids::kStatusBar, nullptr, none},
      {GetDlgItem(Window(), ids::kExtract), "Button", ids::kExtract, ui::kExtract,
       layout.Button(0)},
      {GetDlgItem(Window(), ids::kDelete), "Button", ids::kDelete, ui::kDelete, layout.Button(1)},
      {GetDlgItem(Window(), ids::kDeleteUpTo), "Button", ids::kDeleteUpTo, ui::kDeleteUpTo,
       layout.Button(2)},
      {GetDlgItem(Window(), ids::kCountMatches), "Button", ids::kCountMatches, ui::kCountMatches,
       layout.Button(3)},
      {State().regexOption, "Button", ids::kRegexOption, ui::kRegexOption, layout.Option(0)},
      {State().ignoreCaseOption, "Button", ids::kIgnoreCaseOption, ui::kIgnoreCaseOption,
       layout.Option(1)},
  };
  for (const Control& c : controls) {
    SCOPED_TRACE(c.id);
    ASSERT_NE(c.handle, nullptr);
    GetClassNameA(c.handle, text, sizeof text);
    EXPECT_STREQ(text, c.className);
    EXPECT_EQ(GetDlgCtrlID(c.handle), c.id);
    if (c.text != nullptr) {
      EXPECT_EQ(PaneText::ReadText(c.handle), c.text);
    }
    if (c.box.x < 0) continue;
    const RECT r = PlaceOf(c.handle);
    EXPECT_EQ(r.left, c.box.x);
    EXPECT_EQ(r.top, c.box.y);
    EXPECT_EQ(r.right - r.left, c.box.width);
    EXPECT_EQ(r.bottom - r.top, c.box.height);
  }
  GetClassNameA(State().searchBox, text, sizeof text);
  EXPECT_STREQ(text, "Edit");
  EXPECT_EQ(GetParent(State().searchBox), State().searchList);
  EXPECT_EQ(Pane(), "");
  EXPECT_EQ(Status(), "");
}

TEST_F(MainWindowTest, MenuBarHoldsTheFourPopupsWithTheirItems) {
  ASSERT_EQ(GetMenu(Window()), State().menuBar);
  ASSERT_EQ(GetMenuItemCount(State().menuBar), 4);
  struct Item {
    int id;  // 0: separator; -1: the recent-files submenu
    const char* text;
    bool grayed = false;
  };
  struct Popup {
    const char* caption;
    std::vector<Item> items;
  };
  const Popup popups[] = {
      {ui::kFileMenu,
       {{ids::kOpenFile, ui::kOpenItem},
        {-1, ui::kRecentMenu},
        {ids::kSaveAs, ui::kSaveAsItem},
        {0, ""},
        {ids::kExit, ui::kExitItem}}},
      // Nothing to undo or redo in a new window.
      {ui::kEditMenu,
       {{ids::kSelectAll, ui::kSelectAllItem},
        {ids::kCopyAll, ui::kCopyAllItem},
        {ids::kClearAndPaste, ui::kClearAndPasteItem},
        {ids::kClearPane, ui::kClearItem},
        {0, ""},
        {ids::kUndo, ui::kUndoItem, true},
        {ids::kRedo, ui::kRedoItem, true}}},
      {ui::kStringMenu,
       {{ids::kConvertSjis, ui::kSjisItem}, {ids::kConvertUrl, ui::kUrlDecodeItem}}},
      {ui::kVersionMenu, {{ids::kAbout, ui::kAboutItem}}},
  };
  char text[128];
  for (int pos = 0; pos < 4; ++pos) {
    const Popup& p = popups[pos];
    GetMenuStringA(State().menuBar, static_cast<UINT>(pos), text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(std::string(text), p.caption) << pos;
    HMENU popup = GetSubMenu(State().menuBar, pos);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(p.items.size())) << pos;
    for (size_t i = 0; i < p.items.size(); ++i) {
      const UINT state = GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
      if (p.items[i].id == 0) {
        EXPECT_TRUE(state & MF_SEPARATOR) << pos << "/" << i;
        continue;
      }
      EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(i)), static_cast<UINT>(p.items[i].id));
      if (p.items[i].id == -1) {
        EXPECT_EQ(GetSubMenu(popup, static_cast<int>(i)), State().recentMenu);
      }
      GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      EXPECT_EQ(std::string(text), p.items[i].text) << pos << "/" << i;
      EXPECT_EQ((state & (MF_GRAYED | MF_DISABLED)) != 0, p.items[i].grayed) << pos << "/" << i;
    }
  }
  EXPECT_EQ(GetSubMenu(State().menuBar, ids::kEditMenuPosition), State().editMenu);
}

// The pane runs from kPaneTop over the full client width down to the status bar.
TEST_F(MainWindowTest, PaneFillsTheSpaceBetweenButtonsAndStatusBarAfterResize) {
  for (const SIZE size : {SIZE{800, 600}, SIZE{500, 300}, SIZE{1000, 700}}) {
    SetWindowPos(Window(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(Window(), &client);
    const RECT pane = PlaceOf(PaneHandle());
    const RECT bar = PlaceOf(State().statusBar);
    EXPECT_EQ(pane.left, 0) << size.cx;
    EXPECT_EQ(pane.top, WindowLayout(State().dpi).PaneTop()) << size.cx;
    EXPECT_EQ(pane.right, client.right) << size.cx;
    EXPECT_EQ(bar.bottom, client.bottom) << "status bar along the bottom edge, " << size.cx;
    EXPECT_GT(bar.bottom - bar.top, 0);
    EXPECT_EQ(pane.bottom, bar.top) << size.cx;
  }
  // The buttons stay where they are.
  EXPECT_EQ(PlaceOf(GetDlgItem(Window(), ids::kCountMatches)).left,
            WindowLayout(State().dpi).Button(3).x);
}

TEST_F(MainWindowTest, ClientTooLowForThePaneGivesItNoHeight) {
  SendMessageA(Window(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 20));
  RECT pane{};
  GetWindowRect(PaneHandle(), &pane);
  EXPECT_EQ(pane.bottom - pane.top, 0);
  EXPECT_EQ(pane.right - pane.left, 300);
}

TEST_F(MainWindowTest, ExitDestroysTheWindowAndQuitsWithCodeZero) {
  HWND window = Window();
  SetPane("unsaved text\r\n");
  Press(ids::kExit);
  EXPECT_FALSE(IsWindow(window));
  MSG message{};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 0u);
}

// Finds the main window of process `pid`, waiting up to 10 s for it.
HWND WaitForMainWindow(DWORD pid) {
  struct Search {
    DWORD pid;
    HWND found;
  } search{pid, nullptr};
  for (int i = 0; i < 1000 && search.found == nullptr; ++i) {
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
          auto* s = reinterpret_cast<Search*>(p);
          DWORD owner = 0;
          GetWindowThreadProcessId(w, &owner);
          char name[16] = {};
          GetClassNameA(w, name, sizeof name);
          if (owner == s->pid && std::string(name) == "LSTEXT" && IsWindowVisible(w)) {
            s->found = w;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) Sleep(10);
  }
  return search.found;
}

// Runs linsift.exe (beside this test) with `arguments`, hands its main window to `drive`,
// ends it with `message` and gives its exit code, or -1 when it did not come up or did not
// end.
long RunProgramAndClose(const std::string& arguments, UINT message, WPARAM wParam,
                        const std::function<void(HWND)>& drive = {}) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string exe = self;
  exe = exe.substr(0, exe.find_last_of("\\/") + 1) + "linsift.exe";
  std::string command = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi)) {
    return -1;
  }
  long code = -1;
  if (HWND window = WaitForMainWindow(pi.dwProcessId)) {
    if (drive) drive(window);
    PostMessageA(window, message, wParam, 0);
    DWORD exitCode = 0;
    if (WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(pi.hProcess, &exitCode)) {
      code = static_cast<long>(exitCode);
    }
  }
  if (code == -1) TerminateProcess(pi.hProcess, 99);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

TEST(Program, ExitAndCloseEndItWithCodeZero) {
  // -1: linsift.exe did not start, showed no window within 10 s (no display?) or did not end.
  EXPECT_EQ(RunProgramAndClose("", WM_COMMAND, ids::kExit), 0);
  const std::string path = WriteTempFile("linsift program.txt", "some text\r\n");
  EXPECT_EQ(RunProgramAndClose(path, WM_CLOSE, 0), 0) << "with a file on the command line";
}

// Automation tools set and read the pane of another process as an EDIT control's, in code
// page 932: the bytes come back as they were sent.
TEST(Program, PaneTakesAndGivesTextAcrossProcesses) {
  const std::string tokyo = "\x93\x8c\x8b\x9e\r\n\x95\x5c\x8e\xa6\n";  // 東京 CR LF 表示 LF
  std::string read;
  LRESULT length = 0;
  // The text counts as typed, so closing asks whether to save it and the program is ended by
  // the helper instead: its exit code says nothing here.
  RunProgramAndClose("", WM_CLOSE, 0, [&](HWND window) {
    HWND pane = GetDlgItem(window, ids::kTextPane);
    SendMessageA(pane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tokyo.c_str()));
    length = SendMessageA(pane, WM_GETTEXTLENGTH, 0, 0);
    read = PaneText::ReadText(pane);
  });
  EXPECT_EQ(read, tokyo);
  EXPECT_EQ(length, static_cast<LRESULT>(tokyo.size()));
}

}  // namespace
