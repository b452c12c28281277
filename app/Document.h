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
/// replays, restoring text, status and file name byte for byte; a load starts a new history.
/// Texts are shared, never changed once held, so a step never copies one. Window-independent:
/// the window shows what this holds and shows the messages its loads and saves give.
class Document {
 public:
  static constexpr std::size_t kMaxBytes = B2String1::kMaxLength;

  /// Where a new text comes from. Typed and pasted text exists nowhere else until it is saved;
  /// a paste also drops the file name, since the text is no longer the file's.
  enum class Origin { kCommand, kTyped, kPasted };

  /// Empty text, empty status, no file name, no steps.
  explicit Document(std::size_t maxSteps = limits::kHistorySteps,
                    std::size_t maxBytes = limits::kHistoryBytes,
                    std::size_t maxResident = limits::kHistoryMemoryBytes);

  /// The current text (an empty string at first).
  const B2String1& Text() const { return *current_.text; }
  /// The current text as its shared buffer (stays valid after later changes).
  const std::shared_ptr<const B2String1>& SharedText() const { return current_.text; }
  /// The status text of the current state (Shift_JIS).
  const std::string& Status() const { return current_.status; }
  /// The name of the file the text came from or was saved to; empty when none.
  const std::string& FileName() const { return current_.fileName; }
  /// The title bar text: "<name><note> - Linsift", or "Linsift" without a file name, behind
  /// "*" when Modified. The note tells, until the next load or save, that the file was cut:
  /// "（先頭 <n> バイト）".
  std::string Title() const;

  /// True when the text differs from the file last loaded or saved under the current file
  /// name (without a file: when the text is not empty).
  bool Modified() const;
  /// True when typed or pasted text became the document since the last load or save: work
  /// that exists nowhere else, which closing should not drop without asking.
  bool HasUnsavedWork() const { return unsavedWork_; }

  /// Makes text (null: empty) the document with this status, as one step; the file name stays
  /// (kPasted: it goes). A text with room to spare is shrunk to its length before it is kept;
  /// one equal to the current text shares the current buffer instead.
  void Replace(std::unique_ptr<B2String1> text, std::string status,
               Origin origin = Origin::kCommand);
  /// As above with a buffer already shared (not shrunk).
  void Replace(std::shared_ptr<const B2String1> text, std::string status,
               Origin origin = Origin::kCommand);
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
  /// with no step to undo (the file's history starts here), the file name becomes path's name,
  /// the status becomes the line count ("全<n>行", LF bytes plus one) followed, for a cut file
  /// or one ended at a NUL, by what was and was not loaded, and a cut file's title gets its
  /// note; message gets that status; true. Otherwise nothing changes, message gets why,
  /// naming the file, and false.
  bool Load(const char* path, std::string& message);

  /// Writes the text's bytes exactly to path (SaveBytes). On success the file name becomes
  /// path's name (not a step: text and status stay), the title loses its note and mark, there
  /// is no unsaved work, true. On failure nothing changes, false. message: as SaveBytes.
  bool Save(const char* path, std::string& message);

  /// Writes size bytes exactly to path (FileSave::Write), for a save and for text that cannot
  /// become the document. message gets "保存しました：<name>", or "保存できません：<name>" with
  /// "（読み取り専用です）" for a read-only file; true when saved.
  static bool SaveBytes(const char* path, const char* bytes, std::size_t size,
                        std::string& message);

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
  /// The text of the file last loaded or saved, and its name.
  std::shared_ptr<const B2String1> savedText_;
  std::string savedName_;
  bool unsavedWork_ = false;
};
