// The pane: a Scintilla control that keeps the document's bytes as they are.
#include "app/PaneText.h"

#include <Scintilla.h>

#include <algorithm>
#include <cstring>

#include "app/CommandIds.h"
#include "filters/CharacterBoundaries.h"
#include "filters/Matcher.h"

namespace {

// The pane's font: 10 points, fixed pitch, with the Shift_JIS characters. Where the face is
// missing (under Wine), the font mapper takes a fixed-pitch Japanese face that is.
constexpr int kFontPoints = 10;
constexpr char kFontFace[] = "MS Gothic";
constexpr int kCodePage932 = 932;
// The indicator that marks the matches, drawn under the text in a soft yellow.
constexpr int kMarkIndicator = 8;
constexpr COLORREF kMarkColour = RGB(0xFF, 0xC8, 0x00);
constexpr int kMarkAlpha = 110;

// Scintilla's classes are registered once a process, however many windows it makes.
bool RegisterScintilla(HINSTANCE instance) {
  static const bool registered = Scintilla_RegisterClasses(instance) != 0;
  return registered;
}

// The text is shown as UTF-8 when all of it is valid UTF-8 and some of it is not ASCII.
bool ShowAsUtf8(const char* bytes, size_t size) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes);
  const bool ascii = std::none_of(p, p + size, [](unsigned char b) { return b >= 0x80; });
  return !ascii && CharacterBoundaries::IsUtf8(bytes, size);
}

// The line break Enter types: the text's first one, CR LF in a text without any.
int EolModeOf(std::string_view text) {
  const size_t at = text.find_first_of("\r\n");
  if (at == std::string_view::npos) return SC_EOL_CRLF;
  if (text[at] == '\n') return SC_EOL_LF;
  return at + 1 < text.size() && text[at + 1] == '\n' ? SC_EOL_CRLF : SC_EOL_CR;
}

// The number of bytes `a` and `b` share at their start.
size_t CommonHead(std::string_view a, std::string_view b) {
  const size_t shorter = std::min(a.size(), b.size());
  const auto split =
      std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(shorter), b.begin());
  return static_cast<size_t>(split.first - a.begin());
}

// The number of bytes `a` and `b` share at their end, never reaching into their first `head`.
size_t CommonTail(std::string_view a, std::string_view b, size_t head) {
  const size_t room = std::min(a.size(), b.size()) - head;
  size_t tail = 0;
  while (tail < room && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  return tail;
}

}  // namespace

LRESULT PaneText::Call(UINT message, WPARAM wParam, LPARAM lParam) const {
  // Through the window's procedure, so a subclass (a test's witness) sees every message.
  return SendMessageW(handle_, message, wParam, lParam);
}

bool PaneText::Create(HWND parent, HINSTANCE instance) {
  if (!RegisterScintilla(instance)) return false;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL;
  handle_ = CreateWindowExW(0, L"Scintilla", nullptr, style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kTextPane)), instance,
                            nullptr);
  if (handle_ == nullptr) return false;
  // Scintilla's window class is Unicode, and its WM_SETTEXT would keep the UTF-16 bytes of
  // an ANSI caller's text: the pane takes WM_SETTEXT itself.
  SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  scintillaProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));

  Call(SCI_SETCODEPAGE, kCodePage932);
  Call(SCI_STYLESETFONT, STYLE_DEFAULT, reinterpret_cast<LPARAM>(kFontFace));
  Call(SCI_STYLESETSIZE, STYLE_DEFAULT, kFontPoints);
  Call(SCI_STYLESETCHARACTERSET, STYLE_DEFAULT, SC_CHARSET_SHIFTJIS);
  Call(SCI_STYLECLEARALL);
  // No undo of its own: the document's history is the undo. The control collects the
  // typing between two commands only to know it was modified, and never offers it back.
  Call(SCI_USEPOPUP, SC_POPUP_NEVER);
  Call(SCI_CLEARCMDKEY, 'Z' + (SCMOD_CTRL << 16));
  Call(SCI_CLEARCMDKEY, 'Y' + (SCMOD_CTRL << 16));
  Call(SCI_CLEARCMDKEY, 'Z' + ((SCMOD_CTRL | SCMOD_SHIFT) << 16));
  Call(SCI_SETUNDOCOLLECTION, 1);
  // Text changes only (they send EN_CHANGE too); none for the marks' indicators.
  Call(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT);
  // Line numbers in margin 0; the other margins take no room.
  Call(SCI_SETMARGINTYPEN, 0, SC_MARGIN_NUMBER);
  Call(SCI_SETMARGINWIDTHN, 1, 0);
  Call(SCI_SETMARGINWIDTHN, 2, 0);
  Call(SCI_SETSCROLLWIDTH, 1);
  Call(SCI_SETSCROLLWIDTHTRACKING, 1);
  Call(SCI_INDICSETSTYLE, kMarkIndicator, INDIC_FULLBOX);
  Call(SCI_INDICSETFORE, kMarkIndicator, kMarkColour);
  Call(SCI_INDICSETALPHA, kMarkIndicator, kMarkAlpha);
  Call(SCI_INDICSETOUTLINEALPHA, kMarkIndicator, kMarkAlpha);
  Call(SCI_INDICSETUNDER, kMarkIndicator, 1);
  Call(SCI_SETINDICATORCURRENT, kMarkIndicator);
  SizeLineNumbers();
  ClearModified();
  return true;
}

