// Linear-time byte-run search: a fast memchr/memrchr candidate scan that hands over to the
// two-way algorithm when candidates cost too much to check, so no input turns it quadratic.
#include "strings/ByteSearch.h"

#include <cstdint>
#include <cstring>

#if defined(__GLIBC__)
#define LINSIFT_HAVE_MEMMEM 1
#define LINSIFT_HAVE_MEMRCHR 1
#endif

namespace bytesearch {
namespace {

// Two-way search over an indexable view (forward, or mirrored for the backward search).
// Needle and hay are read only through the accessors; the result is the start index in the
// view's coordinates, or SIZE_MAX. Preprocessing O(m), search O(n), with a last-byte shift
// table so typical text is skipped in strides.
template <class HayAt, class NeedleAt>
size_t TwoWay(HayAt h, size_t n, NeedleAt nd, size_t l) {
  if (l == 0 || l > n) return SIZE_MAX;
  size_t byteset[256 / (8 * sizeof(size_t))] = {};
  size_t shift[256];
  const size_t bits = 8 * sizeof(size_t);
  for (size_t i = 0; i < l; i++) {
    unsigned char b = nd(i);
    byteset[b / bits] |= size_t{1} << (b % bits);
    shift[b] = i + 1;
  }

  // Maximal suffix under both byte orders; the longer one gives the critical factorisation.
  size_t ip = SIZE_MAX, jp = 0, k = 1, p = 1;
  while (jp + k < l) {
    unsigned char a = nd(ip + k), b = nd(jp + k);
    if (a == b) {
      if (k == p) {
        jp += p;
        k = 1;
      } else {
        k++;
      }
    } else if (a > b) {
      jp += k;
      k = 1;
      p = jp - ip;
    } else {
      ip = jp++;
      k = p = 1;
    }
  }
  size_t ms = ip;
  size_t p0 = p;
  ip = SIZE_MAX;
  jp = 0;
  k = p = 1;
  while (jp + k < l) {
    unsigned char a = nd(ip + k), b = nd(jp + k);
    if (a == b) {
      if (k == p) {
        jp += p;
        k = 1;
      } else {
        k++;
      }
    } else if (a < b) {
      jp += k;
      k = 1;
      p = jp - ip;
    } else {
      ip = jp++;
      k = p = 1;
    }
  }
  if (ip + 1 > ms + 1) {
    ms = ip;
  } else {
    p = p0;
  }

  // Periodic needle: the left part repeats with period p, so matched bytes can be remembered.
  bool periodic = true;
  for (size_t i = 0; i < ms + 1; i++) {
    if (nd(i) != nd(i + p)) {
      periodic = false;
      break;
    }
  }
  size_t mem0;
  if (!periodic) {
    mem0 = 0;
    p = (ms > l - ms - 1 ? ms : l - ms - 1) + 1;
  } else {
    mem0 = l - p;
  }
  size_t mem = 0;

  size_t pos = 0;
  for (;;) {
    if (n - pos < l) return SIZE_MAX;
    unsigned char last = h(pos + l - 1);
    if (byteset[last / bits] & (size_t{1} << (last % bits))) {
      k = l - shift[last];
      if (k) {
        if (k < mem) k = mem;
        pos += k;
        mem = 0;
        continue;
      }
    } else {
      pos += l;
      mem = 0;
      continue;
    }
    for (k = (ms + 1 > mem ? ms + 1 : mem); k < l && nd(k) == h(pos + k); k++) {
    }
    if (k < l) {
      pos += k - ms;
      mem = 0;
      continue;
    }
    for (k = ms + 1; k > mem && nd(k - 1) == h(pos + k - 1); k--) {
    }
    if (k <= mem) return pos;
    pos += p;
    mem = mem0;
  }
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
  if (b >= 0x80 && b <= 0xFC) return 40;  // trail bytes, other leads, half-width kana
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

}  // namespace

int MeasureText(const char* text, int limit) {
  const void* nul = std::memchr(text, 0, static_cast<size_t>(limit));
  return nul ? static_cast<int>(static_cast<const char*>(nul) - text) : limit;
}

const char* TwoWayFind(const char* hay, size_t n, const char* needle, size_t m) {
  const unsigned char* h = reinterpret_cast<const unsigned char*>(hay);
  const unsigned char* d = reinterpret_cast<const unsigned char*>(needle);
  size_t r = TwoWay([h](size_t i) { return h[i]; }, n, [d](size_t i) { return d[i]; }, m);
  return r == SIZE_MAX ? nullptr : hay + r;
}

const char* TwoWayFindLast(const char* hay, size_t n, const char* needle, size_t m) {
  const unsigned char* h = reinterpret_cast<const unsigned char*>(hay);
  const unsigned char* d = reinterpret_cast<const unsigned char*>(needle);
  // Mirror both: the first match in the mirrored text is the last match in the text.
  size_t r = TwoWay([h, n](size_t i) { return h[n - 1 - i]; }, n,
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

const char* Find(const char* hay, size_t n, const Needle& needle) {
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
