#include "Nkf32TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "text/PercentDecode.h"

namespace nkf32_test {

std::string Convert(const std::string& in, nkf32::ConvertOptions options) {
  size_t cap = nkf32::Converter::RequiredCapacity(in.size());
  std::vector<char> buf(cap, '\x7f');
  bool complete = false;
  size_t n = nkf32::Converter(options).Convert(in.data(), in.size(), buf.data(), cap, &complete);
  EXPECT_TRUE(complete) << Hex(in);
  EXPECT_LT(n, cap);
  if (n >= cap) return {};
  EXPECT_EQ(buf[n], '\0');
  EXPECT_EQ(std::memchr(buf.data(), 0, n), nullptr) << "NUL inside the output of " << Hex(in);
  return std::string(buf.data(), n);
}

std::string Hex(const std::string& bytes) {
  std::string s;
  char b[4];
  for (unsigned char c : bytes) {
    std::snprintf(b, sizeof b, "%02x ", c);
    s += b;
  }
  if (!s.empty()) s.pop_back();
  return s;
}

std::u32string Utf8ToCodePoints(const std::string& utf8) {
  std::u32string out;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    int len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t cp = len == 1 ? b : b & (0xFF >> (len + 1));
    for (int k = 1; k < len; ++k) cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.push_back(cp);
    i += static_cast<size_t>(len);
  }
  return out;
}

std::string Utf8ToSjis(const std::string& utf8) {
  const nkf32::Cp932Table& t = nkf32::Cp932Table::Get();
  std::string out;
  for (char32_t cp : Utf8ToCodePoints(utf8)) {
    uint16_t code = t.FromUnicode(cp);
    if (code == 0) code = 0x81AC;
    if (code >= 0x100) out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
  }
  return out;
}

namespace {
// JIS row and cell (1-based) of a double-byte Shift_JIS code.
void KutenOf(unsigned lead, unsigned trail, unsigned* row, unsigned* cell) {
  unsigned r = lead < 0xA0 ? lead - 0x80 : lead - 0xC0;  // pair of rows, 1-based
  if (trail >= 0x9F) {
    *row = 2 * r;
    *cell = trail - 0x9E;
  } else {
    *row = 2 * r - 1;
    *cell = trail - 0x3F - (trail > 0x7F ? 1 : 0);
  }
}
}  // namespace

std::string SjisToEuc(const std::string& sjis) {
  std::string out;
  for (size_t i = 0; i < sjis.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(sjis[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
    } else if (b >= 0xA1 && b <= 0xDF) {
      out.push_back('\x8e');
      out.push_back(static_cast<char>(b));
    } else {
      unsigned row, cell;
      KutenOf(b, static_cast<unsigned char>(sjis[++i]), &row, &cell);
      out.push_back(static_cast<char>(row + 0xA0));
      out.push_back(static_cast<char>(cell + 0xA0));
    }
  }
  return out;
}

std::string SjisToJis(const std::string& sjis) {
  std::string out;
  enum { kRoman, kKanji, kKana } set = kRoman;
  auto select = [&](int s, const char* esc) {
    if (set != s) out += esc;
    set = static_cast<decltype(set)>(s);
  };
  for (size_t i = 0; i < sjis.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(sjis[i]);
    if (b < 0x80) {
      select(kRoman, "\x1b(B");
      out.push_back(static_cast<char>(b));
    } else if (b >= 0xA1 && b <= 0xDF) {
      select(kKana, "\x1b(I");
      out.push_back(static_cast<char>(b - 0x80));
    } else {
      select(kKanji, "\x1b$B");
      unsigned row, cell;
      KutenOf(b, static_cast<unsigned char>(sjis[++i]), &row, &cell);
      out.push_back(static_cast<char>(row + 0x20));
      out.push_back(static_cast<char>(cell + 0x20));
    }
  }
  select(kRoman, "\x1b(B");
  return out;
}

std::string PercentEncode(const std::string& bytes) {
  std::string out;
  char b[4];
  for (unsigned char c : bytes) {
    std::snprintf(b, sizeof b, "%%%02X", c);
    out += b;
  }
  return out;
}

std::string PercentDecode(const std::string& text) {
  std::string out = text;
  out.resize(text::PercentDecode(out.data(), out.data() + out.size(), &out[0]));
  return out;
}

}  // namespace nkf32_test
