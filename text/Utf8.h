// The shape of UTF-8 sequences: the one definition of the program.
#pragma once

#include <string>

namespace text {

/// What a UTF-8 lead byte promises: the sequence's size in bytes (1 for ASCII, 0 for a byte
/// that starts no valid sequence) and the range its second byte must lie in, which rules out
/// overlong forms, surrogates (D800-DFFF) and code points past U+10FFFF. Later bytes are
/// 80-BF.
struct Utf8Lead {
  int size;
  unsigned char low;
  unsigned char high;
};

inline Utf8Lead Utf8LeadOf(unsigned char b) {
  if (b < 0x80) return {1, 0x80, 0xBF};
  if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, 0xBF};
  if (b == 0xE0) return {3, 0xA0, 0xBF};
  if (b == 0xED) return {3, 0x80, 0x9F};
  if (b >= 0xE1 && b <= 0xEF) return {3, 0x80, 0xBF};
  if (b == 0xF0) return {4, 0x90, 0xBF};
  if (b == 0xF4) return {4, 0x80, 0x8F};
  if (b >= 0xF1 && b <= 0xF3) return {4, 0x80, 0xBF};
  return {0, 0, 0};
}

/// Appends the UTF-8 sequence of the code point cp (below 0x110000; a surrogate is written as
/// it is).
inline void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

/// A byte that continues a sequence: 80-BF.
inline bool IsUtf8Continuation(unsigned char b) { return b >= 0x80 && b <= 0xBF; }

}  // namespace text
