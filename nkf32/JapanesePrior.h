// JapanesePrior: how likely a character is in Japanese text, as an integer cost.
#pragma once

#include <cstdint>

namespace nkf32 {

/// Costs are -log2 of a character's probability in quarter bits, so the cost of a
/// decoded line is the sum over its characters and the likeliest reading of a
/// line is the one with the smallest sum. The double-byte and ASCII figures come
/// from counting real Japanese text (nkf32/tools/make_prior.py); the classes the
/// counts cannot see (half-width katakana, characters outside CP932, bytes that
/// fit no character) have fixed costs.
class JapanesePrior {
 public:
  /// A half-width katakana that starts a run, and one that continues a run
  /// (such text comes in runs: ｶﾀｶﾅ). A run start costs more than any kanji,
  /// so that one kanji never reads as a half-width katakana.
  static constexpr int kHalfwidthKanaStart = 96;
  static constexpr int kHalfwidthKanaNext = 28;
  /// Added for each run of half-width katakana in EUC-JP (SS2), where such runs
  /// are far rarer than in Shift_JIS text.
  static constexpr int kEucHalfwidthKanaExtra = 48;
  /// An accented Latin letter (U+00C0-U+00FF) right after a Latin letter, as
  /// in café: the word makes it far likelier than the letter alone.
  static constexpr int kLatinInWord = 60;
  /// A byte sequence that fits no character of the encoding, when every
  /// encoding has some: about as unlikely as a rare character.
  static constexpr int kInvalid = 120;

  /// Cost of a CP932 code (ASCII, half-width katakana as a run start, or a
  /// defined double-byte code). Undefined double-byte codes cost 255.
  static int Cost(uint16_t code);

  /// Cost of a character that has no CP932 form; 0 stands for a JIS X 0212
  /// character (EUC-JP SS3).
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
