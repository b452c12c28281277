// The size limits of the whole program, each defined once.
#pragma once

namespace limits {

/// Bytes of text held at most: what a B2String1 holds, what a filter reads of a pane text and
/// the largest input linsift-cli accepts (the window could not hold more).
constexpr int kTextBytes = 40000000;

/// Items a B2StringVector holds at most (2 to the 22nd power plus one); a split keeps the first.
constexpr int kListItems = 4194305;

/// Bytes a search text holds at most; every command refuses a longer one, never cutting it.
constexpr int kSearchBytes = 255;

/// Undo steps the window's document keeps at most, and bytes of text those steps hold at most;
/// the oldest go first: 100 steps of small texts, 25 of the largest.
constexpr int kHistorySteps = 100;
constexpr int kHistoryBytes = 1000000000;
/// Bytes of the undo and redo steps' texts held in memory at most (five of the largest); the
/// others wait in a temporary file.
constexpr int kHistoryMemoryBytes = 200000000;

/// Bytes of a path the window takes from a drop or the open dialog: the system's long-path
/// limit of 32,767 characters, each at most two bytes in the ANSI code page, and a NUL.
constexpr int kPathBytes = 2 * 32767 + 1;

/// What the window remembers between runs: search texts offered in the search box's list,
/// files in the recent-files menu (the newest first; the oldest go), and the bytes of the
/// settings file read at most (a longer one is not the program's and is ignored).
constexpr int kSearchHistoryItems = 20;
constexpr int kRecentFiles = 8;
constexpr int kSettingsFileBytes = 65536;

}  // namespace limits
