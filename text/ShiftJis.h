// The byte classes of Shift_JIS (code page 932): the one definition of the program.
#pragma once

namespace text {

/// A byte that starts a two-byte character when a trail byte follows: 81-9F and E0-FC.
inline bool IsShiftJisLead(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

/// A byte that can end a two-byte character: 40-7E and 80-FC.
inline bool IsShiftJisTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

}  // namespace text
