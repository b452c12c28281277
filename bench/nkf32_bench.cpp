// Speed of the converter on an access log with percent-encoded Japanese
// queries, line by line as the program works: percent-decode each line into a
// buffer, then convert it into a buffer of 2n+1 bytes, guessing every line
// afresh. The log comes from bench/make_accesslog.py (40,000,000 bytes); set
// NKF32_BENCH_LOG to use another file, else it is made in the temp directory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "nkf32/Converter.h"
#include "nkf32/EncodingDetector.h"
#include "text/PercentDecode.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::string data;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return data;
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
  std::fclose(f);
  return data;
}

const std::string& AccessLog() {
  static const std::string log = [] {
    const char* env = std::getenv("NKF32_BENCH_LOG");
    std::string path = env ? env : "/tmp/nkf32_bench_accesslog.txt";
    std::string data = ReadFile(path);
    if (data.empty()) {
      std::string script = __FILE__;
      script = script.substr(0, script.find_last_of('/') + 1) + "make_accesslog.py";
      std::string cmd = "python3 '" + script + "' '" + path + "'";
      if (std::system(cmd.c_str()) == 0) data = ReadFile(path);
    }
    return data;
  }();
  return log;
}

// Calls f(line, length) for every line of the text.
template <class F>
void ForEachLine(const std::string& text, F f) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    f(text.data() + pos, end - pos);
    pos = end + 1;
  }
}

void BM_PercentDecodeAndConvert(benchmark::State& state) {
  const std::string& log = AccessLog();
  if (log.empty()) return state.SkipWithError("no access log");
  const nkf32::Converter converter;
  std::vector<char> decoded(log.size() + 1), out(2 * log.size() + 1);
  size_t written = 0;
  for (auto _ : state) {
    ForEachLine(log, [&](const char* line, size_t n) {
      size_t m = text::PercentDecode(line, line + n, decoded.data());
      written += converter.Convert(decoded.data(), m, out.data(), 2 * m + 1);
    });
  }
  benchmark::DoNotOptimize(written);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * log.size()));
}
BENCHMARK(BM_PercentDecodeAndConvert)->Unit(benchmark::kMillisecond);

// The conversion alone, on lines decoded beforehand.
void BM_ConvertDecodedLines(benchmark::State& state) {
  const std::string& log = AccessLog();
  if (log.empty()) return state.SkipWithError("no access log");
  std::string text(log.size(), '\0');
  text.resize(text::PercentDecode(log.data(), log.data() + log.size(), &text[0]));
  const nkf32::Converter converter;
  std::vector<char> out(2 * text.size() + 1);
  size_t written = 0;
  for (auto _ : state) {
    ForEachLine(text, [&](const char* line, size_t n) {
      written += converter.Convert(line, n, out.data(), 2 * n + 1);
    });
  }
  benchmark::DoNotOptimize(written);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ConvertDecodedLines)->Unit(benchmark::kMillisecond);

// One short line per encoding: the cost of guessing.
void BM_ShortLine(benchmark::State& state, const char* line) {
  const nkf32::Converter converter;
  std::string in(line);
  std::vector<char> out(2 * in.size() + 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(converter.Convert(in.data(), in.size(), out.data(), out.size()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
}
BENCHMARK_CAPTURE(BM_ShortLine, ascii, "GET /index.html HTTP/1.1");
BENCHMARK_CAPTURE(BM_ShortLine, utf8,
                  "\xe6\xa4\x9c\xe7\xb4\xa2\xe3\x81\xae\xe7\xb5\x90\xe6\x9e\x9c");
BENCHMARK_CAPTURE(BM_ShortLine, sjis, "\x8c\x9f\x8d\xf5\x82\xcc\x8c\x8b\x89\xca");
BENCHMARK_CAPTURE(BM_ShortLine, eucjp, "\xb8\xa1\xba\xf7\xa4\xce\xb7\xeb\xb2\xcc");
BENCHMARK_CAPTURE(BM_ShortLine, iso2022jp, "\x1b$B8!:w$N7k2L\x1b(B");

}  // namespace

BENCHMARK_MAIN();
