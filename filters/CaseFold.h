// The program's ignore-case rule, in both encodings a line may be read in.
#pragma once

#include <cstddef>
#include <cstdint>

#include "filters/LineEncoding.h"

/// Which characters match each other when case is ignored: the ASCII letters A-Z and a-z, and
/// the full-width Latin letters Ａ-Ｚ and ａ-ｚ among themselves (never with ASCII). Nothing else
/// folds: no Greek, Cyrillic, accented or other letters. A letter and its other case have the
/// same size in bytes in either encoding.
class CaseFold {
 public:
  /// The other case of the character code (Shift_JIS: the byte, or lead << 8 | trail; UTF-8: the
  /// code point), or 0 when it has none.
  static uint32_t OtherCase(LineEncoding encoding, uint32_t code) {
    if ((code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z')) return code ^ 0x20;
    if (encoding == LineEncoding::kShiftJis) {
      if (code >= 0x8260 && code <= 0x8279) return code + 0x21;  // Ａ-Ｚ
      if (code >= 0x8281 && code <= 0x829A) return code - 0x21;  // ａ-ｚ
      return 0;
    }
    if (code >= 0xFF21 && code <= 0xFF3A) return code + 0x20;
    if (code >= 0xFF41 && code <= 0xFF5A) return code - 0x20;
    return 0;
  }

  /// The lower-case form of the character code (the code itself when it has no other case).
  static uint32_t Lower(LineEncoding encoding, uint32_t code) {
    const uint32_t other = OtherCase(encoding, code);
    return other != 0 && other > code ? other : code;
  }

  /// When the bytes at p (before end) start a letter that folds, writes the bytes of its other
  /// case to out and gives their size (1, 2 or 3); otherwise 0.
  static size_t OtherCaseBytes(LineEncoding encoding, const unsigned char* p,
                               const unsigned char* end, unsigned char out[3]) {
    if ((*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z')) {
      out[0] = static_cast<unsigned char>(*p ^ 0x20);
      return 1;
    }
    if (encoding == LineEncoding::kShiftJis) {
      if (end - p < 2 || p[0] != 0x82) return 0;
      const uint32_t other = OtherCase(encoding, 0x8200u | p[1]);
      if (other == 0) return 0;
      out[0] = 0x82;
      out[1] = static_cast<unsigned char>(other & 0xFF);
      return 2;
    }
    // Ａ-Ｚ is EF BC A1-BA, ａ-ｚ is EF BD 81-9A.
    if (end - p < 3 || p[0] != 0xEF) return 0;
    if (p[1] == 0xBC && p[2] >= 0xA1 && p[2] <= 0xBA) {
      out[0] = 0xEF, out[1] = 0xBD, out[2] = static_cast<unsigned char>(p[2] - 0x20);
      return 3;
    }
    if (p[1] == 0xBD && p[2] >= 0x81 && p[2] <= 0x9A) {
      out[0] = 0xEF, out[1] = 0xBC, out[2] = static_cast<unsigned char>(p[2] + 0x20);
      return 3;
    }
    return 0;
  }
};