LRESULT CALLBACK PaneText::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* pane = reinterpret_cast<PaneText*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (pane == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message != WM_SETTEXT && message != EM_REPLACESEL) {
    return CallWindowProcW(pane->scintillaProc_, window, message, wParam, lParam);
  }
  // The text arrives as UTF-16 (the window is Unicode; an ANSI caller's code page 932 text is
  // converted on the way): WM_SETTEXT keeps it as code page 932 bytes, as the caller gave
  // them; EM_REPLACESEL puts it in the pane's own code page.
  const UINT codePage = message == WM_SETTEXT || !pane->IsUtf8() ? kCodePage932 : CP_UTF8;
  const auto* wide = reinterpret_cast<const wchar_t*>(lParam);
  std::string bytes;
  if (wide != nullptr && *wide != L'\0') {
    const int size = WideCharToMultiByte(codePage, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    bytes.resize(static_cast<size_t>(std::max(size, 1)));
    WideCharToMultiByte(codePage, 0, wide, -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);  // the NUL
  }
  if (message == EM_REPLACESEL) {
    return pane->Call(SCI_REPLACESEL, 0, reinterpret_cast<LPARAM>(bytes.c_str()));
  }
  pane->setByMessage_ = true;  // before the write, whose EN_CHANGE asks IsModified
  pane->WriteAll(bytes.data(), bytes.size());
  return TRUE;
}

void PaneText::WriteAll(const char* bytes, size_t size) {
  Call(SCI_SETUNDOCOLLECTION, 0);
  Call(SCI_CLEARALL);
  // Set on the empty text, so nothing is laid out twice.
  const int codePage = ShowAsUtf8(bytes, size) ? SC_CP_UTF8 : kCodePage932;
  if (Call(SCI_GETCODEPAGE) != codePage) Call(SCI_SETCODEPAGE, codePage);
  Call(SCI_ALLOCATE, static_cast<WPARAM>(size) + 1);
  if (size > 0) Call(SCI_APPENDTEXT, size, reinterpret_cast<LPARAM>(bytes));
  Call(SCI_EMPTYUNDOBUFFER);
  Call(SCI_SETUNDOCOLLECTION, 1);
  Call(SCI_GOTOPOS, 0);
  Call(SCI_SETEOLMODE, EolModeOf(std::string_view(bytes, size)));
  SizeLineNumbers();
  markedFirst_ = markedLast_ = -1;
}

