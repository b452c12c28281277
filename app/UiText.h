// Every text the window shows, once, as the Shift_JIS (code page 932) bytes it is
// drawn from, with the readable text beside it. Plain bytes: no <windows.h>, so the
// test that decodes them runs on any platform.
//
// Every byte of a Japanese character is written as a hex escape, so a trail byte
// 0x5C (表, ソ) can never act as a backslash. A hex escape followed by a letter that
// is a hex digit would swallow it, so such a letter starts a new literal piece (the test
// would catch a miss: the decoded text would differ).
#pragma once

#include "version/LinsiftVersion.h"

namespace ui {

// Window class and main window caption.
constexpr char kClassName[] = "LSTEXT";
constexpr char kWindowTitle[] = "Linsift";

// The four buttons.
constexpr char kExtract[] = "\x92\x8a\x8f\x6f";                     // 抽出
constexpr char kDelete[] = "\x8d\xed\x8f\x9c";                      // 削除
constexpr char kDeleteUpTo[] = "\x82\xdc\x82\xc5\x8d\xed\x8f\x9c";  // まで削除
constexpr char kCountMatches[] = "\x8c\x76\x90\x94";                // 計数

// File menu.
constexpr char kFileMenu[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8b\x81\x69&F\x81\x6a";           // ファイル（&F）
constexpr char kOpenItem[] = "\x8a\x4a\x82\xad\x81\x69&O\x81\x6a";  // 開く（&O）
constexpr char kExitItem[] = "\x8f\x49\x97\xb9\x81\x69&X\x81\x6a";  // 終了（&X）
constexpr char kRecentMenu[] =
    "\x8d\xc5\x8b\xdf\x8e\x67\x82\xc1\x82\xbd\x83\x74\x83\x40\x83\x43\x83\x8b(&R)";  // 最近使ったファイル(&R)
// The recent-files menu's one grayed item while it is empty.
constexpr char kRecentNone[] = "\x81\x69\x82\xc8\x82\xb5\x81\x6a";  // （なし）
constexpr char kSaveAsItem[] =
    "\x96\xbc\x91\x4f\x82\xf0\x95\x74\x82\xaf\x82\xc4\x95\xdb\x91\xb6(&A)...\tCtrl+S";  // 名前を付けて保存(&A)...\tCtrl+S

// Edit menu. The full-width ＆ of the paste item is a plain character; its mnemonic is P.
constexpr char kEditMenu[] = "\x95\xd2\x8f\x57\x81\x69&E\x81\x6a";                 // 編集（&E）
constexpr char kSelectAllItem[] = "\x82\xb7\x82\xd7\x82\xc4\x91\x49\x91\xf0(&L)";  // すべて選択(&L)
constexpr char kCopyAllItem[] =
    "\x82\xb7\x82\xd7\x82\xc4\x83\x52\x83\x73\x81\x5b(&C)";  // すべてコピー(&C)
constexpr char kClearAndPasteItem[] =
    "\x83\x4e\x83\x8a\x83\x41\x81\x95\x93\x5c\x82\xe8\x95\x74\x82\xaf(&P)";  // クリア＆貼り付け(&P)
constexpr char kClearItem[] = "\x83\x4e\x83\x8a\x83\x41(&E)";                // クリア(&E)
constexpr char kUndoItem[] =
    "\x8c\xb3\x82\xc9\x96\xdf\x82\xb7(&U)\tCtrl+Z";  // 元に戻す(&U)\tCtrl+Z
constexpr char kRedoItem[] =
    "\x82\xe2\x82\xe8\x92\xbc\x82\xb5(&R)\tCtrl+Y";  // やり直し(&R)\tCtrl+Y

// String menu: both items carry the mnemonic U.
constexpr char kStringMenu[] =
    "\x95\xb6\x8e\x9a\x97\xf1\x8f\x88\x97\x9d\x81\x69&O\x81\x6a";  // 文字列処理（&O）
constexpr char kSjisItem[] =
    "\x95\xb6\x8e\x9a\x83\x52\x81\x5b\x83\x68SJIS\x89\xbb(&U)";  // 文字コードSJIS化(&U)
constexpr char kUrlDecodeItem[] = "URL\x83\x66\x83\x52\x81\x5b\x83\x68(&U)";  // URLデコード(&U)

// Version menu: the caption opens with an ASCII and closes with a full-width parenthesis.
constexpr char kVersionMenu[] =
    "\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1(&H\x81\x6a";  // バージョン情報(&H）
constexpr char kAboutItem[] =
    "\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1(&A)";  // バージョン情報(&A)

// Open dialog: its title, and its one filter as the dialog wants it: the name, NUL,
// the pattern, NUL, and the literal's own NUL ending the list.
constexpr char kOpenTitle[] = "\x8a\x4a\x82\xad";  // 開く
constexpr char kOpenFilter[] =
    "\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b(*.*)\0*.*\0";  // すべてのファイル(*.*)

// Save dialog title.
constexpr char kSaveTitle[] =
    "\x96\xbc\x91\x4f\x82\xf0\x95\x74\x82\xaf\x82\xc4\x95\xdb\x91\xb6";  // 名前を付けて保存

// Question before the pane is cleared.
constexpr char kClearQuestion[] =
    "\x8c\xbb\x8d\xdd\x82\xcc\x93\xe0\x97\x65\x82\xf0\x82\xb7\x82\xd7\x82\xc4"
    "\x8f\xc1\x8b\x8e\x82\xb5\x82\xdc\x82\xb7\x81\x42";  // 現在の内容をすべて消去します。
constexpr char kQuestionCaption[] = "\x8a\x6d\x94\x46";  // 確認 (every question's caption)

// Question before closing, or opening another file, drops typed or pasted text never saved;
// its three buttons.
constexpr char kUnsavedQuestion[] =
    "\x93\xfc\x97\xcd\x82\xdc\x82\xbd\x82\xcd\x93\x5c\x82\xe8\x95\x74\x82\xaf\x82\xbd\x93\xe0\x97"
    "\x65\x82\xaa\x95\xdb\x91\xb6\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\x81\x42"
    "\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48";  // 入力または貼り付けた内容が保存されていません。保存しますか？
constexpr char kSaveButton[] = "\x95\xdb\x91\xb6(&S)";  // 保存(&S)
constexpr char kDontSaveButton[] =
    "\x95\xdb\x91\xb6\x82\xb5\x82\xc8\x82\xa2(&N)";                           // 保存しない(&N)
constexpr char kCancelButton[] = "\x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b";  // キャンセル
// Question before an empty text is saved.
constexpr char kEmptySaveQuestion[] =
    "\x83\x65\x83\x4c\x83\x58\x83\x67\x82\xaa\x8b\xf3\x82\xc5\x82\xb7\x81\x42\x8b\xf3\x82\xcc\x83"
    "\x74\x83\x40\x83\x43\x83\x8b\x82\xc6\x82\xb5\x82\xc4\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb7"
    "\x82\xa9\x81\x48";  // テキストが空です。空のファイルとして保存しますか？
// Question before undo drops typing that is too large to become the text:
// 入力した内容が40,000,000バイトを超えるため取り込めません。入力を破棄して元に戻しますか？
constexpr char kDropTypingQuestion[] =
    "\x93\xfc\x97\xcd\x82\xb5\x82\xbd\x93\xe0\x97\x65\x82\xaa"
    "40,000,000"
    "\x83\x6f\x83\x43\x83\x67\x82\xf0\x92\xb4\x82\xa6\x82\xe9\x82\xbd\x82\xdf\x8e\xe6"
    "\x82\xe8\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x81\x42\x93\xfc\x97\xcd\x82\xf0\x94"
    "\x6a\x8a\xfc\x82\xb5\x82\xc4\x8c\xb3\x82\xc9\x96\xdf\x82\xb5\x82\xdc\x82\xb7\x82\xa9"
    "\x81\x48";

// Version box: the product and its version (the project's, CMakeLists.txt).
constexpr char kAboutCaption[] =
    "\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1";  // バージョン情報
constexpr char kAboutText[] = "Linsift " LINSIFT_VERSION;

// Title bar with a file: "<name> - Linsift"; without one it is kWindowTitle alone. A text
// that differs from its file has kTitleModified in front; a cut file kTitleCut behind its name,
// %s taking the bytes loaded.
constexpr char kTitleSeparator[] = " - ";
constexpr char kTitleModified[] = "*";
constexpr char kTitleCut[] =
    "\x81\x69\x90\xe6\x93\xaa %s \x83\x6f\x83\x43\x83\x67\x81\x6a";  // （先頭 %s バイト）

// Status text while a long command runs.
constexpr char kBusyStatus[] = "\x8f\x88\x97\x9d\x92\x86\x81\x63";  // 処理中…

// The status text after a file is opened or dropped is the filters' line count,
// ShownTexts::kLinesFormat, followed by one of these when not all of the file was loaded.
// Each %s takes a byte count written with thousands separators, in order.
constexpr char kLoadCut[] =
    "\x81\x69%s\x83\x6f\x83\x43\x83\x67\x92\x86\x81\x41\x90\xe6\x93\xaa%s\x83\x6f\x83\x43"
    "\x83\x67\x82\xf0\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x81\x6a";  // （%sバイト中、先頭%sバイトを読み込み）
constexpr char kLoadEndedAtNul[] =
    "\x81\x69NUL\x82\xdc\x82\xc5\x82\xcc%s\x83\x6f\x83\x43\x83\x67\x82\xf0\x93\xc7\x82\xdd"
    "\x8d\x9e\x82\xdd\x81\x41\x8e\x63\x82\xe8%s\x83\x6f\x83\x43\x83\x67\x82\xcd\x96\xa2"
    "\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x81\x6a";  // （NULまでの%sバイトを読み込み、残り%sバイトは未読み込み）

// A cut file whose size is not known (it reports less than was read).
constexpr char kLoadCutOpenEnded[] =
    "\x81\x69\x90\xe6\x93\xaa%"
    "s\x83\x6f\x83\x43\x83\x67\x82\xf0\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x81\x41\x88\xc8\x8d\x7e\x82"
    "\xcd\x96\xa2\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x81\x6a";  // （先頭%sバイトを読み込み、以降は未読み込み）

// A load that failed: nothing changed. %s takes the file's name.
constexpr char kLoadMissing[] =
    "\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x81\x46%s\x81\x69\x8c\xa9\x82\xc2\x82\xa9"
    "\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x6a";  // 開けません：%s（見つかりません）
constexpr char kLoadFolder[] =
    "\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x81\x46%s\x81\x69\x83\x74\x83\x48\x83\x8b"
    "\x83\x5f\x81\x5b\x82\xc5\x82\xb7\x81\x6a";  // 開けません：%s（フォルダーです）
constexpr char kLoadUnreadable[] =
    "\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x81\x46%s\x81\x69\x93\xc7\x82\xdd\x8e\xe6"
    "\x82\xea\x82\xdc\x82\xb9\x82\xf1\x81\x6a";  // 開けません：%s（読み取れません）
constexpr char kLoadTooLarge[] =
    "\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x81\x46%s\x81\x69\x91\xe5\x82\xab\x82\xb7"
    "\x82\xac\x82\xdc\x82\xb7\x81\x6a";  // 開けません：%s（大きすぎます）

// A command whose result would pass 40,000,000 bytes changes nothing and says so.
constexpr char kResultTooLarge[] =
    "\x8c\x8b\x89\xca\x82\xaa"
    "40,000,000\x83\x6f\x83\x43\x83\x67\x82\xf0\x92\xb4\x82\xa6\x82\xe9\x82\xbd\x82\xdf"
    "\x95\xcf\x8d\x58\x82\xb5\x82\xdc\x82\xb9\x82\xf1";  // 結果が40,000,000バイトを超えるため変更しません

// A search text over 255 bytes is refused, never cut; a search that a matcher abandons at its
// work limit changes nothing. Both say so.
constexpr char kSearchTooLong[] =
    "\x8c\x9f\x8d\xf5\x95\xb6\x8e\x9a\x97\xf1\x82\xcd"
    "255\x83\x6f\x83\x43\x83\x67\x82\xdc\x82\xc5\x82\xc5\x82\xb7";  // 検索文字列は255バイトまでです
constexpr char kSearchAbandoned[] =
    "\x8c\x9f\x8d\xf5\x82\xc9\x8e\x9e\x8a\xd4\x82\xaa\x82\xa9\x82\xa9\x82\xe8\x82\xb7"
    "\x82\xac\x82\xe9\x82\xbd\x82\xdf\x92\x86\x8e\x7e\x82\xb5\x82\xdc\x82\xb5\x82\xbd"
    "\x81\x69\x95\xcf\x8d\x58\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x81\x6a";  // 検索に時間がかかりすぎるため中止しました（変更しません）

// After a save. %s takes the file's name.
constexpr char kSaved[] =
    "\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x46%s";  // 保存しました：%s
constexpr char kSaveFailed[] =
    "\x95\xdb\x91\xb6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81\x46%s";  // 保存できません：%s
constexpr char kSaveReadOnly[] =
    "\x95\xdb\x91\xb6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81\x46%"
    "s\x81\x69\x93\xc7\x82\xdd\x8e\xe6\x82\xe8\x90\xea\x97\x70\x82\xc5\x82\xb7\x81\x6a";  // 保存できません：%s（読み取り専用です）

// Behind a conversion's line count when nkf32 could not be used, so the lines were only
// percent-decoded. %s takes the converter's file.
constexpr char kConverterMissing[] =
    "\x81\x69%s "
    "\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe7\x82\xc8\x82\xa2\x82\xbd\x82\xdf\x81\x41\x83"
    "\x70\x81\x5b\x83\x5a\x83\x93\x83\x67\x83\x66\x83\x52\x81\x5b\x83\x68\x82\xcc\x82\xdd"
    "\x81\x6a";  // （%s が見つからないため、パーセントデコードのみ）
constexpr char kConverterInvalid[] =
    "\x81\x69%s "
    "\x82\xcd\x95\xcf\x8a\xb7\x83\x89\x83\x43\x83\x75\x83\x89\x83\x8a\x82\xc5\x82\xcd\x82\xc8\x82"
    "\xa2\x82\xbd\x82\xdf\x81\x41\x83\x70\x81\x5b\x83\x5a\x83\x93\x83\x67\x83\x66\x83\x52\x81\x5b"
    "\x83\x68\x82\xcc\x82\xdd\x81\x6a";  // （%s
                                         // は変換ライブラリではないため、パーセントデコードのみ）

// Search options beside the search box; Alt+R and Alt+I toggle them.
constexpr char kRegexOption[] = "\x90\xb3\x8b\x4b\x95\x5c\x8c\xbb(&R)";  // 正規表現(&R)
constexpr char kIgnoreCaseOption[] =
    "\x91\xe5\x95\xb6\x8e\x9a\x8f\xac\x95\xb6\x8e\x9a\x82\xf0\x8b\xe6\x95\xca\x82\xb5\x82\xc8\x82"
    "\xa2(&I)";  // 大文字小文字を区別しない(&I)

// A search text that is not a valid expression: nothing changes. The first %s takes the
// character at which it stops making sense, the second Oniguruma's reason (ASCII).
constexpr char kBadExpression[] =
    "\x90\xb3\x8b\x4b\x95\x5c\x8c\xbb\x82\xcc\x8c\xeb\x82\xe8\x81\x69"
    "%s\x95\xb6\x8e\x9a\x96\xda\x81\x6a\x81\x46%s";  // 正規表現の誤り（%s文字目）：%s

// The live count in the status bar's second part: the lines that match, with thousands
// separators; for an expression that does not compile; for a count abandoned at the work limit.
constexpr char kLiveCount[] = "\x88\xea\x92\x76 %s\x8d\x73";                    // 一致 %s行
constexpr char kLiveCountBadExpression[] = "\x8e\xae\x82\xcc\x8c\xeb\x82\xe8";  // 式の誤り
// 一致 ?行（照合中止）
constexpr char kLiveCountGaveUp[] =
    "\x88\xea\x92\x76 ?\x8d\x73\x81\x69\x8f\xc6\x8d\x87\x92\x86\x8e\x7e\x81\x6a";

}  // namespace ui
