// The shown texts are Shift_JIS: decoding them with code page 932 gives the readable text.
#include <gtest/gtest.h>

#include <string>

#include "filters/ShownTexts.h"
#include "support/Cp932Text.h"

namespace {

using filters::ShownTexts;

TEST(ShownTexts, DecodeAsCodePage932) {
  EXPECT_EQ(Cp932ToUtf8(ShownTexts::kLinesFormat), "全%d行");
  EXPECT_EQ(Cp932ToUtf8(ShownTexts::kMatchesFormat), "全%d件");
  EXPECT_EQ(Cp932ToUtf8(ShownTexts::Lines(0)), "全0行");
  EXPECT_EQ(Cp932ToUtf8(ShownTexts::Lines(4500001)), "全4500001行");
  EXPECT_EQ(Cp932ToUtf8(ShownTexts::Lines(-1)), "全-1行");
  EXPECT_EQ(Cp932ToUtf8(ShownTexts::Matches(12)), "全12件");
  EXPECT_EQ(Cp932ToUtf8(ShownTexts::Lines(5000000000)), "全5000000000行");  // past 32 bits
}

}  // namespace
