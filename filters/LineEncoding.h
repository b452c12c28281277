// The encoding a line is read in, for matching: the one rule every matcher follows.
#pragma once

#include "filters/CharacterBoundaries.h"

/// How one line's bytes are read when matching: UTF-8 for a line that is valid UTF-8 and holds
/// a byte that is not ASCII, Shift_JIS (code page 932) for every other line (an ASCII line
/// reads the same either way).
enum class LineEncoding { kShiftJis, kUtf8 };

/// The encoding of the line [begin, end) (no line break). Reads the line once, at most.
inline LineEncoding EncodingOf(const char* begin, const char* end) {
  return CharacterBoundaries::IsUtf8Line(begin, end) ? LineEncoding::kUtf8
                                                     : LineEncoding::kShiftJis;
}
