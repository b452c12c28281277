// Finds one fixed byte pattern in byte ranges, in time linear in the range.
#pragma once

#include <cstddef>
#include <vector>

/// A search for one fixed pattern of bytes (exact, case-sensitive, no character boundaries),
/// prepared once and run over many ranges. Holds a copy of the pattern.
///
/// Find is linear in the range's length whatever the bytes: the platform's memmem where it has
/// one, otherwise a first-byte memchr scan that hands over to Knuth-Morris-Pratt as soon as
/// verifying candidates starts to cost more than scanning.
class ByteFinder {
 public:
  enum class Method {
    kBest,      ///< memmem where the C library has it, else the portable search
    kPortable,  ///< always the portable search (tests run it on every platform)
  };

  /// Prepares a search for the size bytes at pattern. An empty pattern (or null) never matches.
  ByteFinder(const char* pattern, size_t size, Method method = Method::kBest);

  /// Start of the first occurrence that lies wholly inside [from, end), or null when there is
  /// none (also for an empty pattern or an empty or reversed range).
  const char* Find(const char* from, const char* end) const;

  /// Pattern length in bytes.
  size_t Size() const { return pattern_.size(); }

 private:
  const char* FindPortable(const char* from, const char* end) const;
  const char* FindKmp(const char* from, const char* end) const;

  std::vector<char> pattern_;
  std::vector<size_t> border_;  // KMP: length of the longest proper border of pattern[0..i]
  bool useMemmem_ = false;
};
