// The text pane of the main window: its creation, the swap that replaces its text, the
// fill and the reading of its Shift_JIS bytes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "text/Limits.h"

/// The pane's text limit in characters.
constexpr int kPaneTextLimit = limits::kPaneTextChars;

/// The pane: a RichEdit20A child with scroll bars and the identifier ids::kTextPane. Its
/// text is replaced by swapping in a fresh control, so Handle() changes with every SetText;
/// read it again after each write.
class PaneText {
 public:
  /// Creates the visible, empty pane as a child of `parent` at zero size (the parent's
  /// WM_SIZE places it), its text limit raised to kPaneTextLimit. Returns false when the
  /// control cannot be made (the RichEdit library must be loaded first).
  bool Create(HWND parent, HINSTANCE instance);

  /// The current control; null before Create.
  HWND Handle() const { return handle_; }

  /// Replaces the whole text with the NUL-terminated `text` (null empties the pane). The
  /// text goes into a fresh, hidden control of the same place, style and identifier,
  /// which then takes the old one's place, z-order and focus; the old control is
  /// destroyed. When no fresh control can be made, the old one gets the text instead.
  void SetText(const char* text);
  /// As above with the `size` bytes at `bytes`, read up to a NUL among them (a window text
  /// ends there). A text longer than the pane's limit raises the limit of the fresh control,
  /// so a text the document holds is always shown whole. The pane is then unmodified.
  void SetText(const char* bytes, size_t size);

  /// Whether the user has changed the text since the last SetText or ClearModified.
  bool IsModified() const;
  void ClearModified();

  /// The whole text, without its NUL: whatever WM_GETTEXT delivered.
  std::string Text() const;

  /// The whole text of `control` as above. RichEdit counts its length in characters, so
  /// the buffer is sized for two bytes a character. Empty when the control is empty or
  /// gives nothing.
  static std::string ReadText(HWND control);

  /// Sets the NUL-terminated `text` into the empty RichEdit `pane`. A text longer than
  /// `pieceBytes` goes in in pieces of at most that many bytes added at the end, each
  /// ending where PieceEnd says, so the pane holds the same text; no undo is recorded
  /// while filling (the user's later edits can be undone again) and the caret and view go
  /// back to the start, as after WM_SETTEXT.
  static void FillEmpty(HWND pane, const char* text, size_t pieceBytes);

  /// The length of the longest prefix of the first `n` bytes of `text` (which starts on a
  /// character) that ends neither inside a double-byte character of the ANSI code page nor
  /// between the CR and the LF of a line break. `n` itself when `more` is false (nothing
  /// follows); 0 only when not even one character fits.
  static size_t PieceEnd(const char* text, size_t n, bool more);

 private:
  HWND CreateControl(HWND parent, const RECT& place, bool visible, size_t limit) const;

  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
};
