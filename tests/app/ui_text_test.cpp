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

// The readable forms pin the mnemonics too: a menu shows one only for an ASCII '&'
// before its letter, and the version menu mixes an ASCII and a full-width parenthesis.
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
      {"kSaveAsItem", ui::kSaveAsItem, "名前を付けて保存(&A)...\tCtrl+S"},
      {"kEditMenu", ui::kEditMenu, "編集（&E）"},
      {"kSelectAllItem", ui::kSelectAllItem, "すべて選択(&L)"},
      {"kCopyAllItem", ui::kCopyAllItem, "すべてコピー(&C)"},
      {"kClearAndPasteItem", ui::kClearAndPasteItem, "クリア＆貼り付け(&P)"},
      {"kClearItem", ui::kClearItem, "クリア(&E)"},
      {"kUndoItem", ui::kUndoItem, "元に戻す(&U)\tCtrl+Z"},
      {"kRedoItem", ui::kRedoItem, "やり直し(&R)\tCtrl+Y"},
      {"kStringMenu", ui::kStringMenu, "文字列処理（&O）"},
      {"kSjisItem", ui::kSjisItem, "文字コードSJIS化(&U)"},
      {"kUrlDecodeItem", ui::kUrlDecodeItem, "URLデコード(&U)"},
      {"kVersionMenu", ui::kVersionMenu, "バージョン情報(&H）"},
      {"kAboutItem", ui::kAboutItem, "バージョン情報(&A)"},
      {"kOpenTitle", ui::kOpenTitle, "開く"},
      {"kOpenFilter", ui::kOpenFilter, "すべてのファイル(*.*)"},
      {"kClearQuestion", ui::kClearQuestion, "現在の内容をすべて消去します。"},
      {"kQuestionCaption", ui::kQuestionCaption, "確認"},
      {"kAboutCaption", ui::kAboutCaption, "バージョン情報"},
      {"kAboutText", ui::kAboutText, "Linsift 09"},
      {"kSaveTitle", ui::kSaveTitle, "名前を付けて保存"},
      {"kTitleSeparator", ui::kTitleSeparator, " - "},
      {"kLoadCut", ui::kLoadCut, "（%sバイト中、先頭%sバイトを読み込み）"},
      {"kLoadEndedAtNul", ui::kLoadEndedAtNul,
       "（NULまでの%sバイトを読み込み、残り%sバイトは未読み込み）"},
      {"kLoadMissing", ui::kLoadMissing, "開けません：%s（見つかりません）"},
      {"kLoadFolder", ui::kLoadFolder, "開けません：%s（フォルダーです）"},
      {"kLoadUnreadable", ui::kLoadUnreadable, "開けません：%s（読み取れません）"},
      {"kLoadTooLarge", ui::kLoadTooLarge, "開けません：%s（大きすぎます）"},
      {"kResultTooLarge", ui::kResultTooLarge, "結果が40,000,000バイトを超えるため変更しません"},
      {"kSearchTooLong", ui::kSearchTooLong, "検索文字列は255バイトまでです"},
      {"kSearchAbandoned", ui::kSearchAbandoned,
       "検索に時間がかかりすぎるため中止しました（変更しません）"},
      {"kSaved", ui::kSaved, "保存しました：%s"},
      {"kBusyStatus", ui::kBusyStatus, "処理中…"},
      {"kSaveFailed", ui::kSaveFailed, "保存できません：%s"},
      {"kTitleCut", ui::kTitleCut, "（先頭 %s バイト）"},
      {"kLoadCutOpenEnded", ui::kLoadCutOpenEnded, "（先頭%sバイトを読み込み、以降は未読み込み）"},
      {"kSaveReadOnly", ui::kSaveReadOnly, "保存できません：%s（読み取り専用です）"},
      {"kUnsavedQuestion", ui::kUnsavedQuestion,
       "入力または貼り付けた内容が保存されていません。保存しますか？"},
      {"kSaveButton", ui::kSaveButton, "保存(&S)"},
      {"kDontSaveButton", ui::kDontSaveButton, "保存しない(&N)"},
      {"kCancelButton", ui::kCancelButton, "キャンセル"},
      {"kEmptySaveQuestion", ui::kEmptySaveQuestion,
       "テキストが空です。空のファイルとして保存しますか？"},
      {"kDropTypingQuestion", ui::kDropTypingQuestion,
       "入力した内容が40,000,000バイトを超えるため取り込めません。入力を破棄して元に戻しますか？"},
      {"kConverterMissing", ui::kConverterMissing,
       "（%s が見つからないため、パーセントデコードのみ）"},
      {"kConverterInvalid", ui::kConverterInvalid,
       "（%s は変換ライブラリではないため、パーセントデコードのみ）"},
      {"kTitleModified", ui::kTitleModified, "*"},
  };
  for (const Text& t : texts) {
    EXPECT_EQ(Cp932ToUtf8(t.bytes), t.expected) << t.name;
  }
  // The dialog filter is a list: name, NUL, pattern, NUL, and an empty entry ending it.
  const std::string filter(ui::kOpenFilter, sizeof(ui::kOpenFilter));
  EXPECT_EQ(filter.substr(filter.find('\0') + 1), std::string("*.*\0\0", 5));
}

}  // namespace
