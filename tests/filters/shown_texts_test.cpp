// The shown texts are Shift_JIS: decoding them with code page 932 gives the readable text.
#include <gtest/gtest.h>

#include <string>

#include "filters/ShownTexts.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {

// The bytes decoded from code page 932 and written as UTF-8; "" when they do not decode.
std::string Cp932ToUtf8(const std::string& bytes) {
#ifdef _WIN32
  const int wide = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(),
                                       static_cast<int>(bytes.size()), nullptr, 0);
  if (wide <= 0) return std::string();
  std::wstring text(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                      &text[0], wide);
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, &out[0], size, nullptr, nullptr);
  return out;
#else
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string();
  std::string in = bytes;
  std::string out(bytes.size() * 4 + 4, '\0');
  char* inPtr = &in[0];
  size_t inLeft = in.size();
  char* outPtr = &out[0];
  size_t outLeft = out.size();
  const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return std::string();
  out.resize(out.size() - outLeft);
  return out;
#endif
}

TEST(ShownTexts, DecodeAsCodePage932) {
  EXPECT_EQ(Cp932ToUtf8(ShownTexts::kLinesFormat), "全%d行");
  EXPECT_EQ(Cp932ToUtf8(ShownTexts::kMatchesFormat), "全%d件");
  EXPECT_EQ(Cp932ToUtf8(ShownTexts::Lines(0)), "全0行");
  EXPECT_EQ(Cp932ToUtf8(ShownTexts::Lines(4500001)), "全4500001行");
  EXPECT_EQ(Cp932ToUtf8(ShownTexts::Matches(12)), "全12件");
}

TEST(ShownTexts, AreTheExactBytes) {
  EXPECT_EQ(ShownTexts::Lines(3),
            "\x91\x53"
            "3\x8D\x73");
  EXPECT_EQ(ShownTexts::Matches(1),
            "\x91\x53"
            "1\x8C\x8F");
  EXPECT_EQ(ShownTexts::Lines(-1), "\x91\x53-1\x8D\x73");
}

}  // namespace
