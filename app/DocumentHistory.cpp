// DocumentHistory: undo and redo steps of shared, unchanging texts, the farthest in a file.
#include "app/DocumentHistory.h"

#include <utility>

DocumentHistory::DocumentHistory(std::size_t maxSteps, std::size_t maxBytes,
                                 std::size_t maxResident)
    : maxSteps_(maxSteps), maxBytes_(maxBytes), maxResident_(maxResident) {}

DocumentHistory::Step DocumentHistory::MakeStep(State state) const {
  Step step;
  step.bytes = state.text ? static_cast<std::size_t>(state.text->Length()) : 0;
  step.state = std::move(state);
  return step;
}

bool DocumentHistory::Fetch(Step& step) {
  if (step.state.text) return true;
  std::unique_ptr<B2String1> text = spill_.Get(step.spilled);
  if (!text) return false;
  step.state.text = std::move(text);
  resident_ += step.bytes;
  return true;
}

void DocumentHistory::Forget(Step& step) {
  if (step.state.text) resident_ -= step.bytes;
  spill_.Free(step.spilled);
}

void DocumentHistory::Record(State previous) {
  for (Step& step : redo_) Forget(step);
  redo_.clear();
  Step step = MakeStep(std::move(previous));
  undoBytes_ += step.bytes;
  resident_ += step.bytes;
  undo_.push_back(std::move(step));
  while (!undo_.empty() && (undo_.size() > maxSteps_ || undoBytes_ > maxBytes_)) {
    undoBytes_ -= undo_.front().bytes;
    Forget(undo_.front());
    undo_.pop_front();
  }
  Shed();
}

void DocumentHistory::Shed() {
  while (resident_ > maxResident_) {
    // The resident step farthest from the current state: the oldest undo step or the last redo
    // step to be replayed, whichever lies farther.
    std::size_t undoAt = 0;
    while (undoAt < undo_.size() && !undo_[undoAt].state.text) ++undoAt;
    std::size_t redoAt = 0;
    while (redoAt < redo_.size() && !redo_[redoAt].state.text) ++redoAt;
    const bool fromUndo = undoAt < undo_.size() && (redoAt == redo_.size() ||
                                                    undo_.size() - undoAt >= redo_.size() - redoAt);
    Step& step = fromUndo ? undo_[undoAt] : redo_[redoAt];
    if (step.spilled.Valid() || spill_.Put(step.state.text->Data(), step.bytes, step.spilled)) {
      step.state.text.reset();
      resident_ -= step.bytes;
      continue;
    }
    // The file cannot take it: this step and those farther on its side are dropped.
    if (fromUndo) {
      for (std::size_t i = 0; i <= undoAt; ++i) {
        undoBytes_ -= undo_.front().bytes;
        Forget(undo_.front());
        undo_.pop_front();
      }
    } else {
      for (std::size_t i = 0; i <= redoAt; ++i) Forget(redo_[i]);
      redo_.erase(redo_.begin(), redo_.begin() + static_cast<std::ptrdiff_t>(redoAt) + 1);
    }
  }
}

bool DocumentHistory::Undo(State& current) {
  if (undo_.empty()) return false;
  if (!Fetch(undo_.back())) {
    // Unreadable: it and every older step are gone.
    for (Step& step : undo_) Forget(step);
    undo_.clear();
    undoBytes_ = 0;
    return false;
  }
  Step back = std::move(undo_.back());
  undo_.pop_back();
  undoBytes_ -= back.bytes;
  resident_ -= back.bytes;
  spill_.Free(back.spilled);
  Step left = MakeStep(std::move(current));
  resident_ += left.bytes;
  redo_.push_back(std::move(left));
  current = std::move(back.state);
  Shed();
  return true;
}

bool DocumentHistory::Redo(State& current) {
  if (redo_.empty()) return false;
  if (!Fetch(redo_.back())) {
    for (Step& step : redo_) Forget(step);
    redo_.clear();
    return false;
  }
  Step next = std::move(redo_.back());
  redo_.pop_back();
  resident_ -= next.bytes;
  spill_.Free(next.spilled);
  Step left = MakeStep(std::move(current));
  undoBytes_ += left.bytes;
  resident_ += left.bytes;
  undo_.push_back(std::move(left));
  current = std::move(next.state);
  Shed();
  return true;
}

void DocumentHistory::Clear() {
  for (Step& step : undo_) Forget(step);
  for (Step& step : redo_) Forget(step);
  undo_.clear();
  redo_.clear();
  undoBytes_ = 0;
  resident_ = 0;
}
