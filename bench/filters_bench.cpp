// The filter cores and the conversion in-process on a 40,000,000-byte Shift_JIS text with
// CR LF line ends (bench/make_corpus.py's corpus.txt when LINSIFT_CORPUS names it, otherwise a
// generated one), and on the pathological texts: one 20,000,000-byte line of 'a' searched for
// 254 'a' and a 'b', one 20,000,000-byte line of 表 (95 5C) searched for the 5C that is each
// character's trail byte (every byte-wise occurrence is rejected) and for 255 bytes out of step
// with the characters, and 4,500,000 one-byte lines. The filters match on character boundaries
// unless a name ends in Bytes. The line-list reference path is measured beside them on a tenth
// of the text.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "filters/ConvertLines.h"
#include "filters/LineFilters.h"
#include "strings/B2String1.h"
#include "strings/B2StringVector.h"

namespace {

constexpr size_t kTextSize = 40000000;

std::string GeneratedCorpus() {
  static const char* const kPieces[] = {
      "\x82\xB1\x82\xEA\x82\xCD",          // これは
      "\x95\x5C\x8E\xA6",                  // 表示
      "\x92\x8A\x8F\x6F",                  // 抽出
      "\x82\xC5\x82\xB7\x81\x42",          // です。
      "\x83\x65\x83\x4C\x83\x58\x83\x67",  // テキスト
      "\x83\x74\x83\x40\x83\x43\x83\x8B",  // ファイル
      "--option ",
      "FILE ",
      "2026 ",
      "\x93\xFA\x96\x7B\x8C\xEA",  // 日本語
  };
  std::mt19937 rng(42);
  std::string text;
  text.reserve(kTextSize + 128);
  while (text.size() < kTextSize - 64) {
    if (rng() % 5 == 0) {
      text += "\r\n";  // an empty line
      continue;
    }
    const size_t end = text.size() + 20 + rng() % 40;
    while (text.size() < end) text += kPieces[rng() % (sizeof kPieces / sizeof kPieces[0])];
    text += "\r\n";
  }
  return text;
}

const std::string& Corpus() {
  static const std::string text = [] {
    if (const char* path = std::getenv("LINSIFT_CORPUS")) {
      std::ifstream in(path, std::ios::binary);
      std::ostringstream all;
      all << in.rdbuf();
      if (!all.str().empty()) return all.str();
      std::fprintf(stderr, "LINSIFT_CORPUS=%s cannot be read; using a generated text\n", path);
    }
    return GeneratedCorpus();
  }();
  return text;
}

const std::string& LongLine() {
  static const std::string text(20000000, 'a');
  return text;
}

const std::string& ManyLines() {
  static const std::string text = [] {
    std::string t;
    t.reserve(9000000);
    for (int i = 0; i < 2250000; ++i) t += "a\nb\n";
    return t;
  }();
  return text;
}

// 10,000,000 times 表 (95 5C) on one line.
const std::string& TrailLine() {
  static const std::string text = [] {
    std::string t;
    t.reserve(20000000);
    for (int i = 0; i < 10000000; ++i) t += "\x95\x5C";
    return t;
  }();
  return text;
}

const std::string kHyouji = "\x95\x5C\x8E\xA6";  // 表示
const std::string kWorstSearch = std::string(254, 'a') + "b";
const std::string kYen = "\x5C";
// 5C 95 5C 95 ... 5C: found at every second byte of TrailLine, never on a boundary.
const std::string kOutOfStep = [] {
  std::string t;
  for (int i = 0; i < 127; ++i) t += "\x5C\x95";
  return t + "\x5C";
}();

using Filter = filters::FilterResult (*)(const filters::Matcher&, const char*, size_t);
enum class Matching { kCharacters, kBytes };

void RunFilter(benchmark::State& state, Filter filter, const std::string& text,
               const std::string& search, Matching matching = Matching::kCharacters) {
  filters::MatchOptions options;
  options.bytes = matching == Matching::kBytes;
  const auto matcher = filters::Matcher::Make(search.data(), search.size(), options);
  for (auto _ : state) {
    filters::FilterResult result = filter(*matcher, text.data(), text.size());
    benchmark::DoNotOptimize(result.pane);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_Extract(benchmark::State& s) { RunFilter(s, filters::Extract, Corpus(), kHyouji); }
void BM_Delete(benchmark::State& s) { RunFilter(s, filters::Delete, Corpus(), kHyouji); }
void BM_DeleteUpTo(benchmark::State& s) { RunFilter(s, filters::DeleteUpTo, Corpus(), kHyouji); }
void BM_CountMatches(benchmark::State& s) {
  RunFilter(s, filters::CountMatches, Corpus(), kHyouji);
}
void BM_ExtractLongLineWorstSearch(benchmark::State& s) {
  RunFilter(s, filters::Extract, LongLine(), kWorstSearch);
}
void BM_DeleteLongLineWorstSearch(benchmark::State& s) {
  RunFilter(s, filters::Delete, LongLine(), kWorstSearch);
}
void BM_DeleteUpToManyLines(benchmark::State& s) {
  RunFilter(s, filters::DeleteUpTo, ManyLines(), "b");
}
void BM_ExtractManyLines(benchmark::State& s) { RunFilter(s, filters::Extract, ManyLines(), "a"); }
void BM_ExtractBytes(benchmark::State& s) {
  RunFilter(s, filters::Extract, Corpus(), kHyouji, Matching::kBytes);
}
void BM_DeleteBytes(benchmark::State& s) {
  RunFilter(s, filters::Delete, Corpus(), kHyouji, Matching::kBytes);
}
void BM_ExtractTrailLineYen(benchmark::State& s) {
  RunFilter(s, filters::Extract, TrailLine(), kYen);
}
void BM_CountMatchesTrailLineYen(benchmark::State& s) {
  RunFilter(s, filters::CountMatches, TrailLine(), kYen);
}
void BM_ExtractTrailLineOutOfStep(benchmark::State& s) {
  RunFilter(s, filters::Extract, TrailLine(), kOutOfStep);
}
void BM_ExtractTrailLineYenBytes(benchmark::State& s) {
  RunFilter(s, filters::Extract, TrailLine(), kYen, Matching::kBytes);
}

void NKF32_CALL CopyConverter(char* out, const char* in) {
  const size_t n = std::strlen(in);
  std::memcpy(out, in, n + 1);
}

void BM_ConvertLinesWithoutConverter(benchmark::State& state) {
  const std::string& text = Corpus();
  for (auto _ : state) {
    filters::FilterResult result = filters::ConvertLines(nullptr, text.data(), text.size());
    benchmark::DoNotOptimize(result.pane);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// The conversion's own cost: every line through a converter that only copies.
void BM_ConvertLinesCopyConverter(benchmark::State& state) {
  const std::string& text = Corpus();
  for (auto _ : state) {
    filters::FilterResult result = filters::ConvertLines(CopyConverter, text.data(), text.size());
    benchmark::DoNotOptimize(result.pane);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// Extract the way the line list does it, on a tenth of the text (the list holds at most
// 4,194,305 lines), for comparison with BM_Extract per byte.
void BM_ExtractThroughLineList(benchmark::State& state) {
  const std::string text = Corpus().substr(0, kTextSize / 10);
  for (auto _ : state) {
    std::unique_ptr<B2StringVector> lines = filters::SplitLines(text.c_str());
    B2String1 out;
    for (int i = 0; i < lines->Count(); ++i) {
      if (lines->Get(i)->IndexOf(kHyouji.c_str()) >= 0) {
        out.Append(*lines->Get(i));
        out.Append("\r\n");
      }
    }
    benchmark::DoNotOptimize(out.Data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

}  // namespace

BENCHMARK(BM_Extract)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Delete)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteUpTo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountMatches)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertLinesWithoutConverter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertLinesCopyConverter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractLongLineWorstSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteLongLineWorstSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractManyLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractTrailLineYen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountMatchesTrailLineYen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractTrailLineOutOfStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractTrailLineYenBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteUpToManyLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractThroughLineList)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
