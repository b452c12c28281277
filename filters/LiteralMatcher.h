// The search for one literal text: exact bytes, by characters or by bytes.
#pragma once

#include <cstddef>
#include <string>

#include "filters/CharacterBoundaries.h"
#include "filters/Matcher.h"
#include "strings/ByteSearch.h"

namespace filters {

/// Finds the search text's exact bytes, without case folding. With MatchOptions::bytes every
/// occurrence counts; otherwise only one that starts and ends on character boundaries of its
/// line (filters/CharacterBoundaries.h has the rule: a line that is valid UTF-8 is read as
/// UTF-8, every other line as Shift_JIS). After an occurrence that does not count, a later one
/// in the same line still can. A search text holding an LF occurs in no line.
///
/// The whole text is searched once with the project's byte search (strings/ByteSearch.h);
/// boundaries are worked out only in lines with an occurrence.
class LiteralMatcher final : public Matcher {
 public:
  /// search: a non-empty text; it is copied.
  LiteralMatcher(const char* search, size_t size, bool bytes);

  const char* NextCandidate(const char* from, const char* end) const override {
    return needle_.size == 0 ? nullptr : FindBytes(from, end);
  }

  LineMatch Find(const char* begin, const char* end, const char* from,
                 const char* hint = nullptr) const override {
    const size_t size = needle_.size;
    if (size == 0 || static_cast<size_t>(end - from) < size) return {};
    // A hint is the first occurrence at or after the line's start; one that does not end
    // inside the line's content means that no later one does either.
    const char* hit = hint != nullptr && hint >= from ? hint : FindBytes(from, end);
    if (hit == nullptr || hit > end - size) return {};
    if (bytes_ || CharacterBoundaries::AfterAscii(begin, end, hit, hit + size)) {
      return {hit, hit + size};
    }
    return FirstOnBoundaries(begin, end, hit);
  }

 private:
  /// The first occurrence from hit on (one inside [begin, end)) on character boundaries.
  LineMatch FirstOnBoundaries(const char* begin, const char* end, const char* hit) const;

  const char* FindBytes(const char* from, const char* end) const {
    return bytesearch::Find(from, static_cast<size_t>(end - from), needle_);
  }

  std::string search_;
  bytesearch::Needle needle_;
  bool bytes_;
  bool shiftJisOnly_;  // the search text cannot occur in UTF-8: a line holding it is Shift_JIS
};

}  // namespace filters
