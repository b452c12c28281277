// Control and menu command identifiers of the main window, in one place.
#pragma once

#include "text/Limits.h"

namespace ids {

// Controls. The search box and the status bar carry 0, the pane 1; WM_COMMAND
// ignores all three.
constexpr int kSearchBox = 0;
constexpr int kTextPane = 1;
constexpr int kStatusBar = 0;

// The four buttons.
constexpr int kExtract = 3;
constexpr int kDelete = 4;
constexpr int kDeleteUpTo = 5;
constexpr int kCountMatches = 6;

// The search options (check boxes), and the keys that toggle them (Alt+R, Alt+I).
constexpr int kRegexOption = 7;
constexpr int kIgnoreCaseOption = 8;
constexpr int kToggleRegex = 9;
constexpr int kToggleIgnoreCase = 10;

// File menu.
constexpr int kOpenFile = 11;
constexpr int kExit = 12;
constexpr int kSaveAs = 13;
// The recent-files menu: kRecentFile + i opens the i-th newest file.
constexpr int kRecentFile = 51;
constexpr int kRecentFilesEnd = kRecentFile + limits::kRecentFiles;

// Edit menu, which stands at bar position 1.
constexpr int kSelectAll = 21;
constexpr int kCopyAll = 22;
constexpr int kClearAndPaste = 23;
constexpr int kClearPane = 24;
constexpr int kUndo = 25;
constexpr int kRedo = 26;
constexpr int kEditMenuPosition = 1;

// String menu: both items run the same conversion.
constexpr int kConvertSjis = 31;
constexpr int kConvertUrl = 32;

// Version menu.
constexpr int kAbout = 41;

// Keys without a menu item: F3 and Shift+F3 move to the next and previous match.
constexpr int kFindNext = 61;
constexpr int kFindPrevious = 62;

// The timer that marks the matches a moment after the search text last changed.
constexpr unsigned kMarkTimer = 1;
constexpr unsigned kMarkDelayMs = 200;

// Every command has its own identifier.
static_assert(kRecentFilesEnd <= kFindNext, "the recent files' range runs into F3's keys");

}  // namespace ids
