// Reading and writing the text of the pane and the search box as Shift_JIS bytes.
#pragma once

#include <windows.h>

#include <string>

/// The whole text of `control`, without its NUL. RichEdit counts its length in
/// characters, so the buffer is sized for two bytes a character; the text is whatever
/// WM_GETTEXT delivered. Empty when the control is empty or gives nothing.
std::string ReadControlText(HWND control);

/// The first `capacity` - 1 bytes at most of the one-line text of `control`.
std::string ReadSearchText(HWND control, int capacity);
