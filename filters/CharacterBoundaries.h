// Where the characters of one line start: decides whether an occurrence of a search text
// starts and ends on character boundaries, so that a search never matches half a character.
#pragma once

#include <cstddef>

/// The character boundaries of one line's content [begin, end) (no line break), worked out
/// lazily, only where asked. Points into the line; owns nothing.
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
/// The Shift_JIS walk is not done byte by byte from the start: a byte that cannot lead ends a
/// character, so the position behind it is a boundary, and the lead bytes between it and a
/// query pair off. A query looks back over those lead bytes only, never behind a boundary an
/// earlier query found; as the queries move forward, all of them together read each byte of
/// the line at most twice. The UTF-8 check reads the line once, and only when the two
/// readings disagree about a query.
class CharacterBoundaries {
 public:
  /// The line [begin, end). shiftJis: the caller knows that the line is not valid UTF-8
  /// (it holds bytes that cannot occur in UTF-8), so it is read as Shift_JIS without a check.
  CharacterBoundaries(const char* begin, const char* end, bool shiftJis = false);

  /// False when the size bytes at text occur in no well-formed UTF-8 text, so that a line
  /// holding them is read as Shift_JIS; true for ASCII, for a part of a UTF-8 text, and for
  /// size 0.
  static bool CanOccurInUtf8(const char* text, size_t size);
  /// True when the size bytes at text are well-formed UTF-8 as a whole (ASCII and size 0
  /// included), as a line read as UTF-8 must be.
  static bool IsUtf8(const char* text, size_t size);
  /// True when the line [begin, end) is valid UTF-8 and holds a byte that is not ASCII: a line
  /// that reads differently as UTF-8 and as Shift_JIS, and that matching reads as UTF-8.
  static bool IsUtf8Line(const char* begin, const char* end);

  /// True when [from, to) starts and ends on character boundaries, for
  /// begin <= from < to <= end. Over the calls on one object, from and to must each never
  /// decrease, and from must not fall behind what Next gave last.
  bool Holds(const char* from, const char* to);

  /// A place behind p (begin <= p < end) where the search for an occurrence that counts can
  /// resume: the first boundary behind p, or p + 1 while the line's reading is still open.
  /// p must not fall behind the last from given to Holds nor behind what Next gave last.
  const char* Next(const char* p);

  /// True when from and to are boundaries whichever way the line [begin, end) is read, as the
  /// byte in front of each is ASCII (or it is the line's start or end): an ASCII byte ends a
  /// character in Shift_JIS and is never followed by a continuation byte in UTF-8. False
  /// says nothing. Costs two byte reads; spares Holds for most ASCII hits.
  static bool AfterAscii(const char* begin, const char* end, const char* from, const char* to) {
    return (from == begin || static_cast<unsigned char>(from[-1]) < 0x80) &&
           (to == end || static_cast<unsigned char>(to[-1]) < 0x80);
  }

 private:
  enum class Reading { kUnknown, kUtf8, kShiftJis };

  void Classify();
  bool Utf8Holds(const char* from, const char* to) const;
  /// Whether p is a boundary in the Shift_JIS reading, given the boundary known <= p; moves
  /// known to p, or to p - 1 when p is a trail byte.
  bool ShiftJisBoundary(const char*& known, const char* p) const;

  const char* begin_;
  const char* end_;
  Reading reading_;
  const char* start_;  // Shift_JIS: a boundary no further than the next from
  const char* stop_;   // Shift_JIS: a boundary no further than the next to
};
