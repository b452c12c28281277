// The text the window works on, kept as bytes of its own, with its undo and redo history.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "app/DocumentHistory.h"
#include "strings/B2String1.h"

/// The window's document: exactly the bytes loaded, dropped, pasted or produced by a command
/// (at most 40,000,000), the status text that goes with them, and the name of the file they
/// came from or went to. Every change of the text is a step that Undo takes back and Redo
/// replays, restoring text, status and file name byte for byte. Texts are shared, never
/// changed once held, so a step never copies one. Window-independent: the window shows what
/// this holds and shows the messages its loads and saves give.
class Document {
 public:
  static constexpr std::size_t kMaxBytes = B2String1::kMaxLength;

  /// Empty text, empty status, no file name, no steps.
  explicit Document(std::size_t maxSteps = limits::kHistorySteps,
                    std::size_t maxBytes = limits::kHistoryBytes);

  /// The current text (an empty string at first).
  const B2String1& Text() const { return *current_.text; }
  /// The current text as its shared buffer (stays valid after later changes).
  const std::shared_ptr<const B2String1>& SharedText() const { return current_.text; }
  /// The status text of the current state (Shift_JIS).
  const std::string& Status() const { return current_.status; }
  /// The name of the file the text came from or was saved to; empty when none.
  const std::string& FileName() const { return current_.fileName; }
  /// The title bar text: "<name> - Linsift", or "Linsift" without a file name.
  std::string Title() const;

  /// Makes text (null: empty) the document with this status, as one step; the file name
  /// stays. A text with room to spare is shrunk to its length before it is kept; one equal to
  /// the current text shares the current buffer instead.
  void Replace(std::unique_ptr<B2String1> text, std::string status);
  /// As above with a buffer already shared (not shrunk).
  void Replace(std::shared_ptr<const B2String1> text, std::string status);
  /// Changes the current status only, not a step (a command that gives no new text).
  void SetStatus(std::string status) { current_.status = std::move(status); }

  /// Back to the state before the last step; false and nothing changed when there is none.
  bool Undo();
  /// Replays the step last undone; false and nothing changed when there is none.
  bool Redo();
  bool CanUndo() const { return history_.UndoCount() > 0; }
  bool CanRedo() const { return history_.RedoCount() > 0; }
  const DocumentHistory& History() const { return history_; }

  /// Loads the file at path (FileLoad::Read). When something loaded, it becomes the document
  /// as one step, the file name becomes path's name, the status becomes the line count
  /// ("全<n>行", LF bytes plus one) followed, for a cut file or one ended at a NUL, by what was
  /// and was not loaded; message gets that status; true. Otherwise nothing changes, message
  /// gets why, naming the file, and false.
  bool Load(const char* path, std::string& message);

  /// Writes the text's bytes exactly to path (FileSave::Write). On success the file name
  /// becomes path's name (not a step: text and status stay), message gets "保存しました：<name>",
  /// true. On failure nothing changes, message gets "保存できません：<name>", false.
  bool Save(const char* path, std::string& message);

  /// The status of a text that no filter wrote (loaded, pasted, typed, cleared): its line
  /// count "全<n>行" with n its LF bytes plus one, as the filters count lines.
  static std::string LineCount(const B2String1& text);

  /// True when a result of size bytes may become the document (at most 40,000,000);
  /// otherwise the window keeps the document and shows ui::kResultTooLarge.
  static bool Fits(std::size_t size) { return size <= kMaxBytes; }

  /// The last part of a Windows or POSIX path, behind its last '\\', '/' or ':' (a 0x5C that
  /// is the trail byte of a Shift_JIS character does not separate).
  static std::string NameOf(const char* path);

 private:
  DocumentHistory::State current_;
  DocumentHistory history_;
};
