// Decodes every UI text from code page 932 and compares it with the readable text,
// so a mistyped escape (or one that swallows the next letter) cannot ship.
#include <gtest/gtest.h>

#include <string>

#include "app/UiText.h"
#include "support/Cp932Text.h"

namespace {

struct Text {
  const char* name;
  std::string bytes;
  const char* expected;  // UTF-8
};

TEST(UiText, EveryTextDecodesToItsReadableForm) {
  const Text texts[] = {
      {"kClassName", ui::kClassName, "LSTEXT"},
      {"kWindowTitle", ui::kWindowTitle, "Linsift"},
      {"kExtract", ui::kExtract, "抽出"},
      {"kDelete", ui::kDelete, "削除"},
      {"kDeleteUpTo", ui::kDeleteUpTo, "まで削除"},
      {"kCountMatches", ui::kCountMatches, "計数"},
      {"kFileMenu", ui::kFileMenu, "ファイル（&F）"},
      {"kOpenItem", ui::kOpenItem, "開く（&O）"},
      {"kExitItem", ui::kExitItem, "終了（&X）"},
      {"kEditMenu", ui::kEditMenu, "編集（&E）"},
      {"kSelectAllItem", ui::kSelectAllItem, "すべて選択(&L)"},
      {"kCopyAllItem", ui::kCopyAllItem, "すべてコピー(&C)"},
      {"kClearAndPasteItem", ui::kClearAndPasteItem, "クリア＆貼り付け(&P)"},
      {"kClearItem", ui::kClearItem, "クリア(&E)"},
      {"kStringMenu", ui::kStringMenu, "文字列処理（&O）"},
      {"kSjisItem", ui::kSjisItem, "文字コードSJIS化(&U)"},
      {"kUrlDecodeItem", ui::kUrlDecodeItem, "URLデコード(&U)"},
      {"kVersionMenu", ui::kVersionMenu, "バージョン情報(&H）"},
      {"kAboutItem", ui::kAboutItem, "バージョン情報(&A)"},
      {"kOpenTitle", ui::kOpenTitle, "開く"},
      {"kOpenFilter", ui::kOpenFilter, "すべてのファイル(*.*)"},
      {"kClearQuestion", ui::kClearQuestion, "現在の内容をすべて消去します。"},
      {"kClearCaption", ui::kClearCaption, "確認"},
      {"kAboutCaption", ui::kAboutCaption, "バージョン情報"},
      {"kAboutText", ui::kAboutText, "Linsift 09"},
  };
  for (const Text& t : texts) {
    EXPECT_EQ(Cp932ToUtf8(t.bytes), t.expected) << t.name;
  }
}

// The bytes behind the full-width and ASCII parentheses and ampersands: a menu shows a
// mnemonic only for an ASCII '&', and the fourth caption mixes both parentheses on purpose.
TEST(UiText, MnemonicsAreAsciiAmpersandsBeforeTheirLetter) {
  const std::pair<std::string, char> items[] = {
      {ui::kFileMenu, 'F'},          {ui::kOpenItem, 'O'},      {ui::kExitItem, 'X'},
      {ui::kEditMenu, 'E'},          {ui::kSelectAllItem, 'L'}, {ui::kCopyAllItem, 'C'},
      {ui::kClearAndPasteItem, 'P'}, {ui::kClearItem, 'E'},     {ui::kStringMenu, 'O'},
      {ui::kSjisItem, 'U'},          {ui::kUrlDecodeItem, 'U'}, {ui::kVersionMenu, 'H'},
      {ui::kAboutItem, 'A'},
  };
  for (const auto& [text, letter] : items) {
    const size_t amp = text.find('&');
    ASSERT_NE(amp, std::string::npos) << text;
    EXPECT_EQ(text.find('&', amp + 1), std::string::npos) << "one mnemonic only: " << text;
    EXPECT_EQ(text[amp + 1], letter) << text;
  }
  const std::string version = ui::kVersionMenu;
  EXPECT_EQ(version.substr(version.size() - 5), std::string("(&H\x81\x6a"));
}

// The dialog filter is a list: name, NUL, pattern, NUL, and an empty entry ending it.
TEST(UiText, OpenFilterIsOneNameAndPatternEndedByAnEmptyEntry) {
  const std::string filter(ui::kOpenFilter, sizeof(ui::kOpenFilter));
  const size_t name = filter.find('\0');
  ASSERT_NE(name, std::string::npos);
  EXPECT_EQ(filter.substr(name + 1), std::string("*.*\0\0", 5));
}

}  // namespace
