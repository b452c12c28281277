// The rules the filters apply to each line, one function each: the whole-text filters and
// linsift-cli's streaming (for lines longer than a block) both call them.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "filters/Matcher.h"
#include "filters/TextLine.h"
#include "nkf32/nkf32.h"

namespace filters {

/// The three line filters.
enum class Rule {
  kExtract,     ///< keep the lines that hold a match
  kDelete,      ///< keep the non-empty lines that hold none
  kDeleteUpTo,  ///< keep every non-empty line from its first match on (whole without one)
};

/// What rule keeps of line, whose first match is first (none when it holds no match): null
/// when the line is dropped, else where the kept bytes start; they run to line.end and are
/// written followed by a line break.
inline const char* KeptFrom(Rule rule, const TextLine& line, const LineMatch& first) {
  switch (rule) {
    case Rule::kExtract:
      return first ? line.begin : nullptr;
    case Rule::kDelete:
      return first || line.begin == line.end ? nullptr : line.begin;
    case Rule::kDeleteUpTo:
      if (line.begin == line.end) return nullptr;
      return first ? first.begin : line.begin;
  }
  return nullptr;
}

/// The conversion of one line: its content percent-decoded (text/PercentDecode.h: %XX with two
/// hex digits becomes that byte, everything else stays), read up to its first NUL, and handed
/// to convert with an output buffer of 2 * n + 1 bytes (n: the decoded length); the converted
/// bytes are what convert wrote up to its NUL. Without a converter (null) the decoded line as
/// the converter would have read it. Two buffers serve every line; they grow when a line needs
/// more and never shrink.
class LineConverter {
 public:
  explicit LineConverter(NkfConvertFn convert) : convert_(convert) {}

  /// The converted content of [begin, end); valid until the next call. A line without '%'
  /// and without a converter comes back as itself (no copy).
  std::string_view Convert(const char* begin, const char* end);

 private:
  // A buffer that leaves new bytes uninitialised, so pages are touched only as written.
  class Buffer {
   public:
    char* Get(size_t size) {
      if (size > capacity_) {
        data_.reset(new char[size]);
        capacity_ = size;
      }
      return data_.get();
    }

   private:
    std::unique_ptr<char[]> data_;
    size_t capacity_ = 0;
  };

  NkfConvertFn convert_;
  Buffer decoded_;
  Buffer converted_;
};

}  // namespace filters
