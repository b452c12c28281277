// The live count's worker: a new count abandons the one under way, and only the last one
// started is reported.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "app/LiveCount.h"

namespace {

TEST(LiveCount, ReportsOnlyTheLastCountStarted) {
  const auto matcher = std::shared_ptr<const filters::Matcher>(
      filters::Matcher::Make("a", 1, filters::MatchOptions()));
  std::atomic<int> abandonedCounts{0};
  // A count of "slow" runs until it is abandoned; any other counts its bytes at once.
  const LiveCount::CountFn count = [&](const filters::Matcher&, const char* text, size_t size,
                                       const std::function<bool()>& abandoned) {
    filters::FilterResult result;
    if (std::string(text, size) == "slow") {
      while (!abandoned()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      ++abandonedCounts;
      result.gaveUp = true;
      return result;
    }
    result.matches = static_cast<std::int64_t>(size);
    return result;
  };
  std::mutex mutex;
  std::condition_variable reported;
  std::vector<LiveCount::Result> results;
  LiveCount live(count, [&](const LiveCount::Result& result) {
    std::lock_guard<std::mutex> lock(mutex);
    results.push_back(result);
    reported.notify_one();
  });
  live.Start(std::make_shared<const B2String1>("slow"), matcher);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const uint64_t last = live.Start(std::make_shared<const B2String1>("abc"), matcher);
  std::unique_lock<std::mutex> lock(mutex);
  ASSERT_TRUE(reported.wait_for(lock, std::chrono::seconds(10), [&] { return !results.empty(); }));
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].generation, last);
  EXPECT_EQ(results[0].lines, 3);
  EXPECT_EQ(abandonedCounts.load(), 1);
  EXPECT_EQ(live.Generation(), last);
  lock.unlock();
  // A count under way when the worker is destroyed is abandoned, not waited for to its end.
  live.Start(std::make_shared<const B2String1>("slow"), matcher);
}

}  // namespace
