// Finds one fixed byte pattern in byte ranges, in time linear in the range.
#pragma once

#include <cstddef>
#include <vector>

/// A search for one fixed pattern of bytes (exact, case-sensitive, no character boundaries),
/// prepared once and run over many ranges. Holds a copy of the pattern.
///
/// Find is linear in the range's length whatever the bytes. The best method scans sixteen
/// positions at a time for the pattern's first and last bytes (SSE2) and verifies candidates;
/// the portable one scans with memchr for the first byte. Either hands the rest of the range to
/// a linear search (memmem where the C library has one, else Knuth-Morris-Pratt) as soon as
/// verifying candidates starts to cost more than scanning.
class ByteFinder {
 public:
  enum class Method {
    kBest,      ///< the SIMD scan where the processor has SSE2, else the linear search
    kPortable,  ///< memchr and KMP only (tests run it on every platform)
  };

  /// Prepares a search for the size bytes at pattern. An empty pattern (or null) never matches.
  ByteFinder(const char* pattern, size_t size, Method method = Method::kBest);

  /// Start of the first occurrence that lies wholly inside [from, end), or null when there is
  /// none (also for an empty pattern or an empty or reversed range).
  const char* Find(const char* from, const char* end) const;

  /// Pattern length in bytes.
  size_t Size() const { return pattern_.size(); }

 private:
  const char* FindSimd(const char* from, const char* end) const;
  const char* FindLinear(const char* from, const char* end) const;
  const char* FindPortable(const char* from, const char* end) const;
  const char* FindKmp(const char* from, const char* end) const;

  std::vector<char> pattern_;
  std::vector<size_t> border_;  // KMP: length of the longest proper border of pattern[0..i]
  bool best_ = true;
};
