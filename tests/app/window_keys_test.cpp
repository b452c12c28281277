// The keyboard through the window's message handling (Tab order, Enter, Ctrl+A, Ctrl+O),
// the minimum size, and the busy state of a long command.
#include <windows.h>
// After <windows.h>:
#include <Scintilla.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "app/UiText.h"

namespace {

TEST_F(MainWindowTest, TabAndShiftTabMoveThroughTheControlsAndThePaneTakesTab) {
  HWND search = State().searchBox;
  EXPECT_EQ(GetFocus(), search) << "the search box has the focus at start";
  const std::vector<HWND> order = {search,
                                   GetDlgItem(Window(), ids::kExtract),
                                   GetDlgItem(Window(), ids::kDelete),
                                   GetDlgItem(Window(), ids::kDeleteUpTo),
                                   GetDlgItem(Window(), ids::kCountMatches),
                                   State().regexOption,
                                   State().ignoreCaseOption,
                                   PaneHandle()};
  for (size_t i = 1; i < order.size(); ++i) {
    Key(Window(), GetFocus(), VK_TAB);
    EXPECT_EQ(GetFocus(), order[i]) << "Tab " << i;
  }
  // In the pane Tab types a tab; Ctrl+Tab moves on, round to the search box, whose text
  // is then selected.
  SetSearch("find");
  Key(Window(), PaneHandle(), VK_TAB);
  EXPECT_EQ(GetFocus(), PaneHandle());
  EXPECT_EQ(Pane(), "\t");
  Key(Window(), PaneHandle(), VK_TAB, true);
  EXPECT_EQ(GetFocus(), search);
  EXPECT_EQ(Selection(search), std::make_pair(DWORD{0}, DWORD{4}));
  for (size_t i = order.size() - 1; i > 0; --i) {
    Key(Window(), GetFocus(), VK_TAB, false, true);
    EXPECT_EQ(GetFocus(), order[i]) << "Shift+Tab to " << i;
  }
  Key(Window(), PaneHandle(), VK_TAB, true, true);
  EXPECT_EQ(GetFocus(), State().ignoreCaseOption) << "Ctrl+Shift+Tab from the pane";
}

TEST_F(MainWindowTest, EnterRunsExtractInTheSearchBoxAndPressesAFocusedButton) {
  SetPane("apple\r\nbanana\r\n");
  SetSearch("an");
  Key(Window(), State().searchBox, VK_RETURN);
  EXPECT_EQ(Pane(), "banana\r\n");
  EXPECT_EQ(Status(), Lines(1));
  SetPane("apple\r\nbanana\r\n");
  Key(Window(), GetDlgItem(Window(), ids::kDelete), VK_RETURN);
  EXPECT_EQ(Pane(), "apple\r\n");
  // In the pane Enter types a line break.
  SetPane("ab");
  SendMessageA(PaneHandle(), EM_SETSEL, 1, 1);
  Key(Window(), PaneHandle(), VK_RETURN);
  EXPECT_EQ(Pane(), "a\r\nb");
}

TEST_F(MainWindowTest, CtrlASelectsAllInTheSearchBoxAndThePane) {
  SetSearch("\x95\x5c\x8e\xa6 text");  // 表示 text: 7 characters, 9 bytes
  SendMessageA(State().searchBox, EM_SETSEL, 2, 2);
  Key(Window(), State().searchBox, 'A', true);
  EXPECT_EQ(Selection(State().searchBox), std::make_pair(DWORD{0}, DWORD{7}));  // characters
  EXPECT_EQ(PaneText::ReadText(State().searchBox), "\x95\x5c\x8e\xa6 text") << "nothing typed";
  SetPane("abc\r\ndef");
  Key(Window(), PaneHandle(), 'A', true);
  EXPECT_EQ(Selection(PaneHandle()), std::make_pair(DWORD{0}, DWORD{8}));
}

// Ctrl+Z in the search box takes back the typing there; the document stays.
TEST_F(MainWindowTest, CtrlZInTheSearchBoxUndoesItsTyping) {
  SetPane("apple\n");
  SetSearch("an");
  Press(ids::kExtract);
  SendMessageA(State().searchBox, EM_SETSEL, 2, 2);
  SendMessageA(State().searchBox, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
  Key(Window(), State().searchBox, 'Z', true);
  EXPECT_EQ(PaneText::ReadText(State().searchBox), "an");
  EXPECT_EQ(DocumentText(), "");
  EXPECT_TRUE(State().document.CanUndo()) << "the document's step is still there";
}

TEST_F(MainWindowTest, CtrlOOpensTheFileDialog) {
  DialogAnswer dialog(ui::kOpenTitle, 0, Cancel(nullptr));
  Key(Window(), State().searchBox, 'O', true);
  dialog.Join();
  EXPECT_TRUE(dialog.found()) << "no dialog titled " << ui::kOpenTitle;
}

TEST_F(MainWindowTest, MinimumSizeKeepsTheSearchBoxAndAllButtonsInView) {
  SetWindowPos(Window(), nullptr, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER);
  RECT client{};
  GetClientRect(Window(), &client);
  EXPECT_GE(client.right, kMinClientWidth);
  for (HWND control :
       {State().searchBox, GetDlgItem(Window(), ids::kExtract), GetDlgItem(Window(), ids::kDelete),
        GetDlgItem(Window(), ids::kDeleteUpTo), GetDlgItem(Window(), ids::kCountMatches)}) {
    EXPECT_LE(PlaceOf(control).right, client.right) << GetDlgCtrlID(control);
  }
  const RECT pane = PlaceOf(PaneHandle());
  EXPECT_GE(pane.bottom - pane.top, kMinPaneHeight);
  EXPECT_EQ(pane.bottom, PlaceOf(State().statusBar).top);
}

// What a long command shows while the pane takes its text (whole or in part), seen from
// inside the pane.
struct BusyWitness {
  WNDPROC paneProc = nullptr;
  HWND window = nullptr;
  bool seen = false;
  std::string status;
  bool waitCursor = false;
  bool statusPainted = false;
  bool busy = false;
  bool commandsGrayed = false;
};
BusyWitness witness;

LRESULT CALLBACK WitnessPane(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == SCI_APPENDTEXT || message == SCI_REPLACETARGET) && !witness.seen) {
    witness.seen = true;
    const WindowState& state = *WindowState::Of(witness.window);
    witness.status = PaneText::ReadText(state.statusBar);
    witness.waitCursor = GetCursor() == LoadCursor(nullptr, IDC_WAIT);
    witness.statusPainted = !GetUpdateRect(state.statusBar, nullptr, FALSE);
    witness.busy = state.busy;
    witness.commandsGrayed = !IsWindowEnabled(GetDlgItem(witness.window, ids::kExtract)) &&
                             (GetMenuState(state.menuBar, 0, MF_BYPOSITION) & MF_GRAYED) != 0;
    // Presses that arrive now: a click queued on 削除, a drop, and a command sent at once.
    HWND button = GetDlgItem(witness.window, ids::kDelete);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    SendMessageA(witness.window, WM_COMMAND, MAKEWPARAM(ids::kDelete, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  }
  return CallWindowProcW(witness.paneProc, pane, message, wParam, lParam);
}

TEST_F(MainWindowTest, LongCommandShowsItIsBusyAndIgnoresWhatArrivesMeanwhile) {
  const std::string path = WriteTempFile("linsift busy drop.txt", "dropped\r\n");
  SetPane("apple\r\nbanana\r\n");
  SetSearch("an");
  SetStatus("before");
  Pump(Window());
  witness = BusyWitness{};
  witness.window = Window();
  witness.paneProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(PaneHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WitnessPane)));
  // A drop queued while the command runs goes the same way as the click.
  PostMessageA(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({path})), 0);
  Press(ids::kExtract);
  Pump(Window());
  SetWindowLongPtrW(PaneHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(witness.paneProc));
  ASSERT_TRUE(witness.seen);
  EXPECT_EQ(witness.status, ui::kBusyStatus);
  EXPECT_TRUE(witness.statusPainted);
  EXPECT_TRUE(witness.waitCursor);
  EXPECT_TRUE(witness.busy);
  EXPECT_TRUE(witness.commandsGrayed);
  EXPECT_FALSE(State().busy);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Window(), ids::kExtract)));
  EXPECT_FALSE(GetMenuState(State().menuBar, 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(Pane(), "banana\r\n") << "neither 削除 nor the drop ran";
  EXPECT_EQ(Status(), Lines(1));

  // The same click when idle does press 削除 (so the one above was dropped, not lost).
  SetSearch("ban");
  PostMessageA(GetDlgItem(Window(), ids::kDelete), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageA(GetDlgItem(Window(), ids::kDelete), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  Pump(Window());
  EXPECT_EQ(Pane(), "");
}

}  // namespace
