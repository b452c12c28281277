#include "filters/LiteralMatcher.h"

#include <cstring>

#include "filters/CharacterBoundaries.h"

namespace filters {

LiteralMatcher::LiteralMatcher(const char* search, size_t size, bool bytes)
    : search_(search, size),
      // An LF never lies inside a line: such a needle is left empty and finds nothing.
      needle_(bytesearch::Prepare(search_.data(),
                                  std::memchr(search, '\n', size) == nullptr ? size : 0)),
      bytes_(bytes),
      shiftJisOnly_(!CharacterBoundaries::CanOccurInUtf8(search, size)) {}

const char* LiteralMatcher::NextCandidate(const char* from, const char* end) const {
  if (needle_.size == 0) return nullptr;
  return FindBytes(from, end);
}

LineMatch LiteralMatcher::Find(const char* begin, const char* end, const char* from,
                               const char* hint) const {
  const size_t size = needle_.size;
  if (size == 0 || static_cast<size_t>(end - from) < size) return {};
  // A hint is the first occurrence at or after the line's start; one that does not end inside
  // the line's content means that no later one does either.
  const char* hit = hint != nullptr && hint >= from ? hint : FindBytes(from, end);
  if (hit == nullptr || hit > end - size) return {};
  if (bytes_ || CharacterBoundaries::AfterAscii(begin, end, hit, hit + size)) {
    return {hit, hit + size};
  }
  // A rejected occurrence can hide a later one that counts: resume at the next boundary.
  CharacterBoundaries boundaries(begin, end, shiftJisOnly_);
  while (hit != nullptr && !boundaries.Holds(hit, hit + size)) {
    hit = FindBytes(boundaries.Next(hit), end);
  }
  if (hit == nullptr) return {};
  return {hit, hit + size};
}

}  // namespace filters
