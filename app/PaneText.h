// Reading and writing the text of the pane and the search box as Shift_JIS bytes.
#pragma once

#include <windows.h>

#include <string>

/// The whole text of `control`, without its NUL. RichEdit counts its length in
/// characters, so the buffer is sized for two bytes a character; the text is whatever
/// WM_GETTEXT delivered. Empty when the control is empty or gives nothing.
std::string ReadControlText(HWND control);

/// Sets the NUL-terminated `text` into the empty RichEdit `pane`. A text longer than
/// `pieceBytes` goes in in pieces of at most that many bytes added at the end (under Wine
/// a third faster than one WM_SETTEXT for large texts), none ending inside a double-byte
/// character or between CR and LF, so the pane holds the same text; no undo is recorded
/// while filling (the user's later edits can be undone again) and the caret and view go
/// back to the start, as after WM_SETTEXT.
void FillEmptyPane(HWND pane, const char* text, size_t pieceBytes);

/// The length of the longest prefix of the first `n` bytes of `text` (which starts on a
/// character) that ends neither inside a double-byte character of the ANSI code page nor
/// between the CR and the LF of a line break. `n` itself when `more` is false (nothing
/// follows); 0 only when not even one character fits.
size_t PieceEnd(const char* text, size_t n, bool more);

/// The first `capacity` - 1 bytes at most of the one-line text of `control`.
std::string ReadSearchText(HWND control, int capacity);
