// Decoders: one per input encoding, each turning bytes into CP932 codes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "nkf32/Cp932Table.h"
#include "nkf32/Encoding.h"
#include "nkf32/JisX0212.h"
#include "text/ShiftJis.h"
#include "text/Utf8.h"

namespace nkf32 {

/// Every decoder reads [p, end) and reports each character to a Sink:
///   bool Char(uint16_t code)    a CP932 code (ASCII, 0xA1-0xDF half-width
///                               katakana, or a defined double-byte code)
///   bool Unmapped(char32_t cp)  a valid character with no CP932 form
///   bool Invalid()              a byte sequence that fits no character
/// A sink returns false to stop the decoder early. Escape sequences, shifts and
/// byte order marks are consumed without a report. The same decoders serve both
/// guessing (a sink that adds up costs) and output (a sink that writes).
namespace decode {

/// Double-byte Shift_JIS code of a JIS row and cell (1-based), by arithmetic.
inline uint16_t SjisOfKuten(unsigned row, unsigned cell) {
  unsigned lead = ((row - 1) >> 1) + (row <= 62 ? 0x81 : 0xC1);
  unsigned trail = (row & 1) ? cell + 0x3F + (cell >= 64 ? 1 : 0) : cell + 0x9E;
  return static_cast<uint16_t>(lead << 8 | trail);
}

/// Reports a double-byte code if CP932 defines it, else the pair as invalid.
template <class Sink>
bool DoubleByte(const Cp932Table& t, uint16_t code, Sink& sink) {
  return t.IsDoubleByte(code) ? sink.Char(t.Canonical(code)) : sink.Invalid();
}

/// Reports the character at a row and cell of the JIS X 0212 plane: its CP932
/// code where CP932 has one, else the character as unmapped; an empty position
/// is invalid.
template <class Sink>
bool Supplementary(const Cp932Table& t, unsigned row, unsigned cell, Sink& sink) {
  char32_t cp = JisX0212::ToUnicode(row, cell);
  if (cp == 0) return sink.Invalid();
  uint16_t code = t.FromUnicode(cp);
  if (code >= 0x100) code = t.Canonical(code);
  return code ? sink.Char(code) : sink.Unmapped(cp);
}

template <class Sink>
void Ascii(const uint8_t* p, const uint8_t* end, Sink& sink) {
  for (; p < end; ++p) {
    if (!(*p < 0x80 ? sink.Char(*p) : sink.Invalid())) return;
  }
}

template <class Sink>
void ShiftJis(const uint8_t* p, const uint8_t* end, Sink& sink) {
  const Cp932Table& t = Cp932Table::Get();
  while (p < end) {
    unsigned b = *p;
    bool go;
    if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) {
      go = sink.Char(static_cast<uint16_t>(b));
      p += 1;
    } else if (text::IsShiftJisLead(static_cast<uint8_t>(b)) && end - p >= 2 &&
               text::IsShiftJisTrail(p[1])) {
      go = DoubleByte(t, static_cast<uint16_t>(b << 8 | p[1]), sink);
      p += 2;
    } else {
      go = sink.Invalid();
      p += 1;
    }
    if (!go) return;
  }
}

template <class Sink>
void EucJp(const uint8_t* p, const uint8_t* end, Sink& sink) {
  const Cp932Table& t = Cp932Table::Get();
  auto gr = [](unsigned c) { return c >= 0xA1 && c <= 0xFE; };
  while (p < end) {
    unsigned b = *p;
    bool go;
    if (b < 0x80) {
      go = sink.Char(static_cast<uint16_t>(b));
      p += 1;
    } else if (gr(b) && end - p >= 2 && gr(p[1])) {
      go = DoubleByte(t, SjisOfKuten(b - 0xA0, p[1] - 0xA0u), sink);
      p += 2;
    } else if (b == 0x8E && end - p >= 2 && p[1] >= 0xA1 && p[1] <= 0xDF) {
      go = sink.Char(p[1]);  // SS2: half-width katakana
      p += 2;
    } else if (b == 0x8F && end - p >= 3 && gr(p[1]) && gr(p[2])) {
      go = Supplementary(t, p[1] - 0xA0u, p[2] - 0xA0u, sink);  // SS3
      p += 3;
    } else {
      go = sink.Invalid();
      p += 1;
    }
    if (!go) return;
  }
}

template <class Sink>
void Utf8(const uint8_t* p, const uint8_t* end, Sink& sink) {
  const Cp932Table& t = Cp932Table::Get();
  while (p < end) {
    unsigned b = *p;
    if (b < 0x80) {
      if (!sink.Char(static_cast<uint16_t>(b))) return;
      ++p;
      continue;
    }
    // Length and the allowed range of the second byte (no overlongs, no
    // surrogates, nothing past U+10FFFF).
    const text::Utf8Lead lead = text::Utf8LeadOf(static_cast<uint8_t>(b));
    const int len = lead.size;
    const unsigned lo = lead.low, hi = lead.high;
    char32_t cp = b & (0x7F >> len);
    int i = 1;
    for (; i < len && p + i < end; ++i) {
      unsigned c = p[i];
      if (c < (i == 1 ? lo : 0x80) || c > (i == 1 ? hi : 0xBF)) break;
      cp = cp << 6 | (c & 0x3F);
    }
    if (len == 0 || i < len) {  // the longest broken prefix is one invalid sequence
      if (!sink.Invalid()) return;
      p += len == 0 ? 1 : i;
      continue;
    }
    p += len;
    if (cp == 0xFEFF) continue;  // byte order mark, wherever it stands
    uint16_t code = t.FromUnicode(cp);
    if (!(code ? sink.Char(code) : sink.Unmapped(cp))) return;
  }
}

template <class Sink>
void Iso2022Jp(const uint8_t* p, const uint8_t* end, Sink& sink) {
  const Cp932Table& t = Cp932Table::Get();
  enum { kRoman, kKanji, kKana, kSupplement } set = kRoman;
  bool shifted = false;  // SO: katakana until SI
  while (p < end) {
    unsigned b = *p;
    bool go = true;
    if (b == 0x1B && end - p >= 3) {
      unsigned c1 = p[1], c2 = p[2];
      int len = 3;
      if (c1 == '$' && (c2 == 'B' || c2 == '@')) {
        set = kKanji;
      } else if (c1 == '$' && c2 == '(' && end - p >= 4 && (p[3] == 'B' || p[3] == 'D')) {
        set = p[3] == 'B' ? kKanji : kSupplement;
        len = 4;
      } else if (c1 == '(' && (c2 == 'B' || c2 == 'J')) {
        set = kRoman;
      } else if (c1 == '(' && c2 == 'I') {
        set = kKana;
      } else if (c1 == ')' && c2 == 'I') {
        // designates katakana for SO; nothing to change
      } else if (c1 == '&' && c2 == '@') {
        // announces a JIS X 0208 revision; the next escape selects the set
      } else {
        len = 0;
      }
      if (len) {
        p += len;
        continue;
      }
    }
    if (b == 0x0E || b == 0x0F) {
      shifted = b == 0x0E;
      ++p;
      continue;
    }
    if (b >= 0x80) {
      go = sink.Invalid();
      ++p;
    } else if (b <= 0x20 || b == 0x7F || (set == kRoman && !shifted)) {
      go = sink.Char(static_cast<uint16_t>(b));
      ++p;
    } else if (shifted || set == kKana) {
      go = b <= 0x5F ? sink.Char(static_cast<uint16_t>(b + 0x80)) : sink.Invalid();
      ++p;
    } else if (end - p >= 2 && p[1] > 0x20 && p[1] < 0x7F) {
      go = set == kKanji ? DoubleByte(t, SjisOfKuten(b - 0x20, p[1] - 0x20u), sink)
                         : Supplementary(t, b - 0x20, p[1] - 0x20u, sink);
      p += 2;
    } else {
      go = sink.Invalid();
      ++p;
    }
    if (!go) return;
  }
}

/// Runs the decoder of `e` over [p, end).
template <class Sink>
void Run(Encoding e, const uint8_t* p, const uint8_t* end, Sink& sink) {
  switch (e) {
    case Encoding::kAscii:
      return Ascii(p, end, sink);
    case Encoding::kIso2022Jp:
      return Iso2022Jp(p, end, sink);
    case Encoding::kEucJp:
      return EucJp(p, end, sink);
    case Encoding::kShiftJis:
      return ShiftJis(p, end, sink);
    case Encoding::kUtf8:
      return Utf8(p, end, sink);
  }
}

}  // namespace decode
}  // namespace nkf32
