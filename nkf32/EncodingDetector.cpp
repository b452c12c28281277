// Guessing by likelihood: a scoring sink run over the candidate decoders.
#include "nkf32/EncodingDetector.h"

#include <algorithm>

#include "nkf32/Decoders.h"
#include "nkf32/HalfwidthKana.h"
#include "nkf32/JapanesePrior.h"

namespace nkf32 {
namespace {

// A Latin or Greek letter, by code point.
bool IsLatinOrGreekLetter(char32_t cp) {
  if (cp >= 0xC0 && cp <= 0x17F) return cp != 0xD7 && cp != 0xF7;
  return cp >= 0x370 && cp <= 0x3FF;
}

// Greek letters by CP932 code (Α-Ω, α-ω).
bool IsGreekCode(uint16_t code) { return code >= 0x839F && code <= 0x83D6; }

// Adds up the cost of a reading. Costs can fall as well as rise (a likely
// transition is a bonus), so the only early stop is when a reading has more
// invalid sequences than it may have.
class ScoreSink {
 public:
  // `letters`: weigh Latin and Greek letters as UTF-8 letters among ASCII.
  ScoreSink(Encoding e, int maxInvalid, bool letters)
      : kana_(HalfwidthKana::Get()),
        kanaRunCost_(e == Encoding::kEucJp ? JapanesePrior::kEucHalfwidthKanaExtra : 0),
        letters_(letters),
        maxInvalid_(maxInvalid) {}

  bool Char(uint16_t code) {
    if (HalfwidthKana::Is(code)) {
      oddKana_ |=
          HalfwidthKana::IsPunctuation(code) || (!kanaCount_ && !HalfwidthKana::BeginsWord(code));
      ++kanaCount_;
      if (pendingKana_) {
        uint16_t both = kana_.Combined(pendingKana_, code);
        if (both) {
          pendingKana_ = 0;
          AddKana(both);
          return true;
        }
        AddKana(kana_.Wide(pendingKana_));
      }
      pendingKana_ = code;
      return true;
    }
    EndKanaRun();
    if (letters_ && IsGreekCode(code)) {
      AddLetter();
      return true;
    }
    cost_ += JapanesePrior::Cost(code);
    afterLetter_ = (code | 0x20) >= 'a' && (code | 0x20) <= 'z';
    Follow(JapanesePrior::ClassOf(code));
    return true;
  }
  bool Unmapped(char32_t cp) {
    EndKanaRun();
    if (letters_ && IsLatinOrGreekLetter(cp)) {
      AddLetter();
      return true;
    }
    bool latinLetter = cp >= 0xC0 && cp <= 0xFF && cp != 0xD7 && cp != 0xF7;
    cost_ +=
        latinLetter && afterLetter_ ? JapanesePrior::kLatinInWord : JapanesePrior::UnmappedCost(cp);
    afterLetter_ = latinLetter;
    Follow(JapanesePrior::UnmappedClassOf(cp));
    return true;
  }
  bool Invalid() {
    EndKanaRun();
    afterLetter_ = false;
    prev_ = JapanesePrior::kOther;
    cost_ += JapanesePrior::kInvalid;
    if (++invalid_ <= maxInvalid_) return true;
    cost_ += EncodingDetector::kRuledOut;
    ruledOut_ = true;
    return false;
  }
  // The end of the text is the end of the line.
  void End() {
    EndKanaRun();
    Follow(JapanesePrior::kBoundary);
  }
  int64_t Cost() const { return cost_; }
  bool RuledOut() const { return ruledOut_; }
  // Half-width kana read so far (a kana and its mark count as two).
  int KanaCount() const { return kanaCount_; }
  // The characters they make, a kana and its mark being one.
  int KanaChars() const { return kanaChars_; }
  // True when one of them is punctuation or the first begins no word.
  bool OddKana() const { return oddKana_; }

 private:
  const HalfwidthKana& kana_;
  int kanaRunCost_;
  bool letters_;
  int maxInvalid_;
  int invalid_ = 0;
  int64_t cost_ = 0;
  uint16_t pendingKana_ = 0;  // a half-width kana that a mark may still join
  int kanaRun_ = 0;           // half-width kana in the current run
  int kanaCount_ = 0;
  int kanaChars_ = 0;
  bool oddKana_ = false;
  bool afterLetter_ = false;  // the last character was a Latin letter
  bool ruledOut_ = false;
  JapanesePrior::Class prev_ = JapanesePrior::kBoundary;

