// EncodingDetector: guesses the encoding of one line from its bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "nkf32/Encoding.h"

namespace nkf32 {

/// Reads the line as each encoding that could have produced it and keeps the
/// reading that is likeliest as Japanese text (JapanesePrior): a reading
/// without invalid byte sequences always beats one with them, and among the
/// valid ones the smallest total cost wins. When no reading is valid, each
/// invalid sequence costs as much as a rare character and the cheapest reading
/// wins. 7-bit text is ISO-2022-JP if it holds ESC or SO, else ASCII.
/// Stateless and thread-safe.
class EncodingDetector {
 public:
  /// Cost of one invalid sequence while looking for a valid reading: more than
  /// any line's characters can add up to.
  static constexpr int64_t kRuledOut = int64_t{1} << 40;

  /// The likeliest encoding of [p, p + n). Ties go to UTF-8, then Shift_JIS,
  /// then EUC-JP.
  static Encoding Detect(const char* p, size_t n);

  /// The cost of reading [p, p + n) as `e`: the characters' costs plus
  /// `invalid_cost` per invalid sequence. With kRuledOut it stops at the first
  /// invalid sequence and returns kRuledOut or more.
  static int64_t Cost(Encoding e, const char* p, size_t n, int64_t invalid_cost = kRuledOut);
};

}  // namespace nkf32
