// The pane: one control kept for the window's life, every byte of a text kept as it is, its
// font, the user's edits (typing changes only what is typed; WM_SETTEXT) and the marks.
#include <windows.h>
// After <windows.h>:
#include <Scintilla.h>
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "app/WindowCommands.h"
#include "filters/Matcher.h"

namespace {

// Pieces of texts as users load them: every line break, ASCII, Shift_JIS (表 ends in 5C,
// 出 in 6F), UTF-8, EUC-JP, a lead byte without its trail, stray high bytes.
const std::string kPieces[] = {
    "\r",   "\n",       "\r\n", "a", "\x95\x5c", "\x8f\x6f", "\xe6\x97\xa5", "\xc5\xec\xb5\xfe",
    "\x95", "\xff\x80", " ",    "o"};

std::string RandomText(std::mt19937& random, size_t pieces) {
  std::string text;
  for (size_t i = 0; i < pieces; ++i) text += kPieces[random() % std::size(kPieces)];
  return text;
}

LRESULT Sci(HWND pane, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(pane, message, wParam, lParam);
}

// Lines as Scintilla counts them: CR LF, a lone CR and a lone LF each end one.
LRESULT LineCount(const std::string& text) {
  LRESULT lines = 1;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++lines;
    }
  }
  return lines;
}

