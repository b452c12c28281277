// JapanesePrior: how likely a character is in Japanese text, as an integer cost.
#pragma once

#include <cstdint>

namespace nkf32 {

/// Costs are -log2 of a character's probability in quarter bits, so the cost of a
/// decoded line is the sum over its characters and the likeliest reading of a
/// line is the one with the smallest sum. The double-byte and ASCII figures come
/// from counting real Japanese text (nkf32/tools/make_prior.py); half-width
/// katakana, which that text lacks, costs as the katakana it widens to, and the
/// classes the counts cannot see (characters outside CP932, user-defined ones,
/// bytes that fit no character) have fixed costs.
class JapanesePrior {
 public:
  /// A half-width katakana costs as the full-width one it widens to (with ﾞ or
  /// ﾟ, as the combined character: ｶﾞ as ガ): the text counted holds almost
  /// none, yet whole lines of it are common in Shift_JIS data. A run of one
  /// costs kHalfwidthKanaLone more: a lone one between other characters is
  /// what misread bytes give.
  static constexpr int kHalfwidthKanaLone = 40;
  /// Added for each run of half-width katakana in EUC-JP (SS2), where such runs
  /// are rarer than in Shift_JIS text.
  static constexpr int kEucHalfwidthKanaExtra = 24;
  /// Added to a Shift_JIS reading whose only non-ASCII characters are two or
  /// four half-width katakana making two characters (kShortKanaPair) or three
  /// or four (kShortKanaWord): the same bytes are one or two EUC-JP (or UTF-8)
  /// characters, and as a whole short text (a field, a list item) a symbol, a
  /// kana or a common kanji is likelier than such a kana word. Nothing is added
  /// when the kana make one character (ｶﾞ): a lone katakana is common too.
  static constexpr int kShortKanaPair = 8;
  static constexpr int kShortKanaWord = 4;
  /// Added to that when those kana hold a punctuation mark or the first is one
  /// no word begins with (HalfwidthKana::BeginsWord): what the lead bytes of
  /// EUC-JP symbols, hiragana and katakana give.
  static constexpr int kShortKanaOdd = 40;
  /// An accented Latin letter (U+00C0-U+00FF) right after a Latin letter, as
  /// in café: the word makes it far likelier than the letter alone.
  static constexpr int kLatinInWord = 60;
  /// A Latin or Greek letter (U+00C0-U+017F, U+0370-U+03FF) in UTF-8 on a
  /// line with ASCII, where such letters among ASCII words are common (logs,
  /// names) while a lone kanji among them is rare; it then counts as a letter
  /// for what follows.
  static constexpr int kUtf8Letter = 40;
  /// A user-defined character (CP932 F040-F9FC): private to one system and
  /// rarer in shared text than any standard one.
  static constexpr int kUserDefined = 200;
  /// A byte sequence that fits no character of the encoding: less likely
  /// than any valid character, even a rare kanji or a user-defined one.
  static constexpr int kInvalid = 160;

  /// Cost of a CP932 code (ASCII, a defined double-byte code, or half-width
  /// katakana: as its full-width form). Undefined double-byte codes cost 255.
  static int Cost(uint16_t code);

  /// Cost of a character that has no CP932 form.
  static int UnmappedCost(char32_t cp);

  /// Character classes, for what may follow what (a kanji rarely stands right
  /// after a Latin letter or before a blank; Greek letters and symbols often do).
  enum Class {
    kBoundary,  // the start or end of the line
    kSpace,
    kLetter,
    kDigit,
    kPunctuation,
    kHiragana,
    kKatakana,
    kKanji,
    kSymbol,
    kForeign,  // full-width Latin, Greek, Cyrillic, accented Latin
    kOther,
    kHalfwidthKana,
  };
  static Class ClassOf(uint16_t code);
  static Class UnmappedClassOf(char32_t cp);

  /// Added cost of class `next` right after class `prev`: -log2 of how much
  /// likelier it is there than anywhere, counted from the same text; may be
  /// negative.
  static int Transition(Class prev, Class next);
};

}  // namespace nkf32
