// The widths table, taken from the CP932 table through Unicode.
#include "nkf32/HalfwidthKana.h"

#include "nkf32/Cp932Table.h"

namespace nkf32 {

HalfwidthKana::HalfwidthKana() : plain_(), voiced_(), semiVoiced_() {
  static constexpr char16_t kFull[] =
      u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソ"
      u"タチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
  static_assert(sizeof kFull / sizeof kFull[0] == 64, "63 kana and the terminator");
  const Cp932Table& t = Cp932Table::Get();
  for (unsigned i = 0; i < 63; ++i) {
    char16_t c = kFull[i];
    plain_[i] = t.FromUnicode(c);
    bool kaToTo = c >= u'カ' && c <= u'ト' && c != u'ッ';
    bool haToHo = c >= u'ハ' && c <= u'ホ';
    if (kaToTo || haToHo) voiced_[i] = t.FromUnicode(static_cast<char32_t>(c + 1));
    if (haToHo) semiVoiced_[i] = t.FromUnicode(static_cast<char32_t>(c + 2));
    if (c == u'ウ') voiced_[i] = t.FromUnicode(u'ヴ');
  }
}

const HalfwidthKana& HalfwidthKana::Get() {
  static const HalfwidthKana widths;
  return widths;
}

}  // namespace nkf32
