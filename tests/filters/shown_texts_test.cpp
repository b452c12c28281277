// The shown texts are Shift_JIS: decoding them with code page 932 gives the readable text.
#include <gtest/gtest.h>

#include <string>

#include "Cp932Text.h"
#include "filters/ShownTexts.h"

namespace {

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
