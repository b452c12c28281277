// Where the characters of one line start: decides whether an occurrence of a search text
// starts and ends on character boundaries, so that a search never matches half a character.
#pragma once

#include <cstddef>

/// The character boundaries of one line's content [begin, end) (no line break), worked out
/// lazily from the line's start. Points into the line; owns nothing.
///
/// How a line is read:
/// - A line that is valid UTF-8 (well-formed sequences only: no overlong forms, no
///   surrogates, nothing past U+10FFFF) is read as UTF-8: a position is a boundary when its
///   byte is not a continuation byte (80-BF). An ASCII line is valid UTF-8; every position
///   in it is a boundary.
/// - Every other line is read as Shift_JIS (code page 932), walking from the line's start:
///   a lead byte (81-9F, E0-FC) followed by a trail byte (40-7E, 80-FC) is one two-byte
///   character. Every other byte is a one-byte character: ASCII, half-width katakana
///   (A1-DF), 80, A0, FD-FF, a lead byte followed by a byte that cannot trail, and a lead
///   byte at the line's end.
/// The line's start and end are always boundaries.
///
/// Cost: the queries' positions only move forward, so all queries on one line together walk
/// its bytes at most twice; the UTF-8 check reads the line once, at the first query.
class CharacterBoundaries {
 public:
  CharacterBoundaries(const char* begin, const char* end);

  /// True when [from, to) starts and ends on character boundaries, for
  /// begin <= from < to <= end. Over the calls on one object, from and to must each never
  /// decrease, and from must not fall behind the last Next.
  bool Holds(const char* from, const char* to);

  /// The first character boundary behind p, for begin <= p < end; the first place where an
  /// occurrence that starts behind p can count. p must not fall behind the last from given to
  /// Holds or the last p given to Next.
  const char* Next(const char* p);

  /// The byte classes of code page 932.
  static bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  }
  static bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

 private:
  enum class Reading { kUnknown, kUtf8, kShiftJis };

  void Classify();
  /// Moves a Shift_JIS cursor (a boundary) to the first boundary at or behind p.
  const char* WalkTo(const char* cursor, const char* p) const;

  const char* begin_;
  const char* end_;
  Reading reading_ = Reading::kUnknown;
  const char* start_;  // Shift_JIS: a boundary no further than the next from
  const char* stop_;   // Shift_JIS: a boundary no further than the next to
};
