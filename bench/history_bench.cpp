// The document's history at its largest: 25 steps of 40,000,000-byte texts recorded, then
// undone one by one. Reports the process's peak memory and the time an undo from the spill
// file takes.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <memory>
#include <string>

#include "app/Document.h"
#include "text/Limits.h"

namespace {

// Peak resident memory of the process so far, in MB.
double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Records 26 texts (25 undo steps), then undoes every step: the counter undo_ms is the mean
// time of one undo, most of them from the file; peak_MB the process's peak memory.
void BM_TwentyFiveStepsOf40MB(benchmark::State& state) {
  std::string bytes(limits::kTextBytes, 'x');
  for (auto _ : state) {
    Document doc;
    for (int i = 0; i < 26; ++i) {
      bytes[0] = static_cast<char>('A' + i);
      doc.Replace(std::make_unique<B2String1>(bytes.data(), limits::kTextBytes), "");
    }
    state.counters["spilled_MB"] = static_cast<double>(doc.History().SpilledBytes()) / 1e6;
    int undone = 0;
    const auto start = std::chrono::steady_clock::now();
    while (doc.Undo()) ++undone;
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    state.counters["steps"] = undone;
    state.counters["undo_ms"] = took.count() / undone;
  }
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_TwentyFiveStepsOf40MB)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
