// One line of a text held as a byte run, found in place without copying.
#pragma once

#include <cstddef>
#include <cstring>

#include "text/Limits.h"

/// A line of a text: its content [begin, end) and the break that follows it (none after the
/// last line, LF, or CR LF). The content never holds an LF, nor the CR of a CR LF break; a
/// lone CR is content. Points into the text; owns nothing.
struct TextLine {
  const char* begin;
  const char* end;
  size_t breakSize;  ///< 0 for the last line, 1 for LF, 2 for CR LF

  /// True for the last line of the text (nothing follows it).
  bool IsLast() const { return breakSize == 0; }
  /// Start of the next line; only meaningful when !IsLast().
  const char* Next() const { return end + breakSize; }
  size_t Size() const { return static_cast<size_t>(end - begin); }

  /// The line that starts at p, in the text ending at textEnd (p <= textEnd). One memchr.
  static TextLine At(const char* p, const char* textEnd) {
    const void* lf = std::memchr(p, '\n', static_cast<size_t>(textEnd - p));
    if (lf == nullptr) return {p, textEnd, 0};
    const char* at = static_cast<const char*>(lf);
    if (at > p && at[-1] == '\r') return {p, at - 1, 2};
    return {p, at, 1};
  }

  /// Start of the line that holds p: just behind the last LF in [from, p), or from when there
  /// is none. from must be a line start.
  static const char* StartOf(const char* from, const char* p) {
#if defined(__GLIBC__)
    // A call costs more than looking at a few bytes in place.
    if (p - from < 8) {
      while (p > from && p[-1] != '\n') --p;
      return p;
    }
    const void* lf = memrchr(from, '\n', static_cast<size_t>(p - from));
    return lf == nullptr ? from : static_cast<const char*>(lf) + 1;
#else
    while (p > from && p[-1] != '\n') --p;
    return p;
#endif
  }

  /// Size of the pane text held in the size bytes at text: up to its first NUL, and at most
  /// 40,000,000 bytes (what a B2String1 holds).
  static size_t PaneSize(const char* text, size_t size) {
    if (text == nullptr) return 0;
    if (size > kMaxText) size = kMaxText;
    const void* nul = std::memchr(text, 0, size);
    return nul == nullptr ? size : static_cast<size_t>(static_cast<const char*>(nul) - text);
  }

  static constexpr size_t kMaxText = limits::kTextBytes;
};
