// Throughput of the byte-string searches, replacement and splitting on a 40,000,000-byte
// Shift_JIS text with CR LF line ends, and on a text built to defeat naive scans.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "strings/B2String1.h"
#include "strings/B2StringVector.h"

namespace {

constexpr int kTextSize = 40000000;

// Japanese-ish prose: hiragana, a few kanji (表 = 95 5C included), half-width kana, ASCII
// words and digits; lines of about 40 bytes ending in CR LF.
const std::string& SjisText() {
  static const std::string text = [] {
    static const char* const kPieces[] = {
        "\x82\xB1\x82\xEA\x82\xCD",          // これは
        "\x95\x5C",                          // 表
        "\x92\x8A\x8F\x6F",                  // 抽出
        "\x8D\xED\x8F\x9C",                  // 削除
        "\x82\xC5\x82\xB7",                  // です
        "\x81\x42",                          // 。
        "\x83\x65\x83\x4C\x83\x58\x83\x67",  // テキスト
        "\xB1\xB2\xB3",                      // ｱｲｳ
        "Linsift ",
        "line ",
        "2026 ",
        "abc",
        "\x93\xFA\x96\x7B\x8C\xEA",  // 日本語
    };
    std::mt19937 rng(42);
    std::string t;
    t.reserve(kTextSize + 64);
    while (t.size() < kTextSize) {
      size_t lineEnd = t.size() + 30 + rng() % 20;
      while (t.size() < lineEnd) t += kPieces[rng() % (sizeof(kPieces) / sizeof(kPieces[0]))];
      t += "\r\n";
    }
    t.resize(kTextSize);
    return t;
  }();
  return text;
}

const std::string& AllA() {
  static const std::string text(kTextSize, 'a');
  return text;
}

const std::string& HardPattern() {
  static const std::string p = std::string(999, 'a') + "b";
  return p;
}

// A pattern absent from the SJIS text, so every search scans all of it.
const char kAbsent[] = "\x91\xB6\x8D\xDD\x82\xB5\x82\xC8\x82\xA2";  // 存在しない

B2String1& Loaded(const std::string& bytes) {
  static std::unique_ptr<B2String1> held;
  static const std::string* source = nullptr;
  if (source != &bytes) {
    held.reset(new B2String1(bytes.data(), static_cast<int>(bytes.size())));
    source = &bytes;
  }
  return *held;
}

void Bytes(benchmark::State& state, size_t n) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(n));
}

// The plain position-by-position scan, for comparison.
int NaiveIndexOf(const char* text, int length, const char* pattern, int count) {
  for (int p = 0; p <= length - count; p++) {
    int i = 0;
    while (i < count && text[p + i] == pattern[i]) i++;
    if (i == count) return p;
  }
  return -1;
}

void BM_Naive_IndexOf_Sjis(benchmark::State& state) {
  const std::string& t = SjisText();
  for (auto _ : state) {
    benchmark::DoNotOptimize(NaiveIndexOf(t.data(), kTextSize, kAbsent, 10));
  }
  Bytes(state, t.size());
}

void BM_Naive_CountOf_CrLf_Sjis(benchmark::State& state) {
  const std::string& t = SjisText();
  for (auto _ : state) {
    int n = 0;
    for (int p = NaiveIndexOf(t.data(), kTextSize, "\r\n", 2); p >= 0;) {
      n++;
      const int next = NaiveIndexOf(t.data() + p + 2, kTextSize - p - 2, "\r\n", 2);
      p = next < 0 ? -1 : p + 2 + next;
    }
    benchmark::DoNotOptimize(n);
  }
  Bytes(state, t.size());
}

void BM_IndexOf_Sjis(benchmark::State& state) {
  B2String1& s = Loaded(SjisText());
  for (auto _ : state) benchmark::DoNotOptimize(s.IndexOf(kAbsent));
  Bytes(state, kTextSize);
}

void BM_CountOf_CrLf_Sjis(benchmark::State& state) {
  B2String1& s = Loaded(SjisText());
  for (auto _ : state) benchmark::DoNotOptimize(s.CountOf("\r\n"));
  Bytes(state, kTextSize);
}

