// Guessing by likelihood: a scoring sink run over the candidate decoders.
#include "nkf32/EncodingDetector.h"

#include "nkf32/Decoders.h"
#include "nkf32/JapanesePrior.h"

namespace nkf32 {
namespace {

// Adds up the cost of a reading; gives up once it exceeds the best so far.
class ScoreSink {
 public:
  explicit ScoreSink(int64_t limit) : limit_(limit) {}

  bool Char(uint16_t code) {
    bool kana = code >= 0xA1 && code <= 0xDF;
    cost_ += kana && in_kana_run_ ? JapanesePrior::kHalfwidthKanaNext : JapanesePrior::Cost(code);
    in_kana_run_ = kana;
    return cost_ <= limit_;
  }
  bool Unmapped(char32_t cp) {
    in_kana_run_ = false;
    cost_ += JapanesePrior::UnmappedCost(cp);
    return cost_ <= limit_;
  }
  bool Invalid() {
    in_kana_run_ = false;
    cost_ += EncodingDetector::kInvalidWeight;
    return cost_ <= limit_;
  }
  int64_t cost() const { return cost_; }

 private:
  int64_t limit_;
  int64_t cost_ = 0;
  bool in_kana_run_ = false;
};

}  // namespace

int64_t EncodingDetector::Cost(Encoding e, const char* p, size_t n, int64_t limit) {
  ScoreSink sink(limit);
  const uint8_t* b = reinterpret_cast<const uint8_t*>(p);
  decode::Run(e, b, b + n, sink);
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
  if (!high && !iso2022) return Encoding::kAscii;

  static constexpr Encoding k8Bit[] = {Encoding::kUtf8, Encoding::kShiftJis, Encoding::kEucJp,
                                       Encoding::kIso2022Jp};
  static constexpr Encoding k7Bit[] = {Encoding::kIso2022Jp, Encoding::kAscii};
  const Encoding* first = high ? k8Bit : k7Bit;
  const Encoding* last = high ? k8Bit + (iso2022 ? 4 : 3) : k7Bit + 2;

  Encoding best = *first;
  int64_t best_cost = Cost(best, p, n);
  for (const Encoding* e = first + 1; e < last; ++e) {
    int64_t c = Cost(*e, p, n, best_cost);
    if (c < best_cost) {
      best = *e;
      best_cost = c;
    }
  }
  return best;
}

}  // namespace nkf32
