#include "filters/LiteralMatcher.h"

#include <cstring>

namespace filters {

LiteralMatcher::LiteralMatcher(const char* search, size_t size, bool bytes)
    : search_(search, size),
      // An LF never lies inside a line: such a needle is left empty and finds nothing.
      needle_(bytesearch::Prepare(search_.data(),
                                  std::memchr(search, '\n', size) == nullptr ? size : 0)),
      bytes_(bytes),
      shiftJisOnly_(!CharacterBoundaries::CanOccurInUtf8(search, size)) {}

LineMatch LiteralMatcher::FirstOnBoundaries(const char* begin, const char* end,
                                            const char* hit) const {
  // A rejected occurrence can hide a later one that counts: resume at the next boundary.
  const size_t size = needle_.size;
  CharacterBoundaries boundaries(begin, end, shiftJisOnly_);
  while (hit != nullptr && !boundaries.Holds(hit, hit + size)) {
    hit = FindBytes(boundaries.Next(hit), end);
  }
  if (hit == nullptr) return {};
  return {hit, hit + size};
}

}  // namespace filters
