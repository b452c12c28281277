// Pattern search over byte ranges: memmem where available, a guarded memchr scan otherwise.
#include "filters/ByteFinder.h"

#include <cstring>

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
#ifdef LINSIFT_HAVE_MEMMEM
  useMemmem_ = method == Method::kBest;
#else
  (void)method;
#endif
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
#ifdef LINSIFT_HAVE_MEMMEM
  if (useMemmem_) {
    return static_cast<const char*>(
        memmem(from, static_cast<size_t>(end - from), pattern_.data(), m));
  }
#endif
  return FindPortable(from, end);
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
