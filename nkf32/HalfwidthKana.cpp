// The widths table, taken from the CP932 table through Unicode.
#include "nkf32/HalfwidthKana.h"

#include "nkf32/Cp932Table.h"

namespace nkf32 {

HalfwidthKana::HalfwidthKana() : plain_(), voiced_(), semi_voiced_() {
  static constexpr char16_t kFull[] =
      u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソ"
      u"タチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
  static_assert(sizeof kFull / sizeof kFull[0] == 64, "63 kana and the terminator");
  const Cp932Table& t = Cp932Table::Get();
  for (unsigned i = 0; i < 63; ++i) {
    char16_t c = kFull[i];
    plain_[i] = t.FromUnicode(c);
    bool ka_to_to = c >= u'カ' && c <= u'ト' && c != u'ッ';
    bool ha_to_ho = c >= u'ハ' && c <= u'ホ';
    if (ka_to_to || ha_to_ho) voiced_[i] = t.FromUnicode(static_cast<char32_t>(c + 1));
    if (ha_to_ho) semi_voiced_[i] = t.FromUnicode(static_cast<char32_t>(c + 2));
    if (c == u'ウ') voiced_[i] = t.FromUnicode(u'ヴ');
  }
}

const HalfwidthKana& HalfwidthKana::Get() {
  static const HalfwidthKana widths;
  return widths;
}

}  // namespace nkf32
