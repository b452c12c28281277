// The real main window, in process: created as WinMain creates it (without its loop),
// driven by messages, and checked through its controls. Needs a display (Wine inside
// Xvfb: scripts/wine.sh) and the clipboard.
//
// Wine's RichEdit turns a lone LF or CR into CR LF when text is set through the control,
// and does not keep invalid Shift_JIS bytes, so the texts below are valid Shift_JIS and
// the pane texts expected back carry CR LF.
#include <windows.h>
// After <windows.h>:
#include <commctrl.h>
#include <gtest/gtest.h>
#include <richedit.h>
#include <shlobj.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "app/PaneText.h"
#include "app/UiText.h"
#include "filters/ConvertLines.h"
#include "filters/ShownTexts.h"

namespace {

// ---- Reading and writing the controls ----------------------------------------------

std::string TextOf(HWND control) {
  // Sized in bytes: RichEdit reports characters.
  const int chars = GetWindowTextLengthA(control);
  std::string text(2 * static_cast<size_t>(chars) + 1, '\0');
  const LRESULT got =
      SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

std::string Pane() { return TextOf(g_textPane); }
std::string Status() { return TextOf(g_statusBar); }
// Through the window's own writer: replacing a large text with WM_SETTEXT is slow under Wine.
void SetPane(const std::string& text) { SetPaneText(text.c_str()); }
void SetSearch(const std::string& text) { SetWindowTextA(g_searchBox, text.c_str()); }
void SetStatus(const std::string& text) { SetWindowTextA(g_statusBar, text.c_str()); }

// Sends a command as its button or menu item would.
void Press(int id) {
  SendMessageA(g_mainWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(g_mainWindow, id)));
}

std::string Lines(int n) { return ShownTexts::Lines(n); }

// ---- Files -------------------------------------------------------------------------

std::string TempPath(const std::string& name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  const std::string path = TempPath(name);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f != nullptr) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return path;
}

// ---- Clipboard ---------------------------------------------------------------------

bool PutOnClipboard(const char* text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  bool ok = true;
  if (text != nullptr) {
    const size_t size = std::char_traits<char>::length(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), text, size);
    GlobalUnlock(block);
    ok = SetClipboardData(CF_TEXT, block) != nullptr;
  }
  CloseClipboard();
  return ok;
}

// The clipboard's CF_TEXT, or "<none>".
std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) return "<clipboard busy>";
  std::string text = "<none>";
  if (HANDLE block = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(block));
    GlobalUnlock(block);
  }
  CloseClipboard();
  return text;
}

// ---- Modal dialogs answered from a helper thread -------------------------------------

// Waits for a visible dialog with `caption`, keeps its message text, hands it to
// `answer` (by default: click `button`) and ends. The modal loop runs on the test's thread
// meanwhile. If no such dialog shows within 10 s, it closes any dialog of the test's
// thread so that a wrong caption fails the test instead of hanging it.
class DialogAnswer {
 public:
  DialogAnswer(std::string caption, int button, std::function<void(HWND)> answer = {})
      : caption_(std::move(caption)),
        button_(button),
        answer_(std::move(answer)),
        owner_(GetCurrentThreadId()),
        thread_([this] { Run(); }) {}
  ~DialogAnswer() { Join(); }

  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  bool found() const { return found_; }
  const std::string& text() const { return text_; }

 private:
  void Run() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      HWND dialog = FindWindowA("#32770", caption_.c_str());
      if (dialog != nullptr && IsWindowVisible(dialog)) {
        found_ = true;
        char text[512] = {};
        GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);
        text_ = text;
        if (answer_) {
          answer_(dialog);
        } else {
          PostMessageA(GetDlgItem(dialog, button_), BM_CLICK, 0, 0);
        }
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EnumThreadWindows(
        owner_,
        [](HWND w, LPARAM) -> BOOL {
          char name[16] = {};
          GetClassNameA(w, name, sizeof name);
          if (std::string(name) == "#32770") PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
          return TRUE;
        },
        0);
  }

  std::string caption_;
  int button_;
  std::function<void(HWND)> answer_;
  DWORD owner_;
  std::atomic<bool> found_{false};
  std::string text_;
  std::thread thread_;
};

