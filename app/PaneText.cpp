// The pane: creation, its font, the view of a text's bytes, writing and reading it.
#include "app/PaneText.h"

#include <algorithm>
#include <cstring>

#include "app/CommandIds.h"

namespace {

// The pane's font: 10 points, fixed pitch, with the Shift_JIS characters. Where the
// face is missing (under Wine), the font mapper takes a fixed-pitch Japanese face that is.
constexpr int kFontPoints = 10;
constexpr char kFontFace[] = "MS Gothic";

// The system EDIT control's class with a DC of its own: the control takes a DC for every
// line it lays out, and its own DC spares Wine working out the visible region each time
// (a fifth of the CPU time of a large write). A class left registered by an earlier
// window of this process is used as it is; without it, the plain class serves.
const char* PaneClass(HINSTANCE instance) {
  WNDCLASSEXA edit{};
  edit.cbSize = sizeof edit;
  if (!GetClassInfoExA(nullptr, "Edit", &edit)) return "Edit";
  edit.style |= CS_OWNDC;
  edit.hInstance = instance;
  edit.lpszClassName = PaneText::kClassName;
  if (RegisterClassExA(&edit) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
    return PaneText::kClassName;
  }
  return "Edit";
}

HFONT CreatePaneFont(HWND pane) {
  HDC dc = GetDC(pane);
  const int height = -MulDiv(kFontPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(pane, dc);
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  std::memcpy(font.lfFaceName, kFontFace, sizeof kFontFace);
  return CreateFontIndirectA(&font);
}

}  // namespace

PaneText::~PaneText() {
  if (font_ != nullptr) DeleteObject(font_);
}

bool PaneText::Create(HWND parent, HINSTANCE instance) {
  // ES_WANTRETURN: Enter types a line break even when the window routes keys like a
  // dialog. No ES_AUTOHSCROLL would wrap lines, which the control does very slowly.
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL |
                      ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN;
  handle_ = CreateWindowExA(0, PaneClass(instance), nullptr, style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kTextPane)), instance,
                            nullptr);
  if (handle_ == nullptr) return false;
  SendMessageA(handle_, EM_SETLIMITTEXT, kPaneTextLimit, 0);
  font_ = CreatePaneFont(handle_);
  if (font_ == nullptr) return true;
  if (GetClassLongPtrA(handle_, GCL_STYLE) & CS_OWNDC) {
    // The font goes into the pane's own DC, which keeps it, and the control measures its
    // lines with it, having no font of its own (WM_SETFONT with none). A font of its own
    // the control would select into the DC for every line it lays out, which under Wine
    // costs a third of the time of a large write.
    HDC dc = GetDC(handle_);
    SelectObject(dc, font_);
    ReleaseDC(handle_, dc);
    SendMessageA(handle_, WM_SETFONT, 0, FALSE);
  } else {
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  return true;
}

std::string PaneText::View(const char* bytes, size_t size) {
  if (bytes == nullptr) return {};
  if (const void* nul = std::memchr(bytes, '\0', size)) {
    size = static_cast<size_t>(static_cast<const char*>(nul) - bytes);
  }
  std::string view;
  view.reserve(size + size / 16);
  const char* end = bytes + size;
  // The next CR and the next LF at or after `at`, each searched again only once passed, so
  // a text without one of them is not scanned to its end for every line.
  const auto next = [end](const char* from, char byte) {
    const void* found = std::memchr(from, byte, static_cast<size_t>(end - from));
    return found == nullptr ? end : static_cast<const char*>(found);
  };
  const char* cr = next(bytes, '\r');
  const char* lf = next(bytes, '\n');
  for (const char* at = bytes; at < end;) {
    // Copy up to the next CR or LF, then write the break as CR LF.
    if (cr < at) cr = next(at, '\r');
    if (lf < at) lf = next(at, '\n');
    const char* brk = std::min(cr, lf);
    if (brk == end) {
      view.append(at, end);
      break;
    }
    view.append(at, brk);
    view += "\r\n";
    at = brk + ((*brk == '\r' && brk + 1 < end && brk[1] == '\n') ? 2 : 1);
  }
  return view;
}

void PaneText::SetText(const char* bytes, size_t size) {
  const std::string view = View(bytes, size);
  // A character takes at least one byte, so the view's length in bytes is room enough.
  const size_t limit = std::max(view.size(), static_cast<size_t>(kPaneTextLimit));
  if (SendMessageA(handle_, EM_GETLIMITTEXT, 0, 0) < static_cast<LRESULT>(limit)) {
    SendMessageA(handle_, EM_SETLIMITTEXT, limit, 0);
  }
  // The control takes time with every line it is given, while reading it back is quick:
  // only the part that differs from what it shows is written, unless that is most of it.
  if (!ReplaceChangedPart(view)) SetWindowTextA(handle_, view.c_str());
  SendMessageA(handle_, EM_EMPTYUNDOBUFFER, 0, 0);
  ClearModified();
}

bool PaneText::ReplaceChangedPart(const std::string& view) {
  // Compared in UTF-16, the control's own units, so the range falls on characters.
  const int oldLength = GetWindowTextLengthW(handle_);
  std::wstring shown(static_cast<size_t>(oldLength) + 1, L'\0');
  shown.resize(static_cast<size_t>(
      std::max(0, GetWindowTextW(handle_, shown.data(), static_cast<int>(shown.size())))));
  const int newLength =
      MultiByteToWideChar(CP_ACP, 0, view.data(), static_cast<int>(view.size()), nullptr, 0);
  std::wstring wanted(static_cast<size_t>(newLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, view.data(), static_cast<int>(view.size()), wanted.data(),
                      newLength);
  const size_t shorter = std::min(shown.size(), wanted.size());
  size_t head = 0;
  while (head < shorter && shown[head] == wanted[head]) ++head;
  size_t tail = 0;
  while (tail < shorter - head &&
         shown[shown.size() - 1 - tail] == wanted[wanted.size() - 1 - tail]) {
    ++tail;
  }
  const size_t removed = shown.size() - head - tail;
  const std::wstring added = wanted.substr(head, wanted.size() - head - tail);
  if (removed == 0 && added.empty()) return true;
  if (2 * std::max(removed, added.size()) > std::max(shown.size(), wanted.size())) return false;
  SendMessageW(handle_, EM_SETSEL, head, head + removed);
  SendMessageW(handle_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
  SendMessageW(handle_, EM_SETSEL, 0, 0);
  SendMessageW(handle_, EM_SCROLLCARET, 0, 0);
  return true;
}

std::string PaneText::Text() const { return ReadText(handle_); }

bool PaneText::IsModified() const { return SendMessageA(handle_, EM_GETMODIFY, 0, 0) != 0; }

void PaneText::ClearModified() { SendMessageA(handle_, EM_SETMODIFY, FALSE, 0); }

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