// Commands write the text into the same control: its handle, place, identifier and focus
// stay, and it still follows the window.
TEST_F(MainWindowTest, WrittenPaneKeepsItsControlPlaceAndFocus) {
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
  EXPECT_EQ(GetFocus(), pane);
  const RECT after = PlaceOf(pane);
  EXPECT_TRUE(EqualRect(&before, &after));
  SetWindowPos(Window(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
  RECT client{};
  GetClientRect(Window(), &client);
  EXPECT_EQ(PlaceOf(pane).right, client.right);
}

// The pane draws Japanese in a Shift_JIS font, a line as high as the font, with line numbers.
TEST_F(MainWindowTest, PaneFontIsTheJapaneseFontWithLineNumbers) {
  HWND pane = PaneHandle();
  EXPECT_EQ(Sci(pane, SCI_STYLEGETCHARACTERSET, STYLE_DEFAULT), SC_CHARSET_SHIFTJIS);
  char face[64] = {};
  Sci(pane, SCI_STYLEGETFONT, STYLE_DEFAULT, reinterpret_cast<LPARAM>(face));
  EXPECT_STREQ(face, "MS Gothic");
  EXPECT_EQ(Sci(pane, SCI_GETCODEPAGE), 932);
  SetPane("a\r\nb\r\nc");
  const LRESULT height = Sci(pane, SCI_TEXTHEIGHT, 0);
  EXPECT_EQ(Sci(pane, SCI_POINTYFROMPOSITION, 0, 6) - Sci(pane, SCI_POINTYFROMPOSITION, 0, 0),
            2 * height);
  EXPECT_EQ(Sci(pane, SCI_GETMARGINTYPEN, 0), SC_MARGIN_NUMBER);
  EXPECT_GT(Sci(pane, SCI_GETMARGINWIDTHN, 0), 0);
}

// Any text, written whole or over another (only the lines that differ), is held byte for
// byte, each line break one line; a valid UTF-8 text with non-ASCII bytes shows as UTF-8.
TEST_F(MainWindowTest, PaneHoldsEveryByteOfAnyText) {
  std::mt19937 random(7);
  std::string text = "start\r\n";
  SetPane(text);
  for (int round = 0; round < 200; ++round) {
    std::string next = round % 20 == 0 ? RandomText(random, random() % 40) : text;
    const size_t at = next.empty() ? 0 : random() % next.size();
    const std::string& piece = kPieces[random() % std::size(kPieces)];
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
    SetPane(next);
    ASSERT_EQ(Pane(), next) << "round " << round;
    EXPECT_EQ(Sci(PaneHandle(), SCI_GETLINECOUNT), LineCount(next)) << "round " << round;
    EXPECT_FALSE(State().pane.IsModified());
    text = next;
  }
  SetPane("UTF-8 \xe6\x97\xa5\xe6\x9c\xac\n");
  EXPECT_TRUE(State().pane.IsUtf8());
  SetPane("Shift_JIS \x93\xfa\x96\x7b\n");
  EXPECT_FALSE(State().pane.IsUtf8());
}

// Typing changes only what is typed: random characters typed and deleted at random places of
// random texts, through the real control, against a model of the bytes; the next command
// works on exactly the model.
TEST_F(MainWindowTest, TypingChangesOnlyWhatIsTyped) {
  std::mt19937 random(3);
  HWND pane = PaneHandle();
  const wchar_t typed[] = {L'x', L'\x3042' /* あ */, L'\x8868' /* 表 */, L' '};
  for (int round = 0; round < 40; ++round) {
    // Every fourth text is all UTF-8, shown as UTF-8; the others mix every kind of line.
    std::string model = RandomText(random, 1 + random() % 30);
    if (round % 4 == 0) model = "\xe6\x97\xa5 a\r\n\xe6\x9c\xac\n";
    SetPane(model);
    const bool utf8 = State().pane.IsUtf8();
    for (int edit = 0; edit < 6; ++edit) {
      Sci(pane, SCI_GOTOPOS, random() % (model.size() + 1));
      const auto at = static_cast<size_t>(Sci(pane, SCI_GETCURRENTPOS));
      if (random() % 3 == 0) {
        // Delete takes the character behind the caret, as the control reads it.
        const auto before = static_cast<size_t>(Sci(pane, SCI_GETLENGTH));
        SendMessageW(pane, WM_KEYDOWN, VK_DELETE, 0);
        model.erase(at, before - static_cast<size_t>(Sci(pane, SCI_GETLENGTH)));
      } else {
        const wchar_t c = typed[random() % std::size(typed)];
        char bytes[8] = {};
        const int size = WideCharToMultiByte(utf8 ? CP_UTF8 : 932, 0, &c, 1, bytes, sizeof bytes,
                                             nullptr, nullptr);
        SendMessageW(pane, WM_CHAR, c, 1);
        model.insert(at, bytes, static_cast<size_t>(size));
      }
      ASSERT_EQ(Pane(), model) << "round " << round << " edit " << edit;
    }
    EXPECT_TRUE(State().pane.IsModified());
    Press(ids::kCopyAll);  // takes the typing into the document
    EXPECT_EQ(DocumentText(), model) << "round " << round;
    EXPECT_FALSE(State().pane.IsModified());
  }
}

// WM_SETTEXT in code page 932, ANSI or Unicode, replaces the text as typing does; WM_GETTEXT
// gives it back.
TEST_F(MainWindowTest, SetTextMessageReplacesThePaneAsTyping) {
  SetPane("old\n");
  const std::string tokyo = "\x93\x8c\x8b\x9e\n\x95\x5c\x8e\xa6";  // 東京 LF 表示
  SetWindowTextA(PaneHandle(), tokyo.c_str());
  EXPECT_EQ(Pane(), tokyo);
  EXPECT_TRUE(State().pane.IsModified());
  EXPECT_EQ(PaneText::ReadText(PaneHandle()), tokyo);
  Press(ids::kCopyAll);
  EXPECT_EQ(DocumentText(), tokyo);
  SetWindowTextW(PaneHandle(), L"\x65e5\x672c");  // 日本
  EXPECT_EQ(Pane(), "\x93\xfa\x96\x7b");
  SetWindowTextA(PaneHandle(), "");
  EXPECT_EQ(Pane(), "");
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
  SendMessageA(PaneHandle(), WM_UNDO, 0, 0);
  EXPECT_EQ(Pane(), "apple\r\nbanana\r\n");
  pane.ClearModified();
  EXPECT_FALSE(pane.IsModified());
  // The text it shows already is not written again: the caret stays. Another goes to 0.
  SendMessageA(PaneHandle(), EM_SETSEL, 9, 9);
  SetPane("apple\r\nbanana\r\n");
  EXPECT_EQ(Selection(PaneHandle()).first, 9u);
  SetPane("other");
  EXPECT_FALSE(pane.IsModified());
  EXPECT_EQ(Selection(PaneHandle()).first, 0u);
}

}  // namespace
