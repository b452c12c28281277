// Character boundaries of a line: one UTF-8 check per line, then either the continuation-byte
// test or two forward-only Shift_JIS walks.
#include "filters/CharacterBoundaries.h"

#include <cstdint>
#include <cstring>

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// True when [p, end) is well-formed UTF-8. ASCII is skipped eight bytes at a time.
bool IsUtf8(const unsigned char* p, const unsigned char* end) {
  while (p < end) {
    if (end - p >= 8) {
      uint64_t block;
      std::memcpy(&block, p, 8);
      if ((block & 0x8080808080808080u) == 0) {
        p += 8;
        continue;
      }
    }
    const unsigned b = *p;
    if (b < 0x80) {
      ++p;
      continue;
    }
    // Sequence length and the allowed range of its second byte.
    size_t size = 0;
    unsigned low = 0x80, high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
      size = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      size = 3;
      if (b == 0xE0) low = 0xA0;   // shorter forms are overlong
      if (b == 0xED) high = 0x9F;  // D800-DFFF are surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
      size = 4;
      if (b == 0xF0) low = 0x90;
      if (b == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
      return false;
    }
    if (static_cast<size_t>(end - p) < size || p[1] < low || p[1] > high) return false;
    for (size_t i = 2; i < size; ++i) {
      if (!IsContinuation(p[i])) return false;
    }
    p += size;
  }
  return true;
}

const unsigned char* Bytes(const char* p) { return reinterpret_cast<const unsigned char*>(p); }

}  // namespace

CharacterBoundaries::CharacterBoundaries(const char* begin, const char* end)
    : begin_(begin), end_(end), start_(begin), stop_(begin) {}

void CharacterBoundaries::Classify() {
  reading_ = IsUtf8(Bytes(begin_), Bytes(end_)) ? Reading::kUtf8 : Reading::kShiftJis;
}

const char* CharacterBoundaries::WalkTo(const char* cursor, const char* p) const {
  while (cursor < p) {
    const bool pair = IsLeadByte(static_cast<unsigned char>(*cursor)) && end_ - cursor >= 2 &&
                      IsTrailByte(static_cast<unsigned char>(cursor[1]));
    cursor += pair ? 2 : 1;
  }
  return cursor;
}

bool CharacterBoundaries::Holds(const char* from, const char* to) {
  if (reading_ == Reading::kUnknown) Classify();
  if (reading_ == Reading::kUtf8) {
    return !IsContinuation(static_cast<unsigned char>(*from)) &&
           (to == end_ || !IsContinuation(static_cast<unsigned char>(*to)));
  }
  start_ = WalkTo(start_, from);
  if (start_ != from) return false;
  if (stop_ < start_) stop_ = start_;
  stop_ = WalkTo(stop_, to);
  return stop_ == to;
}

const char* CharacterBoundaries::Next(const char* p) {
  if (reading_ == Reading::kUnknown) Classify();
  if (reading_ == Reading::kUtf8) {
    ++p;
    while (p < end_ && IsContinuation(static_cast<unsigned char>(*p))) ++p;
    return p;
  }
  start_ = WalkTo(start_, p + 1);
  return start_;
}