// The file name box of the open dialog.
constexpr int kFileNameBox = 0x47C;  // cmb13

// Answers the open dialog with `path` typed into its file name box; keeps what the box
// held when the dialog opened.
std::function<void(HWND)> TypePathAndOpen(const std::string& path, std::string* shown) {
  return [path, shown](HWND dialog) {
    char text[MAX_PATH] = {};
    GetDlgItemTextA(dialog, kFileNameBox, text, sizeof text);
    if (shown != nullptr) *shown = text;
    SetWindowTextA(GetDlgItem(dialog, kFileNameBox), path.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  };
}

std::function<void(HWND)> Cancel(std::string* shown) {
  return [shown](HWND dialog) {
    char text[MAX_PATH] = {};
    GetDlgItemTextA(dialog, kFileNameBox, text, sizeof text);
    if (shown != nullptr) *shown = text;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  };
}

// ---- Dropped files -----------------------------------------------------------------

// A drop as the shell delivers it: DROPFILES, the ANSI paths each with its NUL, and one
// more NUL. The window's DragFinish frees it.
HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& p : paths) size += p.size() + 1;
  HGLOBAL block = GlobalAlloc(GHND, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  char* out = reinterpret_cast<char*>(drop + 1);
  for (const std::string& p : paths) {
    std::memcpy(out, p.c_str(), p.size() + 1);
    out += p.size() + 1;
  }
  GlobalUnlock(block);
  return block;
}

void Drop(const std::vector<std::string>& paths) {
  SendMessageA(g_mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
}

// ---- The window --------------------------------------------------------------------

class MainWindowTest : public testing::Test {
 protected:
  // Creates the main window with `commandLine` as WinMain does; fails with the likely
  // reason when there is no display.
  void Start(const char* commandLine = "") {
    ASSERT_NE(StartMainWindow(GetModuleHandleA(nullptr), commandLine, SW_SHOWNORMAL), nullptr)
        << "the main window could not be created; without a display (DISPLAY unset, no "
           "Xvfb) Wine makes no window: run the tests through scripts/wine.sh";
  }

  void SetUp() override { Start(); }

  void TearDown() override {
    EndMainWindow();
    // Destroying the window posted WM_QUIT; take it off the queue so that the next
    // window's modal loops do not end at once.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
};

// ---- Start-up and layout -----------------------------------------------------------

TEST_F(MainWindowTest, WindowHasItsClassCaptionSizeAndControls) {
  char text[64] = {};
  GetClassNameA(g_mainWindow, text, sizeof text);
  EXPECT_STREQ(text, "LSTEXT");
  EXPECT_EQ(TextOf(g_mainWindow), "Linsift");
  RECT outer{};
  GetWindowRect(g_mainWindow, &outer);
  EXPECT_EQ(outer.right - outer.left, kWindowWidth);
  EXPECT_EQ(outer.bottom - outer.top, kWindowHeight);

  GetClassNameA(g_textPane, text, sizeof text);
  EXPECT_STREQ(text, "RichEdit20A");
  EXPECT_EQ(GetDlgCtrlID(g_textPane), ids::kTextPane);
  EXPECT_EQ(SendMessageA(g_textPane, EM_GETLIMITTEXT, 0, 0), kPaneTextLimit);
  GetClassNameA(g_searchBox, text, sizeof text);
  EXPECT_STREQ(text, "Edit");
  EXPECT_EQ(GetDlgCtrlID(g_searchBox), ids::kSearchBox);
  GetClassNameA(g_statusBar, text, sizeof text);
  EXPECT_STREQ(text, STATUSCLASSNAMEA);
  EXPECT_EQ(GetDlgCtrlID(g_statusBar), ids::kStatusBar);

  struct Button {
    int id;
    const char* text;
    int x;
  };
  const Button buttons[] = {{ids::kExtract, ui::kExtract, 200},
                            {ids::kDelete, ui::kDelete, 308},
                            {ids::kDeleteUpTo, ui::kDeleteUpTo, 416},
                            {ids::kCountMatches, ui::kCountMatches, 524}};
  for (const Button& b : buttons) {
    HWND button = GetDlgItem(g_mainWindow, b.id);
    ASSERT_NE(button, nullptr) << b.id;
    EXPECT_EQ(TextOf(button), b.text);
    RECT r{};
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, g_mainWindow, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, b.x) << b.id;
    EXPECT_EQ(r.top, 4) << b.id;
    EXPECT_EQ(r.right - r.left, 96) << b.id;
    EXPECT_EQ(r.bottom - r.top, 24) << b.id;
  }
  EXPECT_EQ(Pane(), "");
  EXPECT_EQ(Status(), "");
}

TEST_F(MainWindowTest, MenuBarHoldsTheFourPopupsWithTheirItems) {
  ASSERT_EQ(GetMenu(g_mainWindow), g_menuBar);
  ASSERT_EQ(GetMenuItemCount(g_menuBar), 4);
  struct Item {
    int id;  // 0: separator
    const char* text;
  };
  struct Popup {
    const char* caption;
    std::vector<Item> items;
  };
  const Popup popups[] = {
      {ui::kFileMenu, {{ids::kOpenFile, ui::kOpenItem}, {0, ""}, {ids::kExit, ui::kExitItem}}},
      {ui::kEditMenu,
       {{ids::kSelectAll, ui::kSelectAllItem},
        {ids::kCopyAll, ui::kCopyAllItem},
        {ids::kClearAndPaste, ui::kClearAndPasteItem},
        {ids::kClearPane, ui::kClearItem}}},
      {ui::kStringMenu,
       {{ids::kConvertSjis, ui::kSjisItem}, {ids::kConvertUrl, ui::kUrlDecodeItem}}},
      {ui::kVersionMenu, {{ids::kAbout, ui::kAboutItem}}},
  };
  char text[128];
  for (int pos = 0; pos < 4; ++pos) {
    const Popup& p = popups[pos];
    GetMenuStringA(g_menuBar, static_cast<UINT>(pos), text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(std::string(text), p.caption) << pos;
    HMENU popup = GetSubMenu(g_menuBar, pos);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(p.items.size())) << pos;
    for (size_t i = 0; i < p.items.size(); ++i) {
      const UINT state = GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
      if (p.items[i].id == 0) {
        EXPECT_TRUE(state & MF_SEPARATOR) << pos << "/" << i;
        continue;
      }
      EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(i)), static_cast<UINT>(p.items[i].id));
      GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      EXPECT_EQ(std::string(text), p.items[i].text) << pos << "/" << i;
      EXPECT_FALSE(state & (MF_GRAYED | MF_DISABLED)) << pos << "/" << i;
    }
  }
  EXPECT_EQ(GetSubMenu(g_menuBar, ids::kEditMenuPosition), g_editMenu);
}

