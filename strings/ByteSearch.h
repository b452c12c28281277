// The project's one byte-run search (strings, line filters): linear in the text on every input.
#pragma once

#include <cstddef>
#include <cstring>

namespace bytesearch {

/// Length of the C text up to its first NUL, at most limit bytes (the scan stops there).
int MeasureText(const char* text, int limit);

/// First occurrence of needle (m >= 1 bytes) in hay (n bytes), or null. Linear in n + m:
/// a memchr scan for the needle's least common byte, confirmed by memcmp, that hands over to
/// memmem (or, where the C library lacks it, two-way) once candidates cost too much.
const char* Find(const char* hay, size_t n, const char* needle, size_t m);

/// A needle prepared once for repeated forward searches (counting, replacing, splitting, the
/// line filters).
struct Needle {
  const char* bytes;  // not owned: must outlive the searches
  size_t size;
  size_t anchor;  // offset of the byte the scan looks for
};
Needle Prepare(const char* needle, size_t m);
/// The out-of-line part of the prepared Find below; the same results for any needle.
const char* FindPrepared(const char* hay, size_t n, const Needle& needle);
/// Find with a prepared needle; the same results. A one-byte needle is a memchr without a
/// call in between, since the line filters search again at every matching line.
inline const char* Find(const char* hay, size_t n, const Needle& needle) {
  if (needle.size == 1) {
    return static_cast<const char*>(
        std::memchr(hay, static_cast<unsigned char>(needle.bytes[0]), n));
  }
  return FindPrepared(hay, n, needle);
}

/// The first place in hay (n bytes) where either of two prepared needles occurs, or null; a
/// needle of size 0 is never found. Linear in n: each needle is searched (as Find does) over
/// windows growing from 2,048 bytes, so the cost follows the bytes passed whichever needle comes
/// first. For a text searched in two encodings at once (a search text and its UTF-8 form).
const char* FindEither(const char* hay, size_t n, const Needle& a, const Needle& b);

/// Last occurrence of needle (m >= 1 bytes) in hay (n bytes), overlaps allowed, or null.
/// Linear in n + m: the same scan backwards, handing over to a backward two-way.
const char* FindLast(const char* hay, size_t n, const char* needle, size_t m);

/// Find with the two-way hand-over, as used where memmem is missing; exposed for tests.
const char* FindPortable(const char* hay, size_t n, const char* needle, size_t m);

/// Crochemore-Perrin two-way search, forward or backward; the linear fallbacks of the two
/// searches above, exposed so tests can check them on their own. Null when absent.
const char* TwoWayFind(const char* hay, size_t n, const char* needle, size_t m);
const char* TwoWayFindLast(const char* hay, size_t n, const char* needle, size_t m);

}  // namespace bytesearch
