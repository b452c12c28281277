// A search text in each encoding a line may be read in.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "filters/LineEncoding.h"

/// The search text as given (Shift_JIS, code page 932) and its UTF-8 form, so that a UTF-8
/// line is searched for the same characters in its own bytes.
class SearchForms {
 public:
  /// The forms of the Shift_JIS text [text, text + size).
  SearchForms(const char* text, size_t size);

  /// The form for lines read in encoding; null when the text has no form there (a byte
  /// sequence code page 932 does not define has no UTF-8 form).
  const std::string* In(LineEncoding encoding) const {
    if (encoding == LineEncoding::kShiftJis) return &shiftJis_;
    return utf8_ ? &*utf8_ : nullptr;
  }
  /// True when both forms are the same bytes (an ASCII text).
  bool Same() const { return utf8_ && *utf8_ == shiftJis_; }

  /// The Shift_JIS text [text, text + size) as UTF-8 (ASCII as it is, half-width katakana and
  /// every defined double-byte code of code page 932); false when it holds anything else.
  static bool ShiftJisToUtf8(const char* text, size_t size, std::string& out);

 private:
  std::string shiftJis_;
  std::optional<std::string> utf8_;
};
