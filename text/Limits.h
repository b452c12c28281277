// The size limits of the whole program, each defined once.
#pragma once

namespace limits {

/// Bytes of text held at most: what a B2String1 holds, what a filter reads of a pane text and
/// the largest input linsift-cli accepts (the window could not hold more).
constexpr int kTextBytes = 40000000;

/// Items a B2StringVector holds at most (2 to the 22nd power plus one); a split keeps the first.
constexpr int kListItems = 4194305;

/// Bytes of the search text the filters use; CountMatches refuses a longer one.
constexpr int kSearchBytes = 255;
/// Room the three filters read the search box into: the bytes they use and a NUL.
constexpr int kSearchCapacity = kSearchBytes + 1;
/// Room CountMatches reads it into: one byte more, to see that a text is too long, and a NUL.
constexpr int kCountSearchCapacity = kSearchBytes + 2;

/// Undo steps the window's document keeps at most, and bytes of text those steps hold at most;
/// the oldest go first. Twenty steps of 40,000,000-byte texts would not fit in memory, so the
/// byte bound decides for large texts (ten steps of the largest) and the step bound for small
/// ones.
constexpr int kHistorySteps = 100;
constexpr int kHistoryBytes = 400000000;

}  // namespace limits
