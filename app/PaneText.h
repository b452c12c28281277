// The text pane of the main window: a view of Shift_JIS bytes in the system EDIT control.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "text/Limits.h"

/// The pane's text limit in characters.
constexpr int kPaneTextLimit = limits::kPaneTextChars;

/// The pane: a multiline EDIT child with scroll bars, the identifier ids::kTextPane and a
/// Japanese font, that shows any bytes given to it. It keeps one control for its whole
/// life, so Handle() stays the same after Create.
class PaneText {
 public:
  /// The pane's window class: the system EDIT control's, with a DC of its own.
  static constexpr char kClassName[] = "LinsiftPane";

  PaneText() = default;
  PaneText(const PaneText&) = delete;
  PaneText& operator=(const PaneText&) = delete;
  /// Frees the font; the control goes with its parent.
  ~PaneText();

  /// Creates the visible, empty pane as a child of `parent` at zero size (the parent's
  /// WM_SIZE places it), its text limit raised to kPaneTextLimit and its font set.
  /// Returns false when the control cannot be made.
  bool Create(HWND parent, HINSTANCE instance);

  /// The control; null before Create.
  HWND Handle() const { return handle_; }

  /// Shows the `size` bytes at `bytes` (null shows nothing) in place of the whole text,
  /// as View gives them, with the caret and the view at the start; when the pane already
  /// shows exactly that text, the caret and the view stay where they are. Either way the
  /// text is then unmodified (IsModified false) and there is nothing to undo. A view longer
  /// than kPaneTextLimit raises the limit to its length, so it is shown whole.
  void SetText(const char* bytes, size_t size);

  /// The whole text shown, in the ANSI code page: what WM_GETTEXT delivers.
  std::string Text() const;

  /// Whether the user has changed the text since the last SetText or ClearModified.
  bool IsModified() const;
  void ClearModified();
  /// True for the WM_COMMAND (wParam, lParam) by which the pane tells that its text changed.
  bool IsChangeNotice(WPARAM wParam, LPARAM lParam) const {
    return reinterpret_cast<HWND>(lParam) == handle_ && handle_ != nullptr &&
           HIWORD(wParam) == EN_CHANGE;
  }

  /// The text the pane shows for the `size` bytes at `bytes`: every line break (CR LF,
  /// a lone LF, a lone CR) becomes CR LF, so each shows as one line; the text ends
  /// before its first NUL, which no window text can hold. Other bytes stay as they are.
  static std::string View(const char* bytes, size_t size);

  /// The whole text of the window `control` through WM_GETTEXT; empty when it has none.
  /// The buffer holds two bytes a character, since some controls count characters.
  static std::string ReadText(HWND control);

 private:
  /// Writes only the part of the shown text that differs from `view` (the caret and the
  /// view then go to the start), or nothing when it shows `view` already. False, with
  /// nothing written, when that part is more than half the text.
  bool ReplaceChangedPart(const std::string& view);

  HWND handle_ = nullptr;
  HFONT font_ = nullptr;
};