// The pane runs from y 32 over the full client width down to the status bar.
TEST_F(MainWindowTest, PaneFillsTheSpaceBetweenButtonsAndStatusBarAfterResize) {
  for (const SIZE size : {SIZE{800, 600}, SIZE{500, 300}, SIZE{1000, 700}}) {
    SetWindowPos(g_mainWindow, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(g_mainWindow, &client);
    RECT pane{};
    GetWindowRect(g_textPane, &pane);
    MapWindowPoints(nullptr, g_mainWindow, reinterpret_cast<POINT*>(&pane), 2);
    RECT bar{};
    GetWindowRect(g_statusBar, &bar);
    MapWindowPoints(nullptr, g_mainWindow, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(pane.left, 0) << size.cx;
    EXPECT_EQ(pane.top, kPaneTop) << size.cx;
    EXPECT_EQ(pane.right, client.right) << size.cx;
    EXPECT_EQ(bar.bottom, client.bottom) << "status bar along the bottom edge, " << size.cx;
    EXPECT_GT(bar.bottom - bar.top, 0);
    EXPECT_EQ(pane.bottom, bar.top) << size.cx;
  }
  // The buttons stay where they are.
  RECT r{};
  GetWindowRect(GetDlgItem(g_mainWindow, ids::kCountMatches), &r);
  MapWindowPoints(nullptr, g_mainWindow, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 524);
}

TEST_F(MainWindowTest, ClientTooLowForThePaneGivesItNoHeight) {
  SendMessageA(g_mainWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 20));
  RECT pane{};
  GetWindowRect(g_textPane, &pane);
  EXPECT_EQ(pane.bottom - pane.top, 0);
  EXPECT_EQ(pane.right - pane.left, 300);
}

// ---- The four filters --------------------------------------------------------------

struct FilterCase {
  int id;
  const char* search;
  std::string pane;
  std::string paneAfter;
  std::string status;
};

TEST_F(MainWindowTest, ButtonsFilterThePaneAndShowTheLineCount) {
  // LF-only text turns into CR LF inside the pane already, so both read the same there.
  const std::string crlf = "apple\r\nbanana\r\n";
  const std::string lf = "apple\nbanana\n";
  const std::string open = "apple\r\nbanana";
  const std::string japanese =
      "\x95\x5c\x8e\xa6\r\n\x83\x5c\x81\x5b\x83\x58\r\n\x93\x8c\x8b\x9e\r\n";  // 表示 ソース 東京
  const FilterCase cases[] = {
      {ids::kExtract, "an", crlf, "banana\r\n", Lines(1)},
      {ids::kExtract, "an", lf, "banana\r\n", Lines(1)},
      {ids::kExtract, "an", open, "banana\r\n", Lines(1)},
      {ids::kExtract, "zz", crlf, "", Lines(0)},
      {ids::kDelete, "an", crlf, "apple\r\n", Lines(1)},
      {ids::kDelete, "an", lf, "apple\r\n", Lines(1)},
      {ids::kDelete, "an", open, "apple\r\n", Lines(1)},
      {ids::kDelete, "zz", open, "apple\r\nbanana\r\n", Lines(2)},
      {ids::kDeleteUpTo, "an", crlf, "apple\r\nanana\r\n", Lines(2)},
      {ids::kDeleteUpTo, "an", lf, "apple\r\nanana\r\n", Lines(2)},
      {ids::kDeleteUpTo, "an", open, "apple\r\nanana\r\n", Lines(2)},
      // Characters, not bytes: 0x5C is only the trail byte of 表 and ソ there.
      {ids::kExtract, "\\", japanese, "", Lines(0)},
      {ids::kExtract, "\\", japanese + "C:\\\r\n", "C:\\\r\n", Lines(1)},
      {ids::kDeleteUpTo, "\x83\x5c", "\x95\x5c\x8e\xa6\x83\x5c\x81\x5b\x83\x58\r\n",
       "\x83\x5c\x81\x5b\x83\x58\r\n", Lines(1)},
  };
  for (const FilterCase& c : cases) {
    SetPane(c.pane);
    SetSearch(c.search);
    SetStatus("before");
    Press(c.id);
    EXPECT_EQ(Pane(), c.paneAfter) << c.id << " on " << c.pane;
    EXPECT_EQ(Status(), c.status) << c.id << " on " << c.pane;
  }
}

TEST_F(MainWindowTest, FiltersWithAnEmptySearchBoxChangeNothing) {
  for (int id : {ids::kExtract, ids::kDelete, ids::kDeleteUpTo, ids::kCountMatches}) {
    SetPane("apple\r\n");
    SetSearch("");
    SetStatus("before");
    Press(id);  // CountMatches would block on its box if it showed one
    EXPECT_EQ(Pane(), "apple\r\n") << id;
    EXPECT_EQ(Status(), "before") << id;
  }
}

TEST_F(MainWindowTest, FiltersOnAnEmptyPaneEmptyTheStatus) {
  for (int id : {ids::kExtract, ids::kDelete, ids::kDeleteUpTo}) {
    SetPane("");
    SetSearch("a");
    SetStatus("before");
    Press(id);
    EXPECT_EQ(Pane(), "") << id;
    EXPECT_EQ(Status(), "") << id;
  }
}

TEST_F(MainWindowTest, CountMatchesShowsLinesInStatusAndMatchesInABoxNamedBySearch) {
  struct Case {
    std::string pane;
    std::string status;
    std::string box;
  };
  const Case cases[] = {
      {"apple\r\nbanana\r\n", Lines(3), "\x91\x53\x31\x8c\x8f"},  // 全1件
      {"apple\nbanana\n", Lines(3), "\x91\x53\x31\x8c\x8f"},
      {"apple\r\nbanana", Lines(2), "\x91\x53\x31\x8c\x8f"},
      {"", Lines(1), "\x91\x53\x30\x8c\x8f"},                          // 全0件
      {"an\r\nbanana an\r\nx\r\n", Lines(4), "\x91\x53\x32\x8c\x8f"},  // 全2件
  };
  for (const Case& c : cases) {
    SetPane(c.pane);
    SetSearch("an");
    SetStatus("before");
    DialogAnswer box("an", IDOK);
    Press(ids::kCountMatches);
    box.Join();
    EXPECT_TRUE(box.found()) << "no count box with the caption \"an\" for " << c.pane;
    EXPECT_EQ(box.text(), c.box) << c.pane;
    EXPECT_EQ(Status(), c.status) << c.pane;
    EXPECT_EQ(Pane(), c.pane == "apple\nbanana\n" ? "apple\r\nbanana\r\n" : c.pane);
  }
}

// The pane reports characters; a reader sized by that count would get nothing back.
TEST_F(MainWindowTest, PaneIsReadWholeWhateverItsCharacterCount) {
  const std::string text = "\x93\xfa\x96\x7b\x8c\xea\r\n\x95\x5c\r\n";  // 日本語 表
  SetPane(text);
  EXPECT_LT(GetWindowTextLengthA(g_textPane), static_cast<int>(text.size()));
  EXPECT_EQ(ReadControlText(g_textPane), text);
  SetSearch("\x95\x5c");
  Press(ids::kExtract);
  EXPECT_EQ(Pane(), "\x95\x5c\r\n");
  EXPECT_EQ(Status(), Lines(1));
}

// A pane that holds text is swapped for a fresh one when a command writes it (Wine's
// RichEdit is slow to remove a large text); the fresh pane must be the old one in all
// but its handle.
TEST_F(MainWindowTest, WrittenPaneKeepsItsPlaceIdentifierLimitAndFocus) {
  SetWindowPos(g_mainWindow, nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER);
  RECT before{};
  GetWindowRect(g_textPane, &before);
  const LONG style = GetWindowLongA(g_textPane, GWL_STYLE);
  HWND old = g_textPane;
  SetPane("apple\r\nbanana\r\n");
  SetFocus(g_textPane);
  SetSearch("an");
  Press(ids::kExtract);
  EXPECT_EQ(Pane(), "banana\r\n");
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(GetDlgItem(g_mainWindow, ids::kTextPane), g_textPane);
  EXPECT_EQ(GetParent(g_textPane), g_mainWindow);
  EXPECT_EQ(GetWindowLongA(g_textPane, GWL_STYLE), style);
  EXPECT_EQ(SendMessageA(g_textPane, EM_GETLIMITTEXT, 0, 0), kPaneTextLimit);
  EXPECT_EQ(GetFocus(), g_textPane);
  RECT after{};
  GetWindowRect(g_textPane, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  // And it still follows the window.
  SetWindowPos(g_mainWindow, nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
  RECT client{};
  GetClientRect(g_mainWindow, &client);
  GetWindowRect(g_textPane, &after);
  EXPECT_EQ(after.right - after.left, client.right);
}

// A large text goes into the pane in pieces (256 KB in the program; 16 bytes here, so
// the test stays small). Wherever a piece ends (inside a double-byte character, between
// CR and LF), the pane must hold the text byte for byte, with the caret at its start as
// after WM_SETTEXT.
TEST_F(MainWindowTest, TextWrittenInPiecesArrivesWholeWhereverThePiecesEnd) {
  const std::string unit = "\x93\xfa\x96\x7b\x95\x5c a\r\n";  // 日本表 a, 10 bytes
  for (size_t shift = 0; shift < unit.size(); ++shift) {
    std::string text(shift, 'x');
    for (int i = 0; i < 40; ++i) text += unit;
    text += "\x83\x5c\r\n\r\nend";  // ソ, an empty line, no final break
    SetPane("");
    FillEmptyPane(g_textPane, text.c_str(), 16);
    EXPECT_EQ(Pane(), text) << "shift " << shift;
    CHARRANGE range{-1, -1};
    SendMessageA(g_textPane, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.cpMin, 0) << "shift " << shift;
    EXPECT_EQ(range.cpMax, 0) << "shift " << shift;
    EXPECT_EQ(SendMessageA(g_textPane, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "shift " << shift;
  }
  // PieceEnd itself: never after a lead byte or a CR when more follows.
  EXPECT_EQ(PieceEnd("ab\x93\xfa", 3, true), 2u);
  EXPECT_EQ(PieceEnd("ab\r\n", 3, true), 2u);
  EXPECT_EQ(PieceEnd("ab\r\n", 3, false), 3u);
  EXPECT_EQ(PieceEnd("\x93\xfa\x96\x7b", 4, true), 4u);
}

// The pane is filled without undo (see FillEmptyPane), but the user's own edits
// afterwards must still be undoable, whichever way the text went in: whole or in pieces.
TEST_F(MainWindowTest, UsersEditsInAWrittenPaneCanBeUndone) {
  auto typeAndUndo = [](const std::string& before) {
    CHARRANGE end{-1, -1};
    SendMessageA(g_textPane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    SendMessageA(g_textPane, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("typed"));
    EXPECT_EQ(Pane(), before + "typed");
    EXPECT_NE(SendMessageA(g_textPane, EM_CANUNDO, 0, 0), 0);
    SendMessageA(g_textPane, EM_UNDO, 0, 0);
    EXPECT_EQ(Pane(), before);
  };
  SetPane("apple\r\nbanana\r\n");
  typeAndUndo("apple\r\nbanana\r\n");
  const std::string text = "line one\r\nline two\r\nline three\r\n";
  SetPane("");
  FillEmptyPane(g_textPane, text.c_str(), 16);
  typeAndUndo(text);
}

// ---- The conversion (31 and 32) through the real nkf32.dll ---------------------------

TEST_F(MainWindowTest, BothConversionItemsGiveTheSameTextThroughNkf32) {
  ASSERT_NE(BoundConverter(), nullptr) << "nkf32.dll was not found beside the test program";
  // %41%42 -> AB; + stays; %20 -> blank; an ISO-2022-JP line (ESC $ B "F|K\" ESC ( B, 日本)
  // percent-encoded becomes Shift_JIS 日本.
  const std::string input = "%41%42\r\na+b%20c\r\n%1B%24BF%7CK%5C%1B%28B\r\n";
  const std::string expected = "AB\r\na+b c\r\n\x93\xfa\x96\x7b\r\n\r\n";
  for (int id : {ids::kConvertSjis, ids::kConvertUrl}) {
    SetPane(input);
    SetStatus("before");
    Press(id);
    EXPECT_EQ(Pane(), expected) << id;
    EXPECT_EQ(Status(), "before") << id;
  }
  SetPane("");
  Press(ids::kConvertUrl);
  EXPECT_EQ(Pane(), "");
}

// ---- Files: the open dialog, the command line, drops ---------------------------------

TEST_F(MainWindowTest, OpenFileLoadsTheChosenFileAndCountsItsLines) {
  const std::string first = WriteTempFile("linsift open a.txt", "a\nb\n");
  const std::string second = WriteTempFile("linsift open b.txt", "x\r\ny");
  {
    DialogAnswer dialog(ui::kOpenTitle, 0, TypePathAndOpen(first, nullptr));
    Press(ids::kOpenFile);
    dialog.Join();
    ASSERT_TRUE(dialog.found()) << "no dialog titled \"" << ui::kOpenTitle << "\"";
  }
  EXPECT_EQ(Pane(), "a\r\nb\r\n");
  EXPECT_EQ(Status(), Lines(3));  // LF bytes plus one

  // Cancelling changes nothing; the dialog starts with the last path.
  std::string shown;
  {
    DialogAnswer dialog(ui::kOpenTitle, 0, Cancel(&shown));
    Press(ids::kOpenFile);
    dialog.Join();
    ASSERT_TRUE(dialog.found());
  }
  EXPECT_NE(first.find(shown), std::string::npos) << "dialog started with \"" << shown << "\"";
  EXPECT_NE(shown.find("linsift open a.txt"), std::string::npos) << shown;
  EXPECT_EQ(Pane(), "a\r\nb\r\n");
  EXPECT_EQ(Status(), Lines(3));

  {
    DialogAnswer dialog(ui::kOpenTitle, 0, TypePathAndOpen(second, nullptr));
    Press(ids::kOpenFile);
  }
  EXPECT_EQ(Pane(), "x\r\ny");
  EXPECT_EQ(Status(), Lines(2));  // CR LF counts by its LF
}

class CommandLineTest : public MainWindowTest {
 protected:
  void SetUp() override {}
};

TEST_F(CommandLineTest, NamedFileIsLoadedWithoutStatus) {
  // One path, blanks and all.
  const std::string path = WriteTempFile("linsift start up.txt", "\x93\xfa\x96\x7b\nline 2\n");
  Start(path.c_str());
  EXPECT_EQ(Pane(), "\x93\xfa\x96\x7b\r\nline 2\r\n");
  EXPECT_EQ(Status(), "");
}

TEST_F(CommandLineTest, QuotedOrMissingPathLoadsNothing) {
  const std::string path = WriteTempFile("linsift quoted.txt", "text\r\n");
  for (const std::string& line : {"\"" + path + "\"", path + ".missing"}) {
    Start(line.c_str());
    EXPECT_EQ(Pane(), "") << line;
    EXPECT_EQ(Status(), "") << line;
    TearDown();
  }
}

TEST_F(MainWindowTest, DroppedFileIsLoadedAndCounted) {
  const std::string first = WriteTempFile("linsift drop 1.txt", "1\n2\n3");
  const std::string second = WriteTempFile("linsift drop 2.txt", "other\n");
  Drop({first, second});
  EXPECT_EQ(Pane(), "1\r\n2\r\n3");
  EXPECT_EQ(Status(), Lines(3));

  // A path with a 0x5C trail byte comes through byte for byte.
  const std::string japanese = WriteTempFile("linsift \x95\x5c.txt", "a\r\nb\r\n");
  Drop({japanese});
  EXPECT_EQ(Pane(), "a\r\nb\r\n");
  EXPECT_EQ(Status(), Lines(3));

  // A folder cannot be read: the pane empties and one line is counted.
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  Drop({dir});
  EXPECT_EQ(Pane(), "");
  EXPECT_EQ(Status(), Lines(1));

  // A drop without any file changes nothing (and does not load the last path again).
  SetStatus("kept");
  Drop({});
  EXPECT_EQ(Pane(), "");
  EXPECT_EQ(Status(), "kept");

  // The open dialog starts with the dropped path.
  Drop({second});
  std::string shown;
  {
    DialogAnswer dialog(ui::kOpenTitle, 0, Cancel(&shown));
    Press(ids::kOpenFile);
  }
  EXPECT_NE(shown.find("linsift drop 2.txt"), std::string::npos) << shown;
  EXPECT_EQ(Pane(), "other\r\n");
  EXPECT_EQ(Status(), Lines(2));
}

// ---- Edit menu ---------------------------------------------------------------------

TEST_F(MainWindowTest, CopyAllAndClearAndPasteGoThroughTheClipboard) {
  const std::string text = "\x93\xfa\x96\x7b\r\nsecond\r\n";
  SetPane(text);
  SetStatus("kept");
  ASSERT_TRUE(PutOnClipboard("old")) << "the clipboard cannot be opened";
  Press(ids::kCopyAll);
  EXPECT_EQ(ClipboardText(), text);

  SetPane("");
  Press(ids::kCopyAll);
  EXPECT_EQ(ClipboardText(), "");

  ASSERT_TRUE(PutOnClipboard("\x95\x5c pasted\r\n"));
  SetPane("replaced whole");
  Press(ids::kClearAndPaste);
  EXPECT_EQ(Pane(), "\x95\x5c pasted\r\n");
  EXPECT_EQ(ClipboardText(), "\x95\x5c pasted\r\n");  // the clipboard keeps its text

  ASSERT_TRUE(PutOnClipboard(nullptr));
  Press(ids::kClearAndPaste);
  EXPECT_EQ(Pane(), "\x95\x5c pasted\r\n");
  EXPECT_EQ(Status(), "kept");
}

TEST_F(MainWindowTest, PasteItemFollowsTheClipboardWhenTheEditMenuOpens) {
  auto grayed = [] {
    return (GetMenuState(g_editMenu, ids::kClearAndPaste, MF_BYCOMMAND) & MF_GRAYED) != 0;
  };
  ASSERT_TRUE(PutOnClipboard(nullptr)) << "the clipboard cannot be opened";
  SendMessageA(g_mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(g_editMenu), 1);
  EXPECT_TRUE(grayed());
  // The window menu (high word set) and other positions leave the item alone.
  ASSERT_TRUE(PutOnClipboard("text"));
  SendMessageA(g_mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(g_editMenu),
               MAKELPARAM(1, TRUE));
  SendMessageA(g_mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(g_editMenu), 0);
  EXPECT_TRUE(grayed());
  SendMessageA(g_mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(g_editMenu), 1);
  EXPECT_FALSE(grayed());
  for (int id : {ids::kSelectAll, ids::kCopyAll, ids::kClearPane}) {
    EXPECT_FALSE(GetMenuState(g_editMenu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) << id;
  }
}

TEST_F(MainWindowTest, SelectAllSelectsTheWholeText) {
  SetPane("abc\r\ndef");
  SetStatus("kept");
  Press(ids::kSelectAll);
  CHARRANGE range{};
  SendMessageA(g_textPane, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  EXPECT_EQ(range.cpMin, 0);
  EXPECT_EQ(range.cpMax, GetWindowTextLengthA(g_textPane));
  EXPECT_EQ(Status(), "kept");
}

TEST_F(MainWindowTest, ClearPaneAsksFirst) {
  SetPane("keep me\r\n");
  SetStatus("kept");
  {
    DialogAnswer question(ui::kClearCaption, IDCANCEL);
    Press(ids::kClearPane);
    question.Join();
    ASSERT_TRUE(question.found()) << "no question captioned " << ui::kClearCaption;
    EXPECT_EQ(question.text(), ui::kClearQuestion);
  }
  EXPECT_EQ(Pane(), "keep me\r\n");
  {
    DialogAnswer question(ui::kClearCaption, IDOK);
    Press(ids::kClearPane);
    question.Join();
    ASSERT_TRUE(question.found());
  }
  EXPECT_EQ(Pane(), "");
  EXPECT_EQ(Status(), "kept");
}

TEST_F(MainWindowTest, AboutShowsTheVersionBox) {
  SetStatus("kept");
  DialogAnswer box(ui::kAboutCaption, IDOK);
  Press(ids::kAbout);
  box.Join();
  ASSERT_TRUE(box.found()) << "no box captioned " << ui::kAboutCaption;
  EXPECT_EQ(box.text(), "Linsift 09");
  EXPECT_EQ(Status(), "kept");
}

TEST_F(MainWindowTest, NotificationsFromSearchBoxAndPaneDoNothing) {
  SetPane("text\r\n");
  SetSearch("t");
  SetStatus("kept");
  SendMessageA(g_mainWindow, WM_COMMAND, MAKEWPARAM(ids::kSearchBox, EN_CHANGE),
               reinterpret_cast<LPARAM>(g_searchBox));
  SendMessageA(g_mainWindow, WM_COMMAND, MAKEWPARAM(ids::kTextPane, EN_CHANGE),
               reinterpret_cast<LPARAM>(g_textPane));
  SendMessageA(g_mainWindow, WM_COMMAND, MAKEWPARAM(99, 0), 0);
  EXPECT_TRUE(IsWindow(g_mainWindow));
  EXPECT_EQ(Pane(), "text\r\n");
  EXPECT_EQ(Status(), "kept");
}

// ---- Ending --------------------------------------------------------------------------

TEST_F(MainWindowTest, ExitDestroysTheWindowAndQuitsWithCodeZero) {
  HWND window = g_mainWindow;
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

// Runs linsift.exe (beside this test) with `arguments`, ends it with `message` and
// gives its exit code, or -1 when it did not come up or did not end.
long RunProgramAndClose(const std::string& arguments, UINT message, WPARAM wParam) {
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

}  // namespace
