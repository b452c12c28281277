// Reading and writing control texts as Shift_JIS bytes.
#include "app/PaneText.h"

#include <algorithm>

std::string ReadControlText(HWND control) {
  const LRESULT characters = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
  if (characters <= 0) return {};
  // Two bytes a character at most in code page 932, and the NUL.
  const size_t capacity = 2 * static_cast<size_t>(characters) + 1;
  std::string text(capacity, '\0');
  const LRESULT got =
      SendMessageA(control, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, static_cast<LRESULT>(capacity - 1))));
  return text;
}

std::string ReadSearchText(HWND control, int capacity) {
  std::string text(static_cast<size_t>(capacity), '\0');
  GetWindowTextA(control, text.data(), capacity);
  text.resize(std::char_traits<char>::length(text.c_str()));
  return text;
}