void PaneText::SetText(const char* bytes, size_t size) {
  const std::string_view wanted(bytes == nullptr ? "" : bytes, bytes == nullptr ? 0 : size);
  const std::string_view shown = Bytes();
  size_t head = CommonHead(shown, wanted);
  if (head == shown.size() && head == wanted.size()) {
    ClearModified();
    return;
  }
  // Only the lines that differ are written, from the start of the line where the two texts
  // part to the end of the line where they meet again, so the change falls on characters.
  size_t tail = CommonTail(shown, wanted, head);
  const size_t lineStart = wanted.rfind('\n', head == 0 ? 0 : head - 1);
  head = (lineStart == std::string_view::npos || head == 0) ? 0 : lineStart + 1;
  if (tail > 0) {
    const size_t lineEnd = wanted.find('\n', wanted.size() - tail);
    tail = lineEnd == std::string_view::npos ? 0 : wanted.size() - lineEnd - 1;
  }
  const size_t removed = shown.size() - head - tail;
  const size_t added = wanted.size() - head - tail;
  const bool utf8 = ShowAsUtf8(wanted.data(), wanted.size());
  if (utf8 != IsUtf8() || 2 * std::max(removed, added) > std::max(shown.size(), wanted.size())) {
    WriteAll(wanted.data(), wanted.size());
    ClearModified();
    return;
  }
  Call(SCI_SETUNDOCOLLECTION, 0);
  Call(SCI_SETTARGETRANGE, head, head + removed);
  Call(SCI_REPLACETARGET, added, reinterpret_cast<LPARAM>(wanted.data() + head));
  Call(SCI_EMPTYUNDOBUFFER);
  Call(SCI_SETUNDOCOLLECTION, 1);
  Call(SCI_GOTOPOS, 0);
  Call(SCI_SETEOLMODE, EolModeOf(wanted));
  SizeLineNumbers();
  markedFirst_ = markedLast_ = -1;
  ClearModified();
}

std::string_view PaneText::Bytes() const {
  const auto* bytes = reinterpret_cast<const char*>(Call(SCI_GETCHARACTERPOINTER));
  const auto size = static_cast<size_t>(Call(SCI_GETLENGTH));
  return bytes == nullptr ? std::string_view() : std::string_view(bytes, size);
}

bool PaneText::IsUtf8() const { return Call(SCI_GETCODEPAGE) == SC_CP_UTF8; }

bool PaneText::IsModified() const { return setByMessage_ || Call(SCI_GETMODIFY) != 0; }

void PaneText::ClearModified() {
  setByMessage_ = false;
  Call(SCI_EMPTYUNDOBUFFER);
  Call(SCI_SETSAVEPOINT);
}

void PaneText::SizeLineNumbers() {
  // Room for the digits of the last line's number and one more, at least four.
  const LRESULT lines = Call(SCI_GETLINECOUNT);
  std::string digits = std::to_string(std::max<LRESULT>(lines, 100));
  std::fill(digits.begin(), digits.end(), '9');
  digits += '9';
  const LRESULT width =
      Call(SCI_TEXTWIDTH, STYLE_LINENUMBER, reinterpret_cast<LPARAM>(digits.c_str()));
  if (Call(SCI_GETMARGINWIDTHN, 0) != width) Call(SCI_SETMARGINWIDTHN, 0, width);
}

void PaneText::Mark(const filters::Matcher* matcher) {
  matcher_ = matcher;
  markedFirst_ = markedLast_ = -1;
  RefreshMarks();
}

bool PaneText::EndsWithLoneCr(long line) const {
  const LRESULT end = Call(SCI_GETLINEENDPOSITION, line);
  return Call(SCI_POSITIONFROMLINE, line + 1) - end == 1 && Call(SCI_GETCHARAT, end) == '\r';
}

