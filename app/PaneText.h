// The text pane of the main window: the document's bytes, exactly as they are, in a Scintilla
// control.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace filters {
class Matcher;
}

/// The pane: a Scintilla child with the identifier ids::kTextPane, the Japanese font, a
/// line-number margin and no styling, that keeps the bytes given to it as they are: CR LF, a
/// lone LF and a lone CR each end a line, and a byte that forms no character is shown as a
/// marked blob and kept. A text that is valid UTF-8 holding non-ASCII bytes is shown as UTF-8,
/// every other text in code page 932. Enter types the text's own line break (its first; CR LF
/// in a text without one). The control's undo holds only the typing since the last write, to
/// tell that the pane was modified; no key or menu of the pane reaches it (the document's
/// history is the undo). It keeps one control for its whole life, so Handle() stays the same
/// after Create.
///
/// WM_SETTEXT sent to the pane (in code page 932, from this process or another, ANSI or
/// Unicode) replaces the whole text, as typing does: the pane is modified afterwards.
/// EM_REPLACESEL types its text (ANSI in code page 932, or Unicode) in place of the
/// selection. WM_GETTEXT gives the text as the control does, converted from its code page.
class PaneText {
 public:
  PaneText() = default;
  PaneText(const PaneText&) = delete;
  PaneText& operator=(const PaneText&) = delete;
  ~PaneText() = default;

  /// Creates the visible, empty pane as a child of `parent` at zero size (the parent's
  /// WM_SIZE places it). Returns false when the control cannot be made.
  bool Create(HWND parent, HINSTANCE instance);

  /// The control; null before Create.
  HWND Handle() const { return handle_; }

  /// Shows the `size` bytes at `bytes` (null shows nothing) in place of the whole text, byte
  /// for byte, with the caret and the view at the start; when the pane already holds exactly
  /// these bytes, the caret and the view stay where they are. Either way the pane is then
  /// unmodified. Only the lines that differ from what it holds are written.
  void SetText(const char* bytes, size_t size);

  /// The bytes the pane holds, exactly, without a copy: valid until the pane next changes.
  std::string_view Bytes() const;
  /// The same bytes, copied.
  std::string Text() const { return std::string(Bytes()); }
  /// Whether the pane shows its text as UTF-8 (otherwise code page 932).
  bool IsUtf8() const;

  /// Whether the user has changed the text since the last SetText or ClearModified: typed,
  /// pasted, dropped or set with WM_SETTEXT.
  bool IsModified() const;
  void ClearModified();
  /// True for the WM_COMMAND (wParam, lParam) by which the pane tells that its text changed.
  bool IsChangeNotice(WPARAM wParam, LPARAM lParam) const {
    return reinterpret_cast<HWND>(lParam) == handle_ && handle_ != nullptr &&
           HIWORD(wParam) == EN_CHANGE;
  }

  /// Marks every match of `matcher` in the lines on screen (and only there; a line as the
  /// filters read it, ended by LF) with the pane's indicator; null clears every mark.
  void Mark(const filters::Matcher* matcher);
  /// Marks the lines on screen again for the last matcher given to Mark, when they are not
  /// the lines marked last. Costs the lines on screen, whatever the text's size.
  void RefreshMarks();
  /// Moves the caret (and the view) to the next match behind the caret, or with !forward the
  /// last one in front of it; wraps around at the text's end. False, nothing moved, when the
  /// text holds no match or there is no matcher.
  bool GoToMatch(bool forward);

  /// The whole text of the window `control` through WM_GETTEXT; empty when it has none.
  /// The buffer holds two bytes a character, since some controls count characters.
  static std::string ReadText(HWND control);

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Call(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  /// Replaces the whole text by `size` bytes without the control's undo.
  void WriteAll(const char* bytes, size_t size);
  void SizeLineNumbers();
  /// Whether the control's line `line` ends with a lone CR, inside one of the filters' lines.
  bool EndsWithLoneCr(long line) const;

  HWND handle_ = nullptr;
  WNDPROC scintillaProc_ = nullptr;
  /// Set by WM_SETTEXT: the control's own save point knows nothing of it.
  bool setByMessage_ = false;
  const filters::Matcher* matcher_ = nullptr;
  /// The lines marked last, [first, last), and the text's length then.
  long markedFirst_ = -1;
  long markedLast_ = -1;
};
