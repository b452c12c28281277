// The literal in the line's own encoding: the occurrence search, then the boundary check only
// where an occurrence is not next to ASCII.
#include "filters/LiteralFormsMatcher.h"

#include "filters/CharacterBoundaries.h"

namespace filters {

LiteralFormsMatcher::LiteralFormsMatcher(const char* search, size_t size, bool ignoreCase,
                                         bool bytes)
    : search_(SearchForms(search, size), ignoreCase, bytes), bytes_(bytes) {}

const char* LiteralFormsMatcher::NextCandidate(const char* from, const char* end) const {
  return search_.Next(from, end);
}

LineMatch LiteralFormsMatcher::Find(const char* begin, const char* end, const char* from,
                                    const char* hint) const {
  const LineEncoding encoding = EncodingOf(begin, end);
  const size_t size = search_.Size(encoding);
  if (size == 0) return {};
  const char* hit = search_.Find(encoding, hint != nullptr && hint > from ? hint : from, end);
  if (hit == nullptr) return {};
  if (bytes_ || CharacterBoundaries::AfterAscii(begin, end, hit, hit + size)) {
    return {hit, hit + size};
  }
  CharacterBoundaries boundaries(begin, end, encoding == LineEncoding::kShiftJis);
  while (hit != nullptr && !boundaries.Holds(hit, hit + size)) {
    hit = search_.Find(encoding, boundaries.Next(hit), end);
  }
  if (hit == nullptr) return {};
  return {hit, hit + size};
}

}  // namespace filters
