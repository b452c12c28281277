// Every text the window shows, once, as the Shift_JIS (code page 932) bytes it is
// drawn from, with the readable text beside it. Plain bytes: no <windows.h>, so the
// test that decodes them runs on any platform.
//
// Every byte of a Japanese character is written as a hex escape, so a trail byte
// 0x5C (表, ソ) can never act as a backslash. A hex escape followed by a letter that
// is a hex digit would swallow it, so such a letter starts a new literal piece (the test
// would catch a miss: the decoded text would differ).
#pragma once

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
constexpr char kClearCaption[] = "\x8a\x6d\x94\x46";  // 確認

// Version box.
constexpr char kAboutCaption[] =
    "\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1";  // バージョン情報
constexpr char kAboutText[] = "Linsift 09";

// Title bar with a file: "<name> - Linsift"; without one it is kWindowTitle alone.
constexpr char kTitleSeparator[] = " - ";

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

}  // namespace ui
