// The pane: one control kept for the window's life, the view it makes of any bytes, its
// font, and the user's edits (modified flag, undo).
#include <windows.h>
// After <windows.h>:
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"

namespace {

// Whether `text` is whole Shift_JIS characters (lead bytes 81-9F and E0-FC take the next
// byte), so the control keeps it byte for byte.
bool IsValidSjis(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
      if (++i >= text.size() || static_cast<unsigned char>(text[i]) < 0x40) return false;
    }
  }
  return true;
}

// Commands write the text into the same control: its handle, place, identifier, limit
// and focus stay, and it still follows the window.
TEST_F(MainWindowTest, WrittenPaneKeepsItsControlPlaceLimitAndFocus) {
  SetWindowPos(Window(), nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER);
  HWND pane = PaneHandle();
  const RECT before = PlaceOf(pane);
  SetPane("apple\r\nbanana\r\n");
  SetFocus(pane);
  SetSearch("an");
  Press(ids::kExtract);
  EXPECT_EQ(Pane(), "banana\r\n");
  EXPECT_EQ(PaneHandle(), pane);
  EXPECT_EQ(GetDlgItem(Window(), ids::kTextPane), pane);
  EXPECT_EQ(SendMessageA(pane, EM_GETLIMITTEXT, 0, 0), kPaneTextLimit);
  EXPECT_EQ(GetFocus(), pane);
  const RECT after = PlaceOf(pane);
  EXPECT_TRUE(EqualRect(&before, &after));
  SetWindowPos(Window(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
  RECT client{};
  GetClientRect(Window(), &client);
  EXPECT_EQ(PlaceOf(pane).right, client.right);
}

// The pane draws Japanese in a Shift_JIS font of fixed pitch, so log columns line up;
// it measures its lines in that font, and a line is as high as the font.
TEST_F(MainWindowTest, PaneFontIsAFixedPitchJapaneseFont) {
  HDC dc = GetDC(PaneHandle());
  auto font = reinterpret_cast<HFONT>(SendMessageA(PaneHandle(), WM_GETFONT, 0, 0));
  HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  if (old != nullptr) SelectObject(dc, old);
  ReleaseDC(PaneHandle(), dc);
  EXPECT_EQ(metrics.tmCharSet, SHIFTJIS_CHARSET);
  EXPECT_FALSE(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) << "the bit set means variable pitch";
  SetPane("a\r\nb\r\nc");
  const LRESULT first = SendMessageA(PaneHandle(), EM_POSFROMCHAR, 0, 0);
  const LRESULT third = SendMessageA(PaneHandle(), EM_POSFROMCHAR, 6, 0);
  EXPECT_EQ(HIWORD(third) - HIWORD(first), 2 * metrics.tmHeight);
}

// The view against a small model: cut at the first NUL, every CR LF, lone CR and lone LF
// one CR LF. Random texts of line-break bytes, NUL and characters (表 ends in 0x5C); the
// pane then shows exactly the view, one line per break.
TEST_F(MainWindowTest, ViewShowsEveryLineBreakAsALineAndEndsAtNul) {
  const std::regex anyBreak("\r\n|\r|\n");
  const std::string pieces[] = {"\r", "\n", "\r\n", "a", "\x95\x5c", std::string(1, '\0')};
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 12);
    for (int i = 0; i < length; ++i) text += pieces[random() % std::size(pieces)];
    const std::string model =
        std::regex_replace(text.substr(0, text.find('\0')), anyBreak, std::string("\r\n"));
    const std::string view = PaneText::View(text.data(), text.size());
    ASSERT_EQ(view, model) << "round " << round;
    if (round % 10 != 0) continue;
    SetPane(text);
    EXPECT_EQ(Pane(), model) << "round " << round;
    size_t breaks = 0;
    for (size_t at = model.find("\r\n"); at != std::string::npos; at = model.find("\r\n", at + 2)) {
      ++breaks;
    }
    EXPECT_EQ(SendMessageA(PaneHandle(), EM_GETLINECOUNT, 0, 0), static_cast<LRESULT>(breaks + 1));
  }
  EXPECT_EQ(PaneText::View(nullptr, 5), "");
}

// A text after another: whether the pane writes all of it or only the part that differs,
// it then shows the new view. Each new text is the old one with one piece put in, taken
// out or changed, so mostly only a small part differs.
TEST_F(MainWindowTest, TextWrittenOverAnotherShowsOnlyTheNewText) {
  const std::string pieces[] = {"\r\n", "\n", "\r", "a", "b", "\x95\x5c", "\x83\x5c", "\x93\xfa"};
  std::mt19937 random(11);
  std::string text = "start\r\n";
  SetPane(text);
  for (int round = 0; round < 150; ++round) {
    std::string next = text;
    const size_t at = next.empty() ? 0 : random() % next.size();
    const std::string& piece = pieces[random() % std::size(pieces)];
    switch (random() % 3) {
      case 0:
        next.insert(at, piece);
        break;
      case 1:
        next.erase(at, piece.size());
        break;
      default:
        next.replace(at, 1, piece);
    }
    // Only whole characters: drop the text when an edit split a double-byte one.
    if (!IsValidSjis(next)) continue;
    SetPane(next);
    ASSERT_EQ(Pane(), PaneText::View(next.data(), next.size())) << "round " << round;
    text = next;
  }
}

// A written text is unmodified and cannot be undone; the user's typing is both.
TEST_F(MainWindowTest, UsersEditsMarkThePaneModifiedAndCanBeUndone) {
  SetPane("apple\r\nbanana\r\n");
  PaneText& pane = State().pane;
  EXPECT_FALSE(pane.IsModified());
  EXPECT_EQ(SendMessageA(PaneHandle(), EM_CANUNDO, 0, 0), 0);
  const int end = GetWindowTextLengthW(PaneHandle());
  SendMessageA(PaneHandle(), EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageA(PaneHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("typed"));
  EXPECT_EQ(Pane(), "apple\r\nbanana\r\ntyped");
  EXPECT_TRUE(pane.IsModified());
  SendMessageA(PaneHandle(), EM_UNDO, 0, 0);
  EXPECT_EQ(Pane(), "apple\r\nbanana\r\n");
  pane.ClearModified();
  EXPECT_FALSE(pane.IsModified());
  // The text it shows already is not written again: the caret stays. Another goes to 0.
  SendMessageA(PaneHandle(), EM_SETSEL, 9, 9);
  SetPane("apple\nbanana\n");
  EXPECT_EQ(Selection(PaneHandle()).first, 9u);
  SetPane("other");
  EXPECT_FALSE(pane.IsModified());
  EXPECT_EQ(Selection(PaneHandle()).first, 0u);
}

}  // namespace
