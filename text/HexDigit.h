// Hex digits: the one parser of the program, dependency-free for the converter library too.
#pragma once

namespace text {

/// 0..15 for an ASCII hex digit (0-9, a-f, A-F), -1 for any other byte.
inline int HexValue(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  if (b >= '0' && b <= '9') return b - '0';
  if (b >= 'a' && b <= 'f') return b - 'a' + 10;
  if (b >= 'A' && b <= 'F') return b - 'A' + 10;
  return -1;
}

/// True for the bytes HexValue takes.
inline bool IsHexDigit(char c) { return HexValue(c) >= 0; }

}  // namespace text