  void Follow(JapanesePrior::Class next) {
    cost_ += JapanesePrior::Transition(prev_, next);
    prev_ = next;
  }
  void EndKanaRun() {
    if (pendingKana_) {
      AddKana(kana_.Wide(pendingKana_));
      pendingKana_ = 0;
    }
    if (kanaRun_ == 1) cost_ += JapanesePrior::kHalfwidthKanaLone;
    kanaRun_ = 0;
  }
  // A half-width kana, scored as its full-width form `wide`.
  void AddKana(uint16_t wide) {
    cost_ += JapanesePrior::Cost(wide) + (kanaRun_ ? 0 : kanaRunCost_);
    ++kanaChars_;
    ++kanaRun_;
    afterLetter_ = false;
    Follow(JapanesePrior::ClassOf(wide));
  }
  void AddLetter() {
    cost_ += JapanesePrior::kUtf8Letter;
    afterLetter_ = true;
    Follow(JapanesePrior::kLetter);
  }
};

// The cost of reading [b, b + n), which holds `high` bytes >= 0x80, as `e`.
int64_t ReadingCost(Encoding e, const uint8_t* b, size_t n, size_t high, int maxInvalid) {
  // A Latin or Greek letter counts as one only with ASCII on the line: alone,
  // its two bytes are likelier a kanji.
  ScoreSink sink(e, maxInvalid, e == Encoding::kUtf8 && high < n);
  decode::Run(e, b, b + n, sink);
  if (sink.RuledOut()) return sink.Cost();
  sink.End();
  int64_t cost = sink.Cost();
  // One or two double-byte units that Shift_JIS reads as nothing but half-width
  // kana: weigh the kana as a whole short text.
  if (e == Encoding::kShiftJis && (high == 2 || high == 4) &&
      static_cast<size_t>(sink.KanaCount()) == high) {
    const int chars = sink.KanaChars();
    if (chars == 2) cost += JapanesePrior::kShortKanaPair;
    if (chars > 2) cost += JapanesePrior::kShortKanaWord;
    if (sink.OddKana()) cost += JapanesePrior::kShortKanaOdd;
  }
  return cost;
}

}  // namespace

int64_t EncodingDetector::Cost(Encoding e, const char* p, size_t n, int maxInvalid) {
  const uint8_t* b = reinterpret_cast<const uint8_t*>(p);
  const auto high = std::count_if(b, b + n, [](uint8_t c) { return c >= 0x80; });
  return ReadingCost(e, b, n, static_cast<size_t>(high), maxInvalid);
}

Encoding EncodingDetector::Detect(const char* p, size_t n) {
  size_t high = 0;
  bool iso2022 = false;
  for (size_t i = 0; i < n; ++i) {
    unsigned char b = static_cast<unsigned char>(p[i]);
    high += b >= 0x80;
    iso2022 |= b == 0x1B || b == 0x0E;
  }
  if (!high) return iso2022 ? Encoding::kIso2022Jp : Encoding::kAscii;

  static constexpr Encoding kCandidates[] = {Encoding::kUtf8, Encoding::kShiftJis, Encoding::kEucJp,
                                             Encoding::kIso2022Jp};
  const Encoding* end = kCandidates + (iso2022 ? 4 : 3);
  const uint8_t* b = reinterpret_cast<const uint8_t*>(p);
  auto cheapest = [&](int maxInvalid, int64_t* cost) {
    Encoding best = kCandidates[0];
    int64_t bestCost = ReadingCost(best, b, n, high, maxInvalid);
    for (const Encoding* e = kCandidates + 1; e < end; ++e) {
      int64_t c = ReadingCost(*e, b, n, high, maxInvalid);
      if (c < bestCost) {
        best = *e;
        bestCost = c;
      }
    }
    *cost = bestCost;
    return best;
  };
  int64_t cost;
  Encoding best = cheapest(MaxStray(high), &cost);
  // A ruled-out reading costs kRuledOut plus what it had added up so far, which
  // may be negative but never by anything near kRuledOut / 2.
  if (cost < kRuledOut / 2) return best;
  return cheapest(kUnlimited, &cost);
}

int EncodingDetector::MaxStray(size_t high) { return 1 + static_cast<int>(high / 8); }

}  // namespace nkf32
