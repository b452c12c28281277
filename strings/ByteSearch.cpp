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

// Budget for checking candidates before switching to two-way: the bytes compared so far may
// not pass this many times the bytes scanned plus a fixed allowance, which keeps the total
// work linear while leaving the fast path for all ordinary text.
constexpr size_t kCheckFactor = 8;
constexpr size_t kCheckAllowance = 1 << 16;

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
  const unsigned char first = static_cast<unsigned char>(needle[0]);
  if (m == 1) return static_cast<const char*>(std::memchr(hay, first, n));
  const char* p = hay;
  const char* const lastStart = hay + (n - m);
  size_t checked = 0;
  while (p <= lastStart) {
    const char* c =
        static_cast<const char*>(std::memchr(p, first, static_cast<size_t>(lastStart - p) + 1));
    if (!c) return nullptr;
    if (std::memcmp(c + 1, needle + 1, m - 1) == 0) return c;
    checked += m;
    p = c + 1;
    if (checked > kCheckFactor * static_cast<size_t>(p - hay) + kCheckAllowance) {
      return TwoWayFind(p, n - static_cast<size_t>(p - hay), needle, m);
    }
  }
  return nullptr;
}

const char* Find(const char* hay, size_t n, const char* needle, size_t m) {
  if (m == 0 || m > n) return nullptr;
  if (m == 1)
    return static_cast<const char*>(std::memchr(hay, static_cast<unsigned char>(needle[0]), n));
#if defined(LINSIFT_HAVE_MEMMEM)
  // memmem in windows that start small and double, overlapping by m - 1 bytes: a hit at
  // distance d costs O(d + m) and repeated calls (counting, replacing) stay linear overall.
  size_t pos = 0;
  size_t window = 4 * m + 256;
  for (;;) {
    const size_t len = window < n - pos ? window : n - pos;
    if (const void* r = memmem(hay + pos, len, needle, m)) return static_cast<const char*>(r);
    if (pos + len >= n) return nullptr;
    pos += len - (m - 1);
    if (window < (SIZE_MAX >> 2)) window *= 2;
  }
#else
  return FindPortable(hay, n, needle, m);
#endif
}

const char* FindLast(const char* hay, size_t n, const char* needle, size_t m) {
  if (m == 0 || m > n) return nullptr;
  const unsigned char first = static_cast<unsigned char>(needle[0]);
  // Candidate starts run from n - m down to 0; `end` is one past the highest one left.
  size_t end = n - m + 1;
  size_t checked = 0;
  while (end > 0) {
    const char* c = static_cast<const char*>(ReverseFindByte(hay, first, end));
    if (!c) return nullptr;
    if (m == 1 || std::memcmp(c + 1, needle + 1, m - 1) == 0) return c;
    checked += m;
    end = static_cast<size_t>(c - hay);
    if (checked > kCheckFactor * (n - m + 1 - end) + kCheckAllowance) {
      // Only starts below `end` remain: they all fit in the first end + m - 1 bytes.
      return TwoWayFindLast(hay, end + m - 1, needle, m);
    }
  }
  return nullptr;
}

}  // namespace bytesearch
