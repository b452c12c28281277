// EncodingDetector: guesses the encoding of one line from its bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "nkf32/Encoding.h"

namespace nkf32 {

/// Reads the line as each encoding that could have produced it and keeps the
/// reading that is likeliest as Japanese text (JapanesePrior): the smallest
/// total cost wins. Each invalid byte sequence costs JapanesePrior::kInvalid,
/// and a reading may hold only MaxStray of them: a few stray bytes (a decoded
/// literal "%de") do not rule out a reading the rest of the line supports, but
/// a reading that is invalid all over never wins while one within the limit
/// exists. When none is, the limit is lifted. The limit counts only bytes
/// >= 0x80, so ASCII around the text changes no guess.
/// A line whose bytes >= 0x80 are two or four, all half-width kana in Shift_JIS,
/// is weighed as a whole short text: that Shift_JIS reading costs more
/// (JapanesePrior::kShortKanaPair and the constants after it), as one or two
/// EUC-JP or UTF-8 characters alone on a line are likelier than such kana.
/// 7-bit text is ISO-2022-JP if it holds ESC or SO, else ASCII.
/// Stateless and thread-safe.
class EncodingDetector {
 public:
  /// Added to a reading's cost once it passes its limit of invalid sequences.
  static constexpr int64_t kRuledOut = int64_t{1} << 40;
  /// No limit on invalid sequences.
  static constexpr int kUnlimited = 1 << 30;

  /// The likeliest encoding of [p, p + n). Ties go to UTF-8, then Shift_JIS,
  /// then EUC-JP.
  static Encoding Detect(const char* p, size_t n);

  /// The invalid sequences a reading of a text with `high` bytes >= 0x80 may
  /// hold: one, and one more for every 8 such bytes.
  static int MaxStray(size_t high);

  /// The cost of reading [p, p + n) as `e`. It stops at the invalid sequence
  /// after the first `maxInvalid` ones and then returns kRuledOut or more.
  static int64_t Cost(Encoding e, const char* p, size_t n, int maxInvalid = kUnlimited);
};

}  // namespace nkf32
