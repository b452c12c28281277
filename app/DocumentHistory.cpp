// DocumentHistory: undo and redo steps of shared, unchanging texts.
#include "app/DocumentHistory.h"

#include <utility>

DocumentHistory::DocumentHistory(std::size_t maxSteps, std::size_t maxBytes)
    : maxSteps_(maxSteps), maxBytes_(maxBytes) {}

void DocumentHistory::Record(State previous) {
  redo_.clear();
  undoBytes_ += BytesOf(previous);
  undo_.push_back(std::move(previous));
  while (!undo_.empty() && (undo_.size() > maxSteps_ || undoBytes_ > maxBytes_)) {
    undoBytes_ -= BytesOf(undo_.front());
    undo_.pop_front();
  }
}

bool DocumentHistory::Undo(State& current) {
  if (undo_.empty()) return false;
  undoBytes_ -= BytesOf(undo_.back());
  redo_.push_back(std::move(current));
  current = std::move(undo_.back());
  undo_.pop_back();
  return true;
}

bool DocumentHistory::Redo(State& current) {
  if (redo_.empty()) return false;
  undoBytes_ += BytesOf(current);
  undo_.push_back(std::move(current));
  current = std::move(redo_.back());
  redo_.pop_back();
  return true;
}

void DocumentHistory::Clear() {
  undo_.clear();
  redo_.clear();
  undoBytes_ = 0;
}
