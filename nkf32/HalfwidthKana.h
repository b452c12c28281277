// HalfwidthKana: the full-width katakana each half-width one widens to.
#pragma once

#include <cstdint>

namespace nkf32 {

/// Full-width CP932 forms of the half-width katakana 0xA1-0xDF, and of a kana
/// followed by the voiced (ﾞ 0xDE) or semi-voiced (ﾟ 0xDF) mark where CP932 has
/// the combined character (ｶﾞ -> ガ, ﾊﾟ -> パ, ｳﾞ -> ヴ). Built once from the
/// CP932 table; immutable and safe to read from any thread.
class HalfwidthKana {
 public:
  static const HalfwidthKana& Get();

  static bool Is(uint16_t code) { return code >= 0xA1 && code <= 0xDF; }

  /// True for the punctuation marks among them: ｡ ｢ ｣ ､ ･ (0xA1-0xA5).
  static bool IsPunctuation(uint16_t code) { return code >= 0xA1 && code <= 0xA5; }

  /// False for the kana no word begins with: the punctuation marks, the small
  /// kana ｧ-ｯ, the long vowel ｰ and the sound marks ﾞ ﾟ; true for the others.
  static bool BeginsWord(uint16_t code) {
    return !IsPunctuation(code) && (code < 0xA7 || code > 0xB0) && code < 0xDE;
  }

  /// The full-width code of half-width kana `code` (0xA1-0xDF).
  uint16_t Wide(uint16_t code) const { return plain_[code - 0xA1]; }

  /// The full-width code of kana `code` followed by `mark`, or 0 when the two
  /// do not combine (`mark` not 0xDE or 0xDF, or no such character).
  uint16_t Combined(uint16_t code, uint16_t mark) const {
    if (mark == 0xDE) return voiced_[code - 0xA1];
    if (mark == 0xDF) return semiVoiced_[code - 0xA1];
    return 0;
  }

 private:
  HalfwidthKana();
  uint16_t plain_[63];
  uint16_t voiced_[63];
  uint16_t semiVoiced_[63];
};

}  // namespace nkf32
