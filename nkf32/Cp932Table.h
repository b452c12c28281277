// Cp932Table: Unicode to Shift_JIS (CP932) and the set of valid CP932 codes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace nkf32 {

/// The mapping every conversion uses, built once per process from the platform's
/// own converter (glibc iconv "CP932" on Linux, code page 932 on Windows), then
/// corrected where JIS and Microsoft tables disagree so both platforms give the
/// same bytes: 〜 U+301C -> 81 60, − U+2212 -> 81 7C, ‖ U+2016 -> 81 61,
/// — U+2014 -> 81 5C, ¢ £ ¬ -> 81 91 / 81 92 / 81 CA, ¥ U+00A5 -> 81 8F,
/// ‾ U+203E -> 81 50.
///
/// Codes are Shift_JIS values: below 0x100 a single byte (ASCII, or half-width
/// katakana 0xA1-0xDF), otherwise lead << 8 | trail. The table is immutable once
/// built and safe to read from any thread.
class Cp932Table {
 public:
  /// The process-wide table, built on first use (thread-safe).
  static const Cp932Table& Get();

  /// The CP932 code of a Unicode code point, or 0 when it has none (also for
  /// U+0000 and everything beyond the BMP).
  uint16_t FromUnicode(char32_t cp) const { return cp < 0x10000 ? fromUnicode_[cp] : uint16_t{0}; }

  /// True when `code` (>= 0x100) is a defined double-byte CP932 character.
  bool IsDoubleByte(uint16_t code) const { return (valid_[code >> 3] >> (code & 7)) & 1; }

  /// The preferred form of a defined double-byte code: the IBM extension codes
  /// (FA-FC) for their NEC-selected duplicates (ED/EE); every other code as is.
  uint16_t Canonical(uint16_t code) const {
    return (code >> 8) == 0xED || (code >> 8) == 0xEE ? canonicalIbm_[code - 0xED00] : code;
  }

  /// True when [p, p + n) is a sequence of whole CP932 characters: ASCII,
  /// half-width katakana (0xA1-0xDF) or defined double-byte codes.
  bool IsValidText(const char* p, size_t n) const {
    const unsigned char* b = reinterpret_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; ++i) {
      if (b[i] < 0x80 || (b[i] >= 0xA1 && b[i] <= 0xDF)) continue;
      if (i + 1 == n || !IsDoubleByte(static_cast<uint16_t>(b[i] << 8 | b[i + 1]))) return false;
      ++i;
    }
    return true;
  }

  /// Decodes one CP932 character (1 or 2 bytes) to Unicode; 0 when undefined.
  /// Slow (asks the platform); meant for tests and table building.
  static char32_t DecodeWithPlatform(uint16_t code);

 private:
  Cp932Table();
  uint16_t fromUnicode_[0x10000];
  uint8_t valid_[0x10000 / 8];
  uint16_t canonicalIbm_[0x200];
};

}  // namespace nkf32
