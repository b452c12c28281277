// Counting the lines that match off the window's thread, while the user types.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "filters/FilterResult.h"
#include "filters/Matcher.h"
#include "strings/B2String1.h"

/// One worker thread that counts the lines of a text that a matcher matches, one count at a
/// time: a new Start abandons the count under way (within one line's search), so the caller
/// never waits. Window-independent: the result goes to a callback, which the window turns into
/// a posted message. Texts and matchers are shared and immutable, so the window may change its
/// document meanwhile.
class LiveCount {
 public:
  /// What one count gives: its number from Start, the lines that match, and whether a line's
  /// search was abandoned at its work limit (the count is then incomplete).
  struct Result {
    uint64_t generation;
    long long lines;
    bool gaveUp;
  };
  /// Called on the worker thread for each count that ran to its end and was still the last
  /// one started when it ended.
  using Done = std::function<void(const Result&)>;
  /// Counts the lines of [text, text + size) that matcher matches (FilterResult::matches), or
  /// gives up as soon as abandoned() says so: filters::CountMatches, or a stand-in in tests.
  using CountFn =
      std::function<filters::FilterResult(const filters::Matcher& matcher, const char* text,
                                          size_t size, const std::function<bool()>& abandoned)>;

  LiveCount(CountFn count, Done done);
  /// Abandons the count under way and waits for the worker to end (one line's search at most).
  ~LiveCount();
  LiveCount(const LiveCount&) = delete;
  LiveCount& operator=(const LiveCount&) = delete;

  /// Starts counting text with matcher, abandoning the count under way; gives the count's
  /// generation, the number its Result will carry.
  uint64_t Start(std::shared_ptr<const B2String1> text,
                 std::shared_ptr<const filters::Matcher> matcher);
  /// Abandons the count under way, if any; gives the generation that no count has.
  uint64_t Cancel();
  /// The generation of the last Start or Cancel: a Result with another one is stale.
  uint64_t Generation() const { return generation_.load(); }

 private:
  void Work();

  CountFn count_;
  Done done_;
  std::atomic<uint64_t> generation_{0};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::shared_ptr<const B2String1> text_;  // the next count's, under mutex_
  std::shared_ptr<const filters::Matcher> matcher_;
  std::thread worker_;
};
