// The shared hex-digit parser and percent decoder against plain references, the decoder both
// in place and into a separate buffer (its two callers' ways).
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "text/HexDigit.h"
#include "text/PercentDecode.h"

namespace {

TEST(HexDigit, EveryByteAgreesWithTheDigitList) {
  const char digits[] = "0123456789abcdef";
  const char upper[] = "0123456789ABCDEF";
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    int expected = -1;
    for (int v = 0; v < 16; ++v) {
      if (c == digits[v] || c == upper[v]) expected = v;
    }
    EXPECT_EQ(text::HexValue(c), expected) << b;
    EXPECT_EQ(text::IsHexDigit(c), expected >= 0) << b;
  }
}

// Byte by byte: an escape is '%' and two hex digits with both inside the text, outside the
// segments that ESC $ and ESC ( I open and ESC ( B and ESC ( J close.
std::string ReferenceDecode(const std::string& s) {
  std::string out;
  bool segment = false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s.compare(i, 3, "\x1b(B") == 0 || s.compare(i, 3, "\x1b(J") == 0) segment = false;
    if (s.compare(i, 3, "\x1b(I") == 0) segment = true;
    if (s[i] == '\x1b' && i + 2 < s.size() && s[i + 1] == '$') segment = true;
    if (!segment && s[i] == '%' && i + 2 < s.size() && text::IsHexDigit(s[i + 1]) &&
        text::IsHexDigit(s[i + 2])) {
      out += static_cast<char>(text::HexValue(s[i + 1]) * 16 + text::HexValue(s[i + 2]));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

TEST(PercentDecode, InPlaceAndIntoABufferAgreeWithAPlainDecoder) {
  std::mt19937 rng(7);
  const char alphabet[] = {'%',    '2', '5', 'a', 'F', 'g', '+', '\0', '\xFF',
                           '\x1b', '$', '(', 'B', 'J', 'I', 'D', '@'};
  for (int round = 0; round < 40000; ++round) {
    std::string s(rng() % 24, ' ');
    for (char& c : s) c = alphabet[rng() % sizeof alphabet];
    const std::string expected = ReferenceDecode(s);

    std::string out(s.size(), '\x7f');
    out.resize(text::PercentDecode(s.data(), s.data() + s.size(), &out[0]));
    ASSERT_EQ(out, expected) << s;

    std::string inPlace = s;
    inPlace.resize(
        text::PercentDecode(inPlace.data(), inPlace.data() + inPlace.size(), &inPlace[0]));
    ASSERT_EQ(inPlace, expected) << s;
  }
  // A decoded '%' starts no new escape.
  const std::string twice = "%2541";
  std::string out(twice.size(), '\0');
  out.resize(text::PercentDecode(twice.data(), twice.data() + twice.size(), &out[0]));
  EXPECT_EQ(out, "%41");
}

}  // namespace
