// Percent-decoding of a byte range: the one decoder of the program.
#pragma once

#include <cstddef>
#include <cstring>

#include "text/HexDigit.h"

namespace text {

/// Percent-decodes [begin, end) into out and gives the decoded size (never more than
/// end - begin). A '%' followed by two hex digits becomes that byte; any other byte, '+' and a
/// '%' that starts no complete escape included, is copied and decoding resumes behind it.
/// Decoded bytes are never decoded again. out is begin (decoding in place) or a separate
/// buffer of end - begin bytes.
inline size_t PercentDecode(const char* begin, const char* end, char* out) {
  char* o = out;
  const char* p = begin;
  while (p < end) {
    const void* percent = std::memchr(p, '%', static_cast<size_t>(end - p));
    const char* stop = percent == nullptr ? end : static_cast<const char*>(percent);
    if (o != p) std::memmove(o, p, static_cast<size_t>(stop - p));
    o += stop - p;
    p = stop;
    if (p == end) break;
    const int high = end - p > 2 ? HexValue(p[1]) : -1;
    const int low = high >= 0 ? HexValue(p[2]) : -1;
    if (low >= 0) {
      *o++ = static_cast<char>(high * 16 + low);
      p += 3;
    } else {
      *o++ = *p++;
    }
  }
  return static_cast<size_t>(o - out);
}

}  // namespace text
