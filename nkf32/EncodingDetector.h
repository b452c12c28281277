// EncodingDetector: guesses the encoding of one line from its bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "nkf32/Encoding.h"

namespace nkf32 {

/// Reads the line as each encoding that could have produced it and keeps the
/// reading that is likeliest as Japanese text (JapanesePrior): readings with
/// fewer invalid byte sequences always win, and among those the smallest total
/// cost. Pure 7-bit text without ESC or SO is ASCII. Stateless and thread-safe.
class EncodingDetector {
 public:
  /// Cost of one invalid sequence: larger than any line's characters can add up
  /// to, so a reading with fewer invalid sequences always wins.
  static constexpr int64_t kInvalidWeight = int64_t{1} << 40;

  /// The likeliest encoding of [p, p + n). Ties go to UTF-8, then Shift_JIS,
  /// then EUC-JP.
  static Encoding Detect(const char* p, size_t n);

  /// The cost of reading [p, p + n) as `e`: kInvalidWeight per invalid
  /// sequence plus the characters' costs. Stops early and returns some value
  /// above `limit` once the cost exceeds it.
  static int64_t Cost(Encoding e, const char* p, size_t n, int64_t limit = INT64_MAX);
};

}  // namespace nkf32
