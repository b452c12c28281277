// Percent-decoding of a byte range: the one decoder of the program.
#pragma once

#include <cstddef>
#include <cstring>

#include "text/HexDigit.h"

namespace text {

/// Whether the escape sequence at p (p[0] is ESC, end bounds it) switches an ISO-2022-JP text
/// into a segment whose bytes are all characters (ESC $ @, ESC $ B, ESC $ ( D and the other
/// two-byte sets, ESC ( I kana) or out of one (ESC ( B, ESC ( J); anything else leaves the
/// state as it was.
inline bool JisSegmentAfter(const char* p, const char* end, bool inSegment) {
  if (end - p < 3) return inSegment;
  if (p[1] == '$') return true;
  if (p[1] == '(') return p[2] == 'I' || (p[2] != 'B' && p[2] != 'J' && inSegment);
  return inSegment;
}

/// Percent-decodes [begin, end) into out and gives the decoded size (never more than
/// end - begin). A '%' followed by two hex digits becomes that byte; any other byte, '+' and a
/// '%' that starts no complete escape included, is copied and decoding resumes behind it.
/// Decoded bytes are never decoded again.
///
/// Inside an ISO-2022-JP segment opened by an escape sequence written as bytes (ESC $ B up to
/// ESC ( B, see JisSegmentAfter) nothing is decoded: there every byte is half of a character,
/// and row 5 (katakana) starts with '%', so "%90" there is a character, not an escape. Escape
/// sequences that are themselves percent-encoded (%1B%24B) open no segment: in such a text
/// the segment's bytes are encoded too.
///
/// out is begin (decoding in place) or a separate buffer of end - begin bytes.
inline size_t PercentDecode(const char* begin, const char* end, char* out) {
  char* o = out;
  const char* p = begin;
  // The next ESC at or after p (end when none); searched again only once p passes it.
  const char* esc = nullptr;
  bool inSegment = false;
  auto copy = [&](const char* stop) {
    if (o != p) std::memmove(o, p, static_cast<size_t>(stop - p));
    o += stop - p;
    p = stop;
  };
  while (p < end) {
    if (esc == nullptr || esc < p) {
      const void* e = std::memchr(p, '\x1b', static_cast<size_t>(end - p));
      esc = e == nullptr ? end : static_cast<const char*>(e);
    }
    if (inSegment) {
      copy(esc);
    } else {
      const void* percent = std::memchr(p, '%', static_cast<size_t>(esc - p));
      copy(percent == nullptr ? esc : static_cast<const char*>(percent));
    }
    if (p == end) break;
    if (p == esc) {
      inSegment = JisSegmentAfter(p, end, inSegment);
      copy(p + 1);
      continue;
    }
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
