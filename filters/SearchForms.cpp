// The UTF-8 form of a search text, character by character through the program's CP932 table.
#include "filters/SearchForms.h"

#include <cstdint>

#include "nkf32/Cp932Table.h"
#include "text/ShiftJis.h"
#include "text/Utf8.h"

SearchForms::SearchForms(const char* text, size_t size) : shiftJis_(text, size) {
  std::string utf8;
  if (ShiftJisToUtf8(text, size, utf8)) utf8_ = std::move(utf8);
}

bool SearchForms::ShiftJisToUtf8(const char* text, size_t size, std::string& out) {
  out.clear();
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  const auto* end = p + size;
  while (p < end) {
    if (*p < 0x80) {
      out += static_cast<char>(*p++);
      continue;
    }
    uint16_t code = *p;
    size_t length = 1;
    if (text::IsShiftJisLead(*p)) {
      if (end - p < 2) return false;
      code = static_cast<uint16_t>(p[0] << 8 | p[1]);
      length = 2;
    }
    // A search text is short: asking the platform for each character costs nothing visible.
    const char32_t cp = nkf32::Cp932Table::DecodeWithPlatform(code);
    if (cp == 0) return false;
    text::AppendUtf8(out, cp);
    p += length;
  }
  return true;
}
