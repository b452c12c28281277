// Byte-run search helpers for the string library: linear in the text on every input.
#pragma once

#include <cstddef>

namespace bytesearch {

/// Length of the C text up to its first NUL, at most limit bytes (the scan stops there).
int MeasureText(const char* text, int limit);

/// First occurrence of needle (m >= 1 bytes) in hay (n bytes), or null. Linear in n + m:
/// memmem where the C library has it, otherwise a checked memchr scan backed by two-way.
const char* Find(const char* hay, size_t n, const char* needle, size_t m);

/// Last occurrence of needle (m >= 1 bytes) in hay (n bytes), overlaps allowed, or null.
/// Linear in n + m.
const char* FindLast(const char* hay, size_t n, const char* needle, size_t m);

/// The portable forward search that Find uses where memmem is missing; exposed for tests.
const char* FindPortable(const char* hay, size_t n, const char* needle, size_t m);

/// Crochemore-Perrin two-way search, forward or backward; the linear fallbacks of the two
/// searches above, exposed so tests can check them on their own. Null when absent.
const char* TwoWayFind(const char* hay, size_t n, const char* needle, size_t m);
const char* TwoWayFindLast(const char* hay, size_t n, const char* needle, size_t m);

}  // namespace bytesearch
