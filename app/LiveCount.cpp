// The count worker: waits for a job, runs it while its generation is the latest, reports it.
#include "app/LiveCount.h"

#include <utility>

LiveCount::LiveCount(CountFn count, Done done)
    : count_(std::move(count)), done_(std::move(done)), worker_([this] { Work(); }) {}

LiveCount::~LiveCount() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
    ++generation_;
  }
  wake_.notify_one();
  worker_.join();
}

uint64_t LiveCount::Start(std::shared_ptr<const B2String1> text,
                          std::shared_ptr<const filters::Matcher> matcher) {
  uint64_t generation;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    text_ = std::move(text);
    matcher_ = std::move(matcher);
    generation = ++generation_;
  }
  wake_.notify_one();
  return generation;
}

uint64_t LiveCount::Cancel() {
  std::lock_guard<std::mutex> lock(mutex_);
  text_.reset();
  matcher_.reset();
  return ++generation_;
}

void LiveCount::Work() {
  for (;;) {
    std::shared_ptr<const B2String1> text;
    std::shared_ptr<const filters::Matcher> matcher;
    uint64_t generation;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stop_ || matcher_ != nullptr; });
      if (stop_) return;
      text = std::move(text_);
      matcher = std::move(matcher_);
      generation = generation_.load();
    }
    const std::function<bool()> abandoned = [this, generation] {
      return generation_.load(std::memory_order_relaxed) != generation;
    };
    const filters::FilterResult counted =
        count_(*matcher, text->Data(), static_cast<size_t>(text->Length()), abandoned);
    if (abandoned()) continue;
    done_(Result{generation, counted.matches.value_or(0), counted.gaveUp});
  }
}
