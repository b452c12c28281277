// Character boundaries of a line: the continuation-byte test for UTF-8, a look back over the
// lead bytes in front of a position for Shift_JIS, and the UTF-8 check of the whole line only
// when the two disagree.
#include "filters/CharacterBoundaries.h"

#include <cstdint>
#include <cstring>

#include "text/ShiftJis.h"
#include "text/Utf8.h"

namespace {

using text::IsShiftJisLead;
using text::IsShiftJisTrail;
using text::IsUtf8Continuation;

// True when [p, end) is well-formed UTF-8 or, for a fragment, could be cut out of it: then up
// to three continuation bytes may open it and its last sequence may be cut short. ASCII is
// skipped eight bytes at a time.
bool IsUtf8(const unsigned char* p, const unsigned char* end, bool fragment) {
  for (int i = 0; fragment && i < 3 && p < end && IsUtf8Continuation(*p); ++i) ++p;
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
    const text::Utf8Lead lead = text::Utf8LeadOf(static_cast<unsigned char>(b));
    if (lead.size == 0) return false;
    const size_t size = static_cast<size_t>(lead.size);
    const unsigned low = lead.low, high = lead.high;
    const size_t have = static_cast<size_t>(end - p);
    if (have < size && !fragment) return false;
    if (have >= 2 && (p[1] < low || p[1] > high)) return false;
    for (size_t i = 2; i < size && i < have; ++i) {
      if (!IsUtf8Continuation(p[i])) return false;
    }
    p += have < size ? have : size;
  }
  return true;
}

const unsigned char* Bytes(const char* p) { return reinterpret_cast<const unsigned char*>(p); }

}  // namespace

CharacterBoundaries::CharacterBoundaries(const char* begin, const char* end, bool shiftJis)
    : begin_(begin),
      end_(end),
      reading_(shiftJis ? Reading::kShiftJis : Reading::kUnknown),
      start_(begin),
      stop_(begin) {}

bool CharacterBoundaries::CanOccurInUtf8(const char* text, size_t size) {
  return ::IsUtf8(Bytes(text), Bytes(text) + size, true);
}

bool CharacterBoundaries::IsUtf8(const char* text, size_t size) {
  return ::IsUtf8(Bytes(text), Bytes(text) + size, false);
}

bool CharacterBoundaries::IsUtf8Line(const char* begin, const char* end) {
  const unsigned char* p = Bytes(begin);
  while (p < Bytes(end) && *p < 0x80) ++p;
  return p < Bytes(end) && ::IsUtf8(p, Bytes(end), false);
}

void CharacterBoundaries::Classify() {
  reading_ = ::IsUtf8(Bytes(begin_), Bytes(end_), false) ? Reading::kUtf8 : Reading::kShiftJis;
}

bool CharacterBoundaries::Utf8Holds(const char* from, const char* to) const {
  return !IsUtf8Continuation(static_cast<unsigned char>(*from)) &&
         (to == end_ || !IsUtf8Continuation(static_cast<unsigned char>(*to)));
}

// The bytes in [q, p) can all lead (and so can all trail): from the boundary q they pair off,
// and p is a boundary when they are even in number, or when the last of them has no trail
// byte to take.
bool CharacterBoundaries::ShiftJisBoundary(const char*& known, const char* p) const {
  const char* q = p;
  while (q > known && IsShiftJisLead(static_cast<unsigned char>(q[-1]))) --q;
  const bool boundary =
      (p - q) % 2 == 0 || p == end_ || !IsShiftJisTrail(static_cast<unsigned char>(*p));
  known = boundary ? p : p - 1;
  return boundary;
}

bool CharacterBoundaries::Holds(const char* from, const char* to) {
  if (reading_ == Reading::kUtf8) return Utf8Holds(from, to);
  bool shiftJis = ShiftJisBoundary(start_, from);
  if (shiftJis) {
    if (stop_ < start_) stop_ = start_;
    shiftJis = ShiftJisBoundary(stop_, to);
  }
  if (reading_ == Reading::kShiftJis) return shiftJis;
  const bool utf8 = Utf8Holds(from, to);
  if (shiftJis == utf8) return utf8;  // either reading gives the same
  Classify();
  return reading_ == Reading::kUtf8 ? utf8 : shiftJis;
}

const char* CharacterBoundaries::Next(const char* p) {
  if (reading_ == Reading::kUtf8) {
    ++p;
    while (p < end_ && IsUtf8Continuation(static_cast<unsigned char>(*p))) ++p;
    return p;
  }
  if (reading_ == Reading::kUnknown) return p + 1;
  if (!ShiftJisBoundary(start_, p)) {
    start_ = p + 1;  // p is a trail byte
  } else {
    const bool pair = IsShiftJisLead(static_cast<unsigned char>(*p)) && end_ - p >= 2 &&
                      IsShiftJisTrail(static_cast<unsigned char>(p[1]));
    start_ = p + (pair ? 2 : 1);
  }
  return start_;
}
