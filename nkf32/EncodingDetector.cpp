// Guessing by likelihood: a scoring sink run over the candidate decoders.
#include "nkf32/EncodingDetector.h"

#include "nkf32/Decoders.h"
#include "nkf32/JapanesePrior.h"

namespace nkf32 {
namespace {

// Adds up the cost of a reading. Costs can fall as well as rise (a likely
// transition is a bonus), so the only early stop is at the first invalid
// sequence while invalid sequences rule a reading out.
class ScoreSink {
 public:
  ScoreSink(int kana_extra, int64_t invalid_cost)
      : kana_extra_(kana_extra), invalid_cost_(invalid_cost) {}

  bool Char(uint16_t code) {
    bool kana = code >= 0xA1 && code <= 0xDF;
    if (kana && in_kana_run_) {
      cost_ += JapanesePrior::kHalfwidthKanaNext;
    } else {
      cost_ += JapanesePrior::Cost(code) + (kana ? kana_extra_ : 0);
    }
    in_kana_run_ = kana;
    after_letter_ = (code | 0x20) >= 'a' && (code | 0x20) <= 'z';
    Follow(JapanesePrior::ClassOf(code));
    return true;
  }
  bool Unmapped(char32_t cp) {
    bool latin_letter = cp >= 0xC0 && cp <= 0xFF && cp != 0xD7 && cp != 0xF7;
    cost_ += latin_letter && after_letter_ ? JapanesePrior::kLatinInWord
                                           : JapanesePrior::UnmappedCost(cp);
    in_kana_run_ = false;
    after_letter_ = latin_letter;
    Follow(JapanesePrior::UnmappedClassOf(cp));
    return true;
  }
  bool Invalid() {
    in_kana_run_ = false;
    after_letter_ = false;
    prev_ = JapanesePrior::kOther;
    cost_ += invalid_cost_;
    ruled_out_ = invalid_cost_ >= EncodingDetector::kRuledOut;
    return !ruled_out_;
  }
  // The end of the text is the end of the line.
  void End() { Follow(JapanesePrior::kBoundary); }
  int64_t cost() const { return cost_; }
  bool ruled_out() const { return ruled_out_; }

 private:
  int kana_extra_;
  int64_t invalid_cost_;
  int64_t cost_ = 0;
  bool in_kana_run_ = false;
  bool after_letter_ = false;  // the last character was a Latin letter
  bool ruled_out_ = false;
  JapanesePrior::Class prev_ = JapanesePrior::kBoundary;

  void Follow(JapanesePrior::Class next) {
    cost_ += JapanesePrior::Transition(prev_, next);
    prev_ = next;
  }
};

}  // namespace

int64_t EncodingDetector::Cost(Encoding e, const char* p, size_t n, int64_t invalid_cost) {
  int kana_extra = e == Encoding::kEucJp ? JapanesePrior::kEucHalfwidthKanaExtra : 0;
  ScoreSink sink(kana_extra, invalid_cost);
  const uint8_t* b = reinterpret_cast<const uint8_t*>(p);
  decode::Run(e, b, b + n, sink);
  if (!sink.ruled_out()) sink.End();
  return sink.cost();
}

Encoding EncodingDetector::Detect(const char* p, size_t n) {
  bool high = false;
  bool iso2022 = false;
  for (size_t i = 0; i < n; ++i) {
    unsigned char b = static_cast<unsigned char>(p[i]);
    high |= b >= 0x80;
    iso2022 |= b == 0x1B || b == 0x0E;
  }
  if (!high) return iso2022 ? Encoding::kIso2022Jp : Encoding::kAscii;

  static constexpr Encoding kCandidates[] = {Encoding::kUtf8, Encoding::kShiftJis, Encoding::kEucJp,
                                             Encoding::kIso2022Jp};
  const Encoding* end = kCandidates + (iso2022 ? 4 : 3);
  auto cheapest = [&](int64_t invalid_cost, int64_t* cost) {
    Encoding best = kCandidates[0];
    int64_t best_cost = Cost(best, p, n, invalid_cost);
    for (const Encoding* e = kCandidates + 1; e < end; ++e) {
      int64_t c = Cost(*e, p, n, invalid_cost);
      if (c < best_cost) {
        best = *e;
        best_cost = c;
      }
    }
    *cost = best_cost;
    return best;
  };
  int64_t cost;
  Encoding best = cheapest(kRuledOut, &cost);
  // A ruled-out reading costs kRuledOut plus what it had added up so far, which
  // may be negative but never by anything near kRuledOut / 2.
  if (cost < kRuledOut / 2) return best;
  return cheapest(JapanesePrior::kInvalid, &cost);
}

}  // namespace nkf32
