// A literal search text as a Matcher, in each line's encoding, with or without case.
#pragma once

#include <cstddef>
#include <memory>

#include "filters/LiteralSearch.h"
#include "filters/Matcher.h"

namespace filters {

/// Matches the search text as it is (Shift_JIS) on Shift_JIS lines and its UTF-8 form on UTF-8
/// lines (filters/LineEncoding.h); a search text without a UTF-8 form matches no UTF-8 line.
/// With ignoreCase a letter matches its other case (filters/CaseFold.h). An occurrence counts
/// where it starts and ends on character boundaries of its line; with bytes, every occurrence
/// of the search text's own bytes counts, on every line (grep's rule).
class LiteralFormsMatcher : public Matcher {
 public:
  /// search: 1 to limits::kSearchBytes bytes, LF included (such a text matches nothing).
  LiteralFormsMatcher(const char* search, size_t size, bool ignoreCase, bool bytes);

  const char* NextCandidate(const char* from, const char* end) const override;
  LineMatch Find(const char* begin, const char* end, const char* from,
                 const char* hint = nullptr) const override;

 private:
  LiteralSearch search_;
  bool bytes_;
};

}  // namespace filters
