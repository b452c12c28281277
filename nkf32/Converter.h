// Converter: one line of Japanese text in any supported encoding to CP932.
#pragma once

#include <cstddef>

#include "nkf32/Encoding.h"

namespace nkf32 {

/// What the caller may change about the output.
struct ConvertOptions {
  /// Keep half-width katakana (ｶﾞ stays two bytes) instead of widening it.
  bool keepHalfwidthKana = false;
};

/// Converts a line to Shift_JIS (CP932): guesses the line's encoding
/// (EncodingDetector), decodes MIME encoded words, widens half-width katakana
/// (combining ﾞ and ﾟ) unless told not to, and writes every character that has
/// no CP932 form, and every byte sequence that fits the chosen encoding nowhere,
/// as 〓 (81 AC). A NUL byte, in the input or decoded from MIME, is dropped.
/// Nothing carries over between calls; the object is immutable and can be
/// shared between threads.
class Converter {
 public:
  explicit Converter(ConvertOptions options = {}) : options_(options) {}

  /// Parses option text as nkf's command line does: blank-separated words,
  /// each an optional '-' and letters. 's' selects Shift_JIS output (the only
  /// one; it is the default), 'x' keeps half-width katakana, 'X' widens it.
  /// Other letters and long "--" options are ignored. Never fails.
  static ConvertOptions ParseOptions(const char* text);

  /// The buffer size that always suffices for n input bytes, the NUL included.
  static size_t RequiredCapacity(size_t n) { return 2 * n + 1; }

  /// Converts [in, in + n) into `out`, which holds `capacity` bytes, and
  /// NUL-terminates it. Never writes past `capacity` (with capacity 0, nothing
  /// at all); with at least RequiredCapacity(n) the text is always complete.
  /// Returns the output length without the NUL; `*complete` (if given) tells
  /// whether everything fitted.
  size_t Convert(const char* in, size_t n, char* out, size_t capacity,
                 bool* complete = nullptr) const;

  /// Converts [in, in + n) read as `encoding`, without guessing and without
  /// MIME decoding; otherwise as Convert.
  size_t ConvertAs(Encoding encoding, const char* in, size_t n, char* out, size_t capacity,
                   bool* complete = nullptr) const;

  const ConvertOptions& Options() const { return options_; }

 private:
  ConvertOptions options_;
};

}  // namespace nkf32