void PaneText::RefreshMarks() {
  const LRESULT count = Call(SCI_GETLINECOUNT);
  const LRESULT first = Call(SCI_DOCLINEFROMVISIBLE, Call(SCI_GETFIRSTVISIBLELINE));
  const LRESULT last = std::min(count, first + Call(SCI_LINESONSCREEN) + 1);
  if (first == markedFirst_ && last == markedLast_) return;
  Call(SCI_SETINDICATORCURRENT, kMarkIndicator);
  Call(SCI_INDICATORCLEARRANGE, 0, Call(SCI_GETLENGTH));
  markedFirst_ = static_cast<long>(first);
  markedLast_ = static_cast<long>(last);
  if (matcher_ == nullptr) return;
  // The control ends a line at a lone CR too, the filters only at LF: the matcher is asked
  // about the filters' lines that hold the lines on screen, so the marks follow its rule.
  LRESULT line = first;
  while (line > 0 && EndsWithLoneCr(static_cast<long>(line - 1))) --line;
  while (line < last) {
    LRESULT lastPart = line;
    while (lastPart + 1 < count && EndsWithLoneCr(static_cast<long>(lastPart))) ++lastPart;
    const LRESULT start = Call(SCI_POSITIONFROMLINE, line);
    const LRESULT end = Call(SCI_GETLINEENDPOSITION, lastPart);
    line = lastPart + 1;
    if (end <= start) continue;
    const auto* begin =
        reinterpret_cast<const char*>(Call(SCI_GETRANGEPOINTER, start, end - start));
    if (begin == nullptr) continue;
    const char* stop = begin + (end - start);
    for (const char* from = begin; from <= stop;) {
      const filters::LineMatch match = matcher_->Find(begin, stop, from);
      if (!match) break;
      const LRESULT at = start + (match.begin - begin);
      if (match.end > match.begin) Call(SCI_INDICATORFILLRANGE, at, match.end - match.begin);
      // An empty match moves on by one byte, so the search ends.
      from = match.end > match.begin ? match.end : match.end + 1;
    }
  }
}

bool PaneText::GoToMatch(bool forward) {
  if (matcher_ == nullptr) return false;
  const std::string_view text = Bytes();
  const char* begin = text.data();
  const char* end = begin + text.size();
  const LRESULT caret = Call(SCI_GETCURRENTPOS);
  const LRESULT anchor = Call(SCI_GETANCHOR);
  // Forward from the end of the selection (a match selected is passed), back from its start.
  const char* at = begin + (forward ? std::max(caret, anchor) : std::min(caret, anchor));
  const char* found = nullptr;
  const char* foundEnd = nullptr;
  // Line by line from the caret's line; at the text's end, once more from its start.
  const auto lineStartOf = [&](const char* p) {
    while (p > begin && p[-1] != '\n') --p;
    return p;
  };
  const auto contentEnd = [&](const char* lineBegin) {
    const char* e = static_cast<const char*>(
        std::memchr(lineBegin, '\n', static_cast<size_t>(end - lineBegin)));
    if (e == nullptr) e = end;
    if (e > lineBegin && e[-1] == '\r' && e < end) --e;
    return e;
  };
  if (forward) {
    for (int round = 0; round < 2 && found == nullptr; ++round) {
      const char* line = round == 0 ? lineStartOf(at) : begin;
      const char* limit = round == 0 ? end : lineStartOf(at) + 1;
      for (; line < end && line < limit && found == nullptr;) {
        const char* stop = contentEnd(line);
        const char* from = (round == 0 && line <= at && at <= stop) ? at : line;
        if (const filters::LineMatch m = matcher_->Find(line, stop, from); m && m.end > m.begin) {
          found = m.begin;
          foundEnd = m.end;
        }
        const char* next =
            static_cast<const char*>(std::memchr(stop, '\n', static_cast<size_t>(end - stop)));
        if (next == nullptr) break;
        line = next + 1;
      }
    }
  } else {
    // Back: the last match that ends no later than `at` in the caret's line, then the lines
    // in front of it, wrapping at the text's start.
    const char* line = lineStartOf(at);
    for (size_t seen = 0; seen <= text.size() && found == nullptr;) {
      const char* stop = contentEnd(line);
      const char* limit = (line <= at && at <= stop && seen == 0) ? at : stop;
      for (const char* from = line; from <= limit;) {
        const filters::LineMatch m = matcher_->Find(line, stop, from);
        if (!m || m.end > limit) break;
        if (m.end > m.begin) {
          found = m.begin;
          foundEnd = m.end;
        }
        from = m.end > m.begin ? m.end : m.end + 1;
      }
      seen += static_cast<size_t>(stop - line) + 1;
      if (found != nullptr) break;
      if (line == begin) {
        line = lineStartOf(end);
      } else {
        line = lineStartOf(line - 1);
      }
    }
  }
  if (found == nullptr) return false;
  Call(SCI_SETSEL, found - begin, foundEnd - begin);
  Call(SCI_SCROLLCARET);
  return true;
}

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
