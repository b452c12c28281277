// Pattern search over byte ranges: a SIMD scan for candidates where SSE2 is there, memmem or
// a guarded memchr scan otherwise, and a linear search whenever candidates become too many.
#include "filters/ByteFinder.h"

#include <cstring>

#if defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))
#include <emmintrin.h>
#define LINSIFT_HAVE_SSE2_SCAN 1
#endif

// AddressSanitizer's memmem checks the whole haystack on every call, which makes a search
// that resumes line after line quadratic; its memchr checks only what it read.
#if defined(__SANITIZE_ADDRESS__)
#define LINSIFT_SANITIZED_MEMMEM 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LINSIFT_SANITIZED_MEMMEM 1
#endif
#endif

#if (defined(__GLIBC__) || defined(__APPLE__) || defined(__FreeBSD__)) && \
    !defined(LINSIFT_SANITIZED_MEMMEM)
#define LINSIFT_HAVE_MEMMEM 1
#endif

ByteFinder::ByteFinder(const char* pattern, size_t size, Method method) {
  if (pattern == nullptr || size == 0) return;
  pattern_.assign(pattern, pattern + size);
  border_.assign(size, 0);
  size_t k = 0;
  for (size_t i = 1; i < size; ++i) {
    while (k > 0 && pattern_[i] != pattern_[k]) k = border_[k - 1];
    if (pattern_[i] == pattern_[k]) ++k;
    border_[i] = k;
  }
  best_ = method == Method::kBest;
}

const char* ByteFinder::Find(const char* from, const char* end) const {
  const size_t m = pattern_.size();
  if (m == 0 || from == nullptr || end <= from || static_cast<size_t>(end - from) < m) {
    return nullptr;
  }
  if (m == 1) {
    return static_cast<const char*>(
        std::memchr(from, pattern_[0], static_cast<size_t>(end - from)));
  }
  if (!best_) return FindPortable(from, end);
#ifdef LINSIFT_HAVE_SSE2_SCAN
  return FindSimd(from, end);
#else
  return FindLinear(from, end);
#endif
}

// memmem where the C library has a usable one, else KMP: linear either way.
const char* ByteFinder::FindLinear(const char* from, const char* end) const {
#ifdef LINSIFT_HAVE_MEMMEM
  return static_cast<const char*>(
      memmem(from, static_cast<size_t>(end - from), pattern_.data(), pattern_.size()));
#else
  return FindKmp(from, end);
#endif
}

// Sixteen start positions at a time: a position is a candidate when its byte equals the
// pattern's first byte and the byte m - 1 further on equals its last; candidates are verified
// with memcmp. Two bytes that far apart rarely both match by chance, so in text this runs at
// memory speed. Patterns whose candidates are dense (runs of one byte) hand the rest of the
// range over to the linear search once verifying costs more than scanning.
const char* ByteFinder::FindSimd(const char* from, const char* end) const {
#ifdef LINSIFT_HAVE_SSE2_SCAN
  const size_t m = pattern_.size();
  const char* pattern = pattern_.data();
  const __m128i first = _mm_set1_epi8(pattern[0]);
  const __m128i last = _mm_set1_epi8(pattern[m - 1]);
  size_t verified = 0;
  const char* p = from;
  for (; end - p >= static_cast<ptrdiff_t>(m - 1 + 16); p += 16) {
    const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i tails = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + m - 1));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_and_si128(_mm_cmpeq_epi8(heads, first), _mm_cmpeq_epi8(tails, last))));
    while (mask != 0) {
      const int i = __builtin_ctz(mask);
      if (std::memcmp(p + i + 1, pattern + 1, m - 2) == 0) return p + i;
      mask &= mask - 1;
      verified += m;
    }
    if (verified > static_cast<size_t>(p - from) + 65536) return FindLinear(p + 16, end);
  }
  return FindLinear(p, end);  // the last positions, fewer than 16
#else
  return FindLinear(from, end);
#endif
}

// Candidates are found with memchr on the first byte and verified byte by byte. Verification
// can cost up to m bytes per candidate ('aaa...ab' in a run of 'a'); once it has cost more than the
// bytes scanned plus a fixed allowance, the rest of the range goes to KMP, which is linear.
const char* ByteFinder::FindPortable(const char* from, const char* end) const {
  const size_t m = pattern_.size();
  const char first = pattern_[0];
  const char* lastStart = end - m;  // the last position where an occurrence fits
  const char* p = from;
  size_t verified = 0;
  while (p <= lastStart) {
    const char* hit =
        static_cast<const char*>(std::memchr(p, first, static_cast<size_t>(lastStart - p) + 1));
    if (hit == nullptr) return nullptr;
    size_t same = 1;  // counted, not memcmp'd: the count is what bounds the work
    while (same < m && hit[same] == pattern_[same]) ++same;
    if (same == m) return hit;
    verified += same;
    p = hit + 1;
    if (verified > static_cast<size_t>(p - from) + 4096) return FindKmp(p, end);
  }
  return nullptr;
}

const char* ByteFinder::FindKmp(const char* from, const char* end) const {
  const size_t m = pattern_.size();
  size_t k = 0;  // bytes of the pattern matched so far
  for (const char* p = from; p < end; ++p) {
    while (k > 0 && *p != pattern_[k]) k = border_[k - 1];
    if (*p == pattern_[k]) ++k;
    if (k == m) return p + 1 - m;
  }
  return nullptr;
}
