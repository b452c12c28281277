// The undo and redo steps of the window's document.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/HistorySpill.h"
#include "strings/B2String1.h"
#include "text/Limits.h"

/// The states the document was in before (undo) and after (redo) its current one. A state's
/// text is a shared buffer that is never changed, so a step costs only a text that differs
/// from its neighbours, never a copy of the current one.
///
/// Bounds: right after Record, at most maxSteps undo steps are kept and their texts total at
/// most maxBytes (text lengths; statuses and names are not counted); the oldest go first, the
/// one just recorded too if it alone passes maxBytes. Undo and Redo only move states between
/// the two sides, so they never drop one, unless a text cannot be read back from the spill
/// file: then that step and those behind it on its side are gone.
///
/// Memory: the texts of the steps (not the current state's) held in memory total at most
/// maxResident bytes; the steps farthest from the current state go to a HistorySpill file and
/// come back when Undo or Redo reaches them. When the file cannot be written, the steps that
/// do not fit in memory are dropped instead, the farthest first.
class DocumentHistory {
 public:
  /// One state: text (never null once recorded), status text, file name and the note the
  /// title shows beside the name.
  struct State {
    std::shared_ptr<const B2String1> text;
    std::string status;
    std::string fileName;
    std::string titleNote;
  };

  /// The window's bounds are limits::kHistorySteps, kHistoryBytes and kHistoryMemoryBytes.
  explicit DocumentHistory(std::size_t maxSteps = limits::kHistorySteps,
                           std::size_t maxBytes = limits::kHistoryBytes,
                           std::size_t maxResident = limits::kHistoryMemoryBytes);

  /// The document left `previous` for a new state: previous becomes the newest undo step,
  /// every redo step is dropped, then the bounds above are applied.
  void Record(State previous);
  /// Swaps `current` for the newest undo step; the old current becomes the next redo step.
  /// False, and current untouched, when there is no undo step (or it could not be read back).
  bool Undo(State& current);
  /// Swaps `current` for the next redo step; the old current becomes the newest undo step.
  /// False, and current untouched, when there is no redo step (or it could not be read back).
  bool Redo(State& current);
  /// Drops every step.
  void Clear();

  std::size_t UndoCount() const { return undo_.size(); }
  std::size_t RedoCount() const { return redo_.size(); }
  /// Total text length of the undo steps.
  std::size_t UndoBytes() const { return undoBytes_; }
  /// Total text length of the steps held in memory.
  std::size_t ResidentBytes() const { return resident_; }
  /// Bytes in the spill file.
  std::int64_t SpilledBytes() const { return spill_.StoredBytes(); }

 private:
  /// A state and, once written there, where its text lies in the spill file. The text is
  /// null while it is only there.
  struct Step {
    State state;
    HistorySpill::Extent spilled;
    std::size_t bytes = 0;
  };

  Step MakeStep(State state) const;
  /// Brings a step's text back into memory; false when it cannot be read.
  bool Fetch(Step& step);
  /// Frees a step's place in the file and its share of the counts.
  void Forget(Step& step);
  /// Moves texts to the file (or drops steps) until the resident bound holds.
  void Shed();

  std::size_t maxSteps_;
  std::size_t maxBytes_;
  std::size_t maxResident_;
  std::deque<Step> undo_;   // oldest first
  std::vector<Step> redo_;  // the next one last
  std::size_t undoBytes_ = 0;
  std::size_t resident_ = 0;
  HistorySpill spill_;
};