void BM_CountOf_Kanji_Sjis(benchmark::State& state) {
  B2String1& s = Loaded(SjisText());
  for (auto _ : state) benchmark::DoNotOptimize(s.CountOf("\x92\x8A\x8F\x6F"));
  Bytes(state, kTextSize);
}

void BM_LastIndexOf_Sjis(benchmark::State& state) {
  B2String1& s = Loaded(SjisText());
  for (auto _ : state) benchmark::DoNotOptimize(s.LastIndexOf(kAbsent));
  Bytes(state, kTextSize);
}

void BM_LastIndexOf_CrLf_Sjis(benchmark::State& state) {
  // Close to a worst realistic case for the backward scan: candidates every line.
  B2String1& s = Loaded(SjisText());
  for (auto _ : state) benchmark::DoNotOptimize(s.LastIndexOf("\r\nLinsift line 2026"));
  Bytes(state, kTextSize);
}

void BM_ReplaceAll_CrLf_Sjis(benchmark::State& state) {
  const std::string& t = SjisText();
  B2String1 s;
  for (auto _ : state) {
    state.PauseTiming();
    s.Set(t.data(), kTextSize);
    state.ResumeTiming();
    benchmark::DoNotOptimize(s.ReplaceAll("\r\n", "\n"));
  }
  Bytes(state, kTextSize);
}

void BM_Split_Lf_Sjis(benchmark::State& state) {
  B2String1 s(SjisText().data(), kTextSize);
  s.ReplaceAll("\r\n", "\n");
  int64_t lines = 0;
  for (auto _ : state) {
    std::unique_ptr<B2StringVector> list(s.Split('\n'));
    lines += list->Count();
  }
  Bytes(state, static_cast<size_t>(s.Length()));
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}

void BM_IndexOf_Hard(benchmark::State& state) {
  B2String1& s = Loaded(AllA());
  for (auto _ : state) benchmark::DoNotOptimize(s.IndexOf(HardPattern().c_str()));
  Bytes(state, kTextSize);
}

void BM_CountOf_Hard(benchmark::State& state) {
  B2String1& s = Loaded(AllA());
  for (auto _ : state) benchmark::DoNotOptimize(s.CountOf(HardPattern().c_str()));
  Bytes(state, kTextSize);
}

void BM_LastIndexOf_Hard(benchmark::State& state) {
  B2String1& s = Loaded(AllA());
  for (auto _ : state) benchmark::DoNotOptimize(s.LastIndexOf(HardPattern().c_str()));
  Bytes(state, kTextSize);
}

void BM_LastIndexOf_HardReversed(benchmark::State& state) {
  // 'b' + 'a' x 999: every backward candidate matches 999 bytes before failing.
  static const std::string reversed = "b" + std::string(999, 'a');
  B2String1& s = Loaded(AllA());
  for (auto _ : state) benchmark::DoNotOptimize(s.LastIndexOf(reversed.c_str()));
  Bytes(state, kTextSize);
}

void BM_ReplaceAll_Hard(benchmark::State& state) {
  B2String1& s = Loaded(AllA());
  for (auto _ : state) benchmark::DoNotOptimize(s.ReplaceAll(HardPattern().c_str(), "x"));
  Bytes(state, kTextSize);
}

void BM_Split_Hard(benchmark::State& state) {
  B2String1& s = Loaded(AllA());
  for (auto _ : state) {
    std::unique_ptr<B2StringVector> list(s.Split(HardPattern().c_str()));
    benchmark::DoNotOptimize(list->Count());
  }
  Bytes(state, kTextSize);
}

}  // namespace

BENCHMARK(BM_Naive_IndexOf_Sjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Naive_CountOf_CrLf_Sjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexOf_Sjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountOf_CrLf_Sjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountOf_Kanji_Sjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastIndexOf_Sjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastIndexOf_CrLf_Sjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll_CrLf_Sjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Split_Lf_Sjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexOf_Hard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountOf_Hard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastIndexOf_Hard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastIndexOf_HardReversed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll_Hard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Split_Hard)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
