// Linear-time byte-run search: a fast memchr/memrchr candidate scan that hands over to the
// two-way algorithm when candidates cost too much to check, so no input turns it quadratic.
#include "strings/ByteSearch.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__GLIBC__)
#define LINSIFT_HAVE_MEMMEM 1
#define LINSIFT_HAVE_MEMRCHR 1
#endif

namespace bytesearch {
namespace {

// Crochemore and Perrin's two-way search over an indexable view (forward, or mirrored for
// the backward search): O(m) to prepare, O(n) to search, O(1) extra memory. Needle and hay are
// read only through the accessors; the result is the start index in the view's coordinates,
// or SIZE_MAX.

// The start of the needle's maximal suffix under the byte order (or, with `reversed`, under
// the reverse order) and that suffix's period.
template <class NeedleAt>
size_t MaximalSuffix(NeedleAt needle, size_t m, bool reversed, size_t* period) {
  size_t before = SIZE_MAX;  // one before the suffix's start; wraps to 0 on the first +1
  size_t candidate = 0;      // the competing suffix starts at candidate + 1
  size_t offset = 1;         // how far the two suffixes have been compared
  size_t p = 1;
  while (candidate + offset < m) {
    const unsigned char a = needle(candidate + offset);
    const unsigned char b = needle(before + offset);
    if (a == b) {
      if (offset == p) {  // one more whole period matched
        candidate += p;
        offset = 1;
      } else {
        ++offset;
      }
    } else if (reversed ? a > b : a < b) {  // the candidate is smaller: the suffix goes on
      candidate += offset;
      offset = 1;
      p = candidate - before;
    } else {  // the candidate is larger: it becomes the suffix
      before = candidate++;
      offset = p = 1;
    }
  }
  *period = p;
  return before + 1;
}

template <class HayAt, class NeedleAt>
size_t TwoWay(HayAt hay, size_t n, NeedleAt needle, size_t m) {
  if (m == 0 || m > n) return SIZE_MAX;
  // Critical factorisation: the later of the two maximal suffixes splits the needle into a
  // left part u and a right part v.
  size_t period = 0;
  size_t reversedPeriod = 0;
  const size_t forward = MaximalSuffix(needle, m, false, &period);
  const size_t backward = MaximalSuffix(needle, m, true, &reversedPeriod);
  size_t split = forward;
  if (backward > forward) {
    split = backward;
    period = reversedPeriod;
  }

  // When u also occurs one period further on, the needle is periodic: after a full match or a
  // mismatch in u, the next m - period bytes are known to match already (`known`).
  bool periodic = period + split <= m;
  for (size_t i = 0; periodic && i < split; ++i) periodic = needle(i) == needle(i + period);
  if (!periodic) period = (split > m - split ? split : m - split) + 1;

  size_t known = 0;
  for (size_t pos = 0; n - pos >= m;) {
    // Match v from left to right.
    size_t i = split > known ? split : known;
    while (i < m && needle(i) == hay(pos + i)) ++i;
    if (i < m) {
      pos += i - split + 1;
      known = 0;
      continue;
    }
    // Then u from right to left, down to what is already known.
    const size_t floor = periodic ? known : 0;
    size_t j = split;
    while (j > floor && needle(j - 1) == hay(pos + j - 1)) --j;
    if (j <= floor) return pos;
    pos += period;
    known = periodic ? m - period : 0;
  }
  return SIZE_MAX;
}

// Last c in the first n bytes, or null. Scans windows growing from the end: the total work is
// still linear, and no single library call is handed more than about twice the distance to
// the hit (checked memory tools validate the whole range they are given on every call).
const void* ReverseFindByte(const char* hay, unsigned char c, size_t n) {
#if defined(LINSIFT_HAVE_MEMRCHR)
  size_t window = 256;
  while (n > 0) {
    const size_t len = window < n ? window : n;
    if (const void* r = memrchr(hay + (n - len), c, len)) return r;
    n -= len;
    if (window < (SIZE_MAX >> 2)) window *= 2;
  }
  return nullptr;
#else
  // memrchr is missing from the Windows runtime.
  const unsigned char* p = reinterpret_cast<const unsigned char*>(hay) + n;
  while (p != reinterpret_cast<const unsigned char*>(hay)) {
    if (*--p == c) return p;
  }
  return nullptr;
#endif
}

// How common a byte is in the text this library handles (Japanese Shift_JIS prose with ASCII
// mixed in), on a rough 0-255 scale. The scans look for the needle's least common byte, so
// that memchr stops rarely; any choice gives the same results, only the speed differs.
unsigned char Commonness(unsigned char b) {
  // English letter frequencies, a to z.
  static const unsigned char kLetters[26] = {165, 30,  56, 86, 250, 44,  40, 122, 140,
                                             4,   16,  80, 48, 134, 150, 38, 2,   120,
                                             126, 180, 56, 20, 48,  4,   40, 2};
  if (b >= 'a' && b <= 'z') return kLetters[b - 'a'];
  if (b == ' ') return 255;
  if (b == '\r' || b == '\n') return 100;
  if (b == 0x82) return 230;               // hiragana lead byte
  if (b == 0x81 || b == 0x83) return 150;  // punctuation and katakana lead bytes
  if (b >= '0' && b <= '9') return 60;
  if (b >= 'A' && b <= 'Z') return 40;
  if (b >= 0x88 && b <= 0x9F) return 60;  // kanji lead bytes
  if (b > 0x20 && b < 0x7F) return 30;
  if (b >= 0xA0 && b <= 0xDF) return 20;  // trail bytes and half-width kana only, never leads
  if (b >= 0x80 && b <= 0xFC) return 40;  // trail bytes, other leads
  return 5;                               // controls, NUL, 0xFD-0xFF
}

// Offset of the needle byte that the candidate scan looks for.
size_t AnchorOffset(const char* needle, size_t m) {
  size_t best = 0;
  unsigned char bestScore = 255;
  for (size_t i = 0; i < m; i++) {
    const unsigned char score = Commonness(static_cast<unsigned char>(needle[i]));
    if (score < bestScore) {
      bestScore = score;
      best = i;
      if (score <= 5) break;
    }
  }
  return best;
}

// Budget for checking candidates before handing over to a linear search: each candidate costs
// a call and up to m compared bytes; the total may not pass twice the bytes scanned plus a
// fixed allowance. That keeps every input linear and leaves all ordinary text on the fast path.
constexpr size_t kCallCost = 16;
constexpr size_t kCheckAllowance = 4096;

#if defined(LINSIFT_HAVE_MEMMEM)
// memmem in windows that start small and double, overlapping by m - 1 bytes: a hit at
// distance d costs O(d + m), so repeated searches stay linear even where a checked-memory
// tool validates the whole range handed to every call.
const char* WindowedMemmem(const char* hay, size_t n, const char* needle, size_t m) {
  if (m > n) return nullptr;
  size_t pos = 0;
  size_t window = 4 * m + 256;
  for (;;) {
    const size_t len = window < n - pos ? window : n - pos;
    if (const void* r = memmem(hay + pos, len, needle, m)) return static_cast<const char*>(r);
    if (pos + len >= n) return nullptr;
    pos += len - (m - 1);
    if (window < (SIZE_MAX >> 2)) window *= 2;
  }
}
#endif

// True when the m bytes at start are the needle; the ends are compared inline, since most
// needles are short and a library call per candidate would dominate.
inline bool Matches(const char* start, const char* needle, size_t m) {
  if (start[0] != needle[0] || start[m - 1] != needle[m - 1]) return false;
  return m <= 2 || std::memcmp(start + 1, needle + 1, m - 2) == 0;
}

// Forward search: memchr for the anchor byte, compare to confirm, and the linear fallback
// once the candidates cost too much.
template <bool kMemmemFallback>
const char* AnchoredFind(const char* hay, size_t n, const char* needle, size_t m, size_t offset) {
  if (m == 0 || m > n) return nullptr;
  if (m == 1) {
    return static_cast<const char*>(std::memchr(hay, static_cast<unsigned char>(needle[0]), n));
  }
  const unsigned char anchor = static_cast<unsigned char>(needle[offset]);
  const char* p = hay + offset;
  const char* const last = hay + (n - m) + offset;  // anchor of the last possible start
  size_t cost = 0;
  while (p <= last) {
    const char* c =
        static_cast<const char*>(std::memchr(p, anchor, static_cast<size_t>(last - p) + 1));
    if (!c) return nullptr;
    const char* start = c - offset;
    if (Matches(start, needle, m)) return start;
    p = c + 1;
    cost += kCallCost + m;
    if (cost > 2 * static_cast<size_t>(p - hay) + kCheckAllowance) {
      const size_t rest = n - static_cast<size_t>(start + 1 - hay);
#if defined(LINSIFT_HAVE_MEMMEM)
      if (kMemmemFallback) return WindowedMemmem(start + 1, rest, needle, m);
#endif
      return TwoWayFind(start + 1, rest, needle, m);
    }
  }
  return nullptr;
}

// Each needle over windows from 2,048 bytes on, four times larger each, so that a needle found
// early does not cost a scan of the other one to the end: linear in n. Fewer, larger windows
// spare calls where occurrences lie a kilobyte or so apart.
const char* WindowedEither(const char* hay, size_t n, const Needle& a, const Needle& b) {
  const size_t longest = std::max(a.size, b.size);
  for (size_t low = 0, window = 2048; low < n; low += window, window *= 4) {
    // Occurrences that start in [low, low + window); the run searched reaches a needle further.
    const size_t limit = std::min(n, low + window);
    const size_t high = std::min(n, low + window + longest - 1);
    const char* first = a.size == 0 ? nullptr : Find(hay + low, high - low, a);
    if (first != nullptr && first >= hay + limit) first = nullptr;
    // The second needle matters only where it starts in front of the first.
    const size_t secondHigh =
        first != nullptr ? std::min(high, static_cast<size_t>(first - hay) + b.size - 1) : high;
    const char* second =
        b.size == 0 || secondHigh <= low ? nullptr : Find(hay + low, secondHigh - low, b);
    if (second != nullptr && second >= hay + limit) second = nullptr;
    if (first != nullptr || second != nullptr) {
      return first == nullptr ? second : second == nullptr ? first : std::min(first, second);
    }
  }
  return nullptr;
}

}  // namespace

const char* FindEither(const char* hay, size_t n, const Needle& a, const Needle& b) {
  return WindowedEither(hay, n, a, b);
}

int MeasureText(const char* text, int limit) {
  const void* nul = std::memchr(text, 0, static_cast<size_t>(limit));
  return nul ? static_cast<int>(static_cast<const char*>(nul) - text) : limit;
}

const char* TwoWayFind(const char* hay, size_t n, const char* needle, size_t m) {
  const unsigned char* h = reinterpret_cast<const unsigned char*>(hay);
  const unsigned char* d = reinterpret_cast<const unsigned char*>(needle);
  const size_t r = TwoWay([h](size_t i) { return h[i]; }, n, [d](size_t i) { return d[i]; }, m);
  return r == SIZE_MAX ? nullptr : hay + r;
}

const char* TwoWayFindLast(const char* hay, size_t n, const char* needle, size_t m) {
  const unsigned char* h = reinterpret_cast<const unsigned char*>(hay);
  const unsigned char* d = reinterpret_cast<const unsigned char*>(needle);
  // Mirror both: the first match in the mirrored text is the last match in the text.
  const size_t r = TwoWay([h, n](size_t i) { return h[n - 1 - i]; }, n,
                          [d, m](size_t i) { return d[m - 1 - i]; }, m);
  return r == SIZE_MAX ? nullptr : hay + (n - r - m);
}

const char* FindPortable(const char* hay, size_t n, const char* needle, size_t m) {
  if (m == 0 || m > n) return nullptr;
  return AnchoredFind<false>(hay, n, needle, m, AnchorOffset(needle, m));
}

Needle Prepare(const char* needle, size_t m) {
  return Needle{needle, m, m == 0 ? 0 : AnchorOffset(needle, m)};
}

const char* FindPrepared(const char* hay, size_t n, const Needle& needle) {
  return AnchoredFind<true>(hay, n, needle.bytes, needle.size, needle.anchor);
}

const char* Find(const char* hay, size_t n, const char* needle, size_t m) {
  if (m == 0 || m > n) return nullptr;
  return AnchoredFind<true>(hay, n, needle, m, AnchorOffset(needle, m));
}

const char* FindLast(const char* hay, size_t n, const char* needle, size_t m) {
  if (m == 0 || m > n) return nullptr;
  const size_t offset = m == 1 ? 0 : AnchorOffset(needle, m);
  const unsigned char anchor = static_cast<unsigned char>(needle[offset]);
  // Anchors of candidate starts lie in [offset, n - m + offset]; `end` is one past the highest
  // one not yet looked at, `scanned` how many bytes the backward scan has passed.
  size_t end = n - m + offset + 1;
  size_t cost = 0;
  while (end > offset) {
    const char* c = static_cast<const char*>(ReverseFindByte(hay + offset, anchor, end - offset));
    if (!c) return nullptr;
    const char* start = c - offset;
    if (m == 1 || Matches(start, needle, m)) return start;
    end = static_cast<size_t>(c - hay);
    cost += kCallCost + m;
    if (cost > 2 * (n - end) + kCheckAllowance) {
      // Only starts below `start` remain: they all fit in the bytes before start + m - 1.
      return TwoWayFindLast(hay, static_cast<size_t>(start - hay) + m - 1, needle, m);
    }
  }
  return nullptr;
}

}  // namespace bytesearch
