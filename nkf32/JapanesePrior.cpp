// The generated frequency tables and the fixed costs around them.
#include "nkf32/JapanesePrior.h"

#include "nkf32/HalfwidthKana.h"

namespace nkf32 {
namespace {
#include "nkf32/JapanesePrior.inc"

// 0-based index of a double-byte Shift_JIS code in the row x cell table.
unsigned KutenIndex(uint16_t code) {
  unsigned lead = code >> 8;
  unsigned trail = code & 0xFF;
  unsigned row = (lead <= 0x9F ? lead - 0x81 : lead - 0xC1) * 2;
  if (trail >= 0x9F) return (row + 1) * 94 + trail - 0x9F;
  return row * 94 + trail - 0x40 - (trail >= 0x80 ? 1 : 0);
}
}  // namespace

int JapanesePrior::Cost(uint16_t code) {
  if (code < 0x80) return kAsciiCost[code];
  if (code < 0x100) return Cost(HalfwidthKana::Get().Wide(code));
  if (code >= 0xF040 && code <= 0xF9FC) return kUserDefined;
  unsigned i = KutenIndex(code);
  return i < sizeof kKutenCost ? kKutenCost[i] : 255;
}

int JapanesePrior::UnmappedCost(char32_t cp) {
  if (cp < 0x100) return 100;                                       // accented Latin letters
  if ((cp >= 0x3400 && cp <= 0x9FFF) || cp >= 0x20000) return 112;  // other CJK ideographs
  return 120;  // other scripts and symbols: rarer in Japanese text than a rare kanji
}

JapanesePrior::Class JapanesePrior::ClassOf(uint16_t code) {
  if (code < 0x80) {
    if (code <= 0x20 || code == 0x7F) return kSpace;
    if ((code | 0x20) >= 'a' && (code | 0x20) <= 'z') return kLetter;
    if (code >= '0' && code <= '9') return kDigit;
    return kPunctuation;
  }
  if (code < 0x100) return kHalfwidthKana;
  if (code == 0x815B) return kKatakana;  // ー
  if (code == 0x8158) return kKanji;     // 々
  unsigned row = KutenIndex(code) / 94 + 1;
  if (row == 4) return kHiragana;
  if (row == 5) return kKatakana;
  if (row == 1 || row == 2 || row == 13) return kSymbol;
  if (row == 3 || row == 6 || row == 7) return kForeign;
  if ((row >= 16 && row <= 84) || (row >= 89 && row <= 92) || (row >= 115 && row <= 119)) {
    return kKanji;
  }
  return kOther;
}

JapanesePrior::Class JapanesePrior::UnmappedClassOf(char32_t cp) {
  if (cp < 0x100) return kForeign;
  if ((cp >= 0x3400 && cp <= 0x9FFF) || cp >= 0x20000) return kKanji;
  return kOther;
}

int JapanesePrior::Transition(Class prev, Class next) { return kClassAdjust[prev][next]; }

}  // namespace nkf32
