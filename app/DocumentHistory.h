// The undo and redo steps of the window's document.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "strings/B2String1.h"
#include "text/Limits.h"

/// The states the document was in before (undo) and after (redo) its current one. A state's
/// text is a shared buffer that is never changed, so a step costs only a text that differs
/// from its neighbours, never a copy of the current one.
///
/// Bounds: right after Record, at most maxSteps undo steps are kept and their texts total at
/// most maxBytes (text lengths; statuses and names are not counted); the oldest go first, the
/// one just recorded too if it alone passes maxBytes. Undo and Redo only move states between
/// the two sides, so they never drop one.
class DocumentHistory {
 public:
  /// One state: text (never null once recorded), status text and file name.
  struct State {
    std::shared_ptr<const B2String1> text;
    std::string status;
    std::string fileName;
  };

  /// The window's bounds are limits::kHistorySteps and limits::kHistoryBytes.
  explicit DocumentHistory(std::size_t maxSteps = limits::kHistorySteps,
                           std::size_t maxBytes = limits::kHistoryBytes);

  /// The document left `previous` for a new state: previous becomes the newest undo step,
  /// every redo step is dropped, then the bounds above are applied.
  void Record(State previous);
  /// Swaps `current` for the newest undo step; the old current becomes the next redo step.
  /// False, and current untouched, when there is no undo step.
  bool Undo(State& current);
  /// Swaps `current` for the next redo step; the old current becomes the newest undo step.
  /// False, and current untouched, when there is no redo step.
  bool Redo(State& current);
  /// Drops every step.
  void Clear();

  std::size_t UndoCount() const { return undo_.size(); }
  std::size_t RedoCount() const { return redo_.size(); }
  /// Total text length of the undo steps.
  std::size_t UndoBytes() const { return undoBytes_; }

 private:
  static std::size_t BytesOf(const State& state) {
    return state.text ? static_cast<std::size_t>(state.text->Length()) : 0;
  }

  std::size_t maxSteps_;
  std::size_t maxBytes_;
  std::deque<State> undo_;   // oldest first
  std::vector<State> redo_;  // the next one last
  std::size_t undoBytes_ = 0;
};
