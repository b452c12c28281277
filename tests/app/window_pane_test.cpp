// Writing the pane: the swap for a fresh control, the fill in pieces and undo afterwards.
#include <windows.h>
// After <windows.h>:
#include <gtest/gtest.h>
#include <richedit.h>

#include <string>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"

namespace {

// A pane that holds text is swapped for a fresh one when a command writes it (Wine's
// RichEdit is slow to remove a large text); the fresh pane must be the old one in all
// but its handle.
TEST_F(MainWindowTest, WrittenPaneKeepsItsPlaceIdentifierLimitAndFocus) {
  SetWindowPos(Window(), nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER);
  RECT before{};
  GetWindowRect(PaneHandle(), &before);
  const LONG style = GetWindowLongA(PaneHandle(), GWL_STYLE);
  HWND old = PaneHandle();
  SetPane("apple\r\nbanana\r\n");
  SetFocus(PaneHandle());
  SetSearch("an");
  Press(ids::kExtract);
  EXPECT_EQ(Pane(), "banana\r\n");
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(GetDlgItem(Window(), ids::kTextPane), PaneHandle());
  EXPECT_EQ(GetParent(PaneHandle()), Window());
  EXPECT_EQ(GetWindowLongA(PaneHandle(), GWL_STYLE), style);
  EXPECT_EQ(SendMessageA(PaneHandle(), EM_GETLIMITTEXT, 0, 0), kPaneTextLimit);
  EXPECT_EQ(GetFocus(), PaneHandle());
  RECT after{};
  GetWindowRect(PaneHandle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  // And it still follows the window.
  SetWindowPos(Window(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
  RECT client{};
  GetClientRect(Window(), &client);
  GetWindowRect(PaneHandle(), &after);
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
    PaneText::FillEmpty(PaneHandle(), text.c_str(), 16);
    EXPECT_EQ(Pane(), text) << "shift " << shift;
    CHARRANGE range{-1, -1};
    SendMessageA(PaneHandle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.cpMin, 0) << "shift " << shift;
    EXPECT_EQ(range.cpMax, 0) << "shift " << shift;
    EXPECT_EQ(SendMessageA(PaneHandle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "shift " << shift;
  }
  // PieceEnd itself: never after a lead byte or a CR when more follows.
  EXPECT_EQ(PaneText::PieceEnd("ab\x93\xfa", 3, true), 2u);
  EXPECT_EQ(PaneText::PieceEnd("ab\r\n", 3, true), 2u);
  EXPECT_EQ(PaneText::PieceEnd("ab\r\n", 3, false), 3u);
  EXPECT_EQ(PaneText::PieceEnd("\x93\xfa\x96\x7b", 4, true), 4u);
}

// The pane is filled without undo (see FillEmptyPane), but the user's own edits
// afterwards must still be undoable, whichever way the text went in: whole or in pieces.
TEST_F(MainWindowTest, UsersEditsInAWrittenPaneCanBeUndone) {
  auto typeAndUndo = [this](const std::string& before) {
    CHARRANGE end{-1, -1};
    SendMessageA(PaneHandle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    SendMessageA(PaneHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("typed"));
    EXPECT_EQ(Pane(), before + "typed");
    EXPECT_NE(SendMessageA(PaneHandle(), EM_CANUNDO, 0, 0), 0);
    SendMessageA(PaneHandle(), EM_UNDO, 0, 0);
    EXPECT_EQ(Pane(), before);
  };
  SetPane("apple\r\nbanana\r\n");
  typeAndUndo("apple\r\nbanana\r\n");
  const std::string text = "line one\r\nline two\r\nline three\r\n";
  SetPane("");
  PaneText::FillEmpty(PaneHandle(), text.c_str(), 16);
  typeAndUndo(text);
}

}  // namespace
