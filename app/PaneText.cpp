// The pane: creation, the swap, the fill in pieces and reading its bytes.
#include "app/PaneText.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "app/CommandIds.h"

namespace {

// Texts longer than this go into the pane in pieces of at most this many bytes: under
// Wine, adding a large text in pieces at its end is faster than one WM_SETTEXT.
constexpr size_t kPaneFillPiece = 256 * 1024;
// The undo depth a RichEdit starts with.
constexpr WPARAM kDefaultUndoLimit = 100;

void AppendInPieces(HWND pane, const char* text, size_t length, size_t pieceBytes) {
  std::string piece;
  for (size_t at = 0; at < length;) {
    const size_t room = std::min(pieceBytes, length - at);
    size_t n = PaneText::PieceEnd(text + at, room, at + room < length);
    if (n == 0) n = room;  // a piece smaller than one character: take it as it comes
    piece.assign(text + at, n);
    CHARRANGE end{-1, -1};
    SendMessageA(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    SendMessageA(pane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
    at += n;
  }
}

}  // namespace

HWND PaneText::CreateControl(HWND parent, const RECT& place, bool visible, size_t limit) const {
  const DWORD style = WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                      ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | (visible ? WS_VISIBLE : 0);
  HWND pane = CreateWindowExA(0, "RichEdit20A", nullptr, style, place.left, place.top,
                              place.right - place.left, place.bottom - place.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kTextPane)),
                              instance_, nullptr);
  const size_t characters = std::max(limit, static_cast<size_t>(kPaneTextLimit));
  if (pane != nullptr) SendMessageA(pane, EM_EXLIMITTEXT, 0, static_cast<LPARAM>(characters));
  return pane;
}

bool PaneText::Create(HWND parent, HINSTANCE instance) {
  instance_ = instance;
  handle_ = CreateControl(parent, RECT{0, 0, 0, 0}, true, 0);
  return handle_ != nullptr;
}

void PaneText::SetText(const char* text) {
  if (text == nullptr) text = "";
  // Wine's RichEdit takes time that grows with the square of the text to remove a large
  // text, and fills a shown pane several times slower than a hidden one. So the new text
  // goes into a fresh, hidden pane; the user sees the old text replaced as a whole.
  HWND parent = GetParent(handle_);
  RECT place{};
  GetWindowRect(handle_, &place);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  // A character takes at least one byte, so the text's length in bytes is room enough.
  HWND fresh = CreateControl(parent, place, false, std::strlen(text));
  if (fresh == nullptr) {
    const LPARAM limit = static_cast<LPARAM>(std::max(std::strlen(text), size_t{kPaneTextLimit}));
    SendMessageA(handle_, EM_EXLIMITTEXT, 0, limit);
    SetWindowTextA(handle_, text);  // no fresh pane: the slow way
    return;
  }
  FillEmpty(fresh, text, kPaneFillPiece);
  const bool focused = GetFocus() == handle_;
  SetWindowPos(fresh, handle_, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  DestroyWindow(handle_);
  handle_ = fresh;
  if (focused) SetFocus(fresh);
}

void PaneText::SetText(const char* bytes, size_t size) {
  if (bytes == nullptr) size = 0;
  const void* nul = size > 0 ? std::memchr(bytes, '\0', size) : nullptr;
  if (nul != nullptr) size = static_cast<size_t>(static_cast<const char*>(nul) - bytes);
  SetText(std::string(bytes == nullptr ? "" : bytes, size).c_str());
  ClearModified();
}

bool PaneText::IsModified() const { return SendMessageA(handle_, EM_GETMODIFY, 0, 0) != 0; }

void PaneText::ClearModified() { SendMessageA(handle_, EM_SETMODIFY, FALSE, 0); }

std::string PaneText::Text() const { return ReadText(handle_); }

std::string PaneText::ReadText(HWND control) {
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

size_t PaneText::PieceEnd(const char* text, size_t n, bool more) {
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

void PaneText::FillEmpty(HWND pane, const char* text, size_t pieceBytes) {
  const size_t length = std::strlen(text);
  // Under Wine, filling a pane while it records undo makes every later fill slower once
  // such a pane has been destroyed, so undo is off while filling; it is turned back on
  // for the user's edits.
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
