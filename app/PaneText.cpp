// Reading and writing control texts as Shift_JIS bytes.
#include "app/PaneText.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

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

size_t PieceEnd(const char* text, size_t n, bool more) {
  if (!more) return n;
  size_t end = 0;
  for (size_t i = 0; i < n;) {
    const size_t width = IsDBCSLeadByte(static_cast<BYTE>(text[i])) ? 2 : 1;
    if (i + width > n) break;
    i += width;
    end = i;
  }
  // A CR at the end may be the first half of a CR LF: leave it to the next piece.
  if (end > 1 && text[end - 1] == '\r') --end;
  return end;
}

namespace {

// The undo depth a RichEdit starts with.
constexpr WPARAM kDefaultUndoLimit = 100;

void AppendInPieces(HWND pane, const char* text, size_t length, size_t pieceBytes) {
  std::string piece;
  for (size_t at = 0; at < length;) {
    const size_t room = std::min(pieceBytes, length - at);
    size_t n = PieceEnd(text + at, room, at + room < length);
    if (n == 0) n = room;  // a piece smaller than one character: take it as it comes
    piece.assign(text + at, n);
    CHARRANGE end{-1, -1};
    SendMessageA(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    SendMessageA(pane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
    at += n;
  }
}

}  // namespace

void FillEmptyPane(HWND pane, const char* text, size_t pieceBytes) {
  const size_t length = std::strlen(text);
  // Under Wine, filling a pane while it records undo (even for writes that cannot be
  // undone) makes every later fill slower once such a pane has been destroyed (1 MB:
  // 0.4 s of CPU, then 14 s, 5 s, 7 s..., nearly all in the heap's free-list search).
  // With undo off the fills stay at 0.4 s. It is turned back on for the user's edits.
  SendMessageA(pane, EM_SETUNDOLIMIT, 0, 0);
  if (length <= pieceBytes) {
    SetWindowTextA(pane, text);
    SendMessageA(pane, EM_SETUNDOLIMIT, kDefaultUndoLimit, 0);
    return;
  }
  AppendInPieces(pane, text, length, pieceBytes);
  SendMessageA(pane, EM_SETUNDOLIMIT, kDefaultUndoLimit, 0);
  CHARRANGE start{0, 0};
  SendMessageA(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  SendMessageA(pane, EM_SCROLLCARET, 0, 0);
}
