// B2String1: percent-decoding, and loading and saving whole files as raw bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "strings/B2String1.h"
#include "support/StringContent.h"
#include "support/TempFolder.h"

namespace {

using testsupport::Bytes;
using testsupport::Content;

namespace fs = std::filesystem;

constexpr int kMax = 40000000;

TEST(B2String1Decode, UrlDecodeCases) {
  struct {
    std::string text;
    int result;
    std::string decoded;
  } cases[] = {
      {"a%41b", 1, "aAb"},
      {"%e3%81%82", 1, "\xE3\x81\x82"},
      {"%4", 1, "%4"},
      {"%", 1, "%"},
      {"100%", 1, "100%"},
      {"%G1", 1, "%G1"},
      {"%%41", 1, "%A"},
      {"a+b", 1, "a+b"},
      {"%41%", 1, "A%"},
      {"ab", -1, "ab"},
      {"", -1, ""},
      {"%00", 1, std::string(1, '\0')},
      {"%4a%4A", 1, "JJ"},
      {"%2541", 1, "%41"},
      {"%FF%ff", 1, "\xFF\xFF"},
  };
  for (const auto& t : cases) {
    B2String1 s = Bytes(t.text);
    const int capacity = s.Capacity();
    EXPECT_EQ(s.UrlDecode(), t.result) << t.text;
    EXPECT_EQ(Content(s), t.decoded) << t.text;
    EXPECT_EQ(s.Capacity(), capacity) << t.text;
  }
}

TEST(B2String1Decode, HexDigitsAreAsciiOnly) {
  B2String1 s;
  for (int b = 0; b < 256; b++) {
    const char c = static_cast<char>(b);
    int expected = -1;
    if (b >= '0' && b <= '9') expected = b - '0';
    if (b >= 'a' && b <= 'f') expected = b - 'a' + 10;
    if (b >= 'A' && b <= 'F') expected = b - 'A' + 10;
    EXPECT_EQ(s.HexValue(c), expected) << b;
    EXPECT_EQ(s.IsHexDigit(c), expected >= 0) << b;
  }
}

class B2String1FileTest : public ::testing::Test {
 protected:
  std::string PathOf(const char* name) const { return folder_.PathOf(name); }
  std::string Write(const char* name, const std::string& bytes) const {
    return folder_.Write(name, bytes);
  }
  const TempFolder folder_{
      "strings_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())};
};

TEST_F(B2String1FileTest, LoadFileSizesAndTrailingNul) {
  struct {
    const char* name;
    std::string bytes;
    std::string loaded;
  } cases[] = {
      {"empty", "", std::string(1, '\0')},
      {"tenNul", std::string("123456789\0", 10), std::string("123456789\0", 10)},
      {"crlf",
       "\xEF\xBB\xBF"
       "a\r\nb\r\n",
       "\xEF\xBB\xBF"
       "a\r\nb\r\n"},
      {"nulInside", std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& t : cases) {
    B2String1 s("previous");
    EXPECT_TRUE(s.LoadFile(Write(t.name, t.bytes).c_str())) << t.name;
    EXPECT_EQ(Content(s), t.loaded) << t.name;
  }
}

TEST_F(B2String1FileTest, LoadFileTakesAtMostTheLengthLimit) {
  std::string bytes(kMax + 1, 'a');
  bytes[0] = 'S';
  B2String1 s;
  ASSERT_TRUE(s.LoadFile(Write("over", bytes).c_str()));
  EXPECT_EQ(s.Length(), kMax);
  EXPECT_EQ(s.CharAt(0), 'S');

  bytes[kMax - 1] = '\0';  // the last byte that fits is NUL: it is dropped
  ASSERT_TRUE(s.LoadFile(Write("overNul", bytes).c_str()));
  EXPECT_EQ(s.Length(), kMax - 1);

  bytes.resize(kMax);  // exactly the limit, ending in NUL
  ASSERT_TRUE(s.LoadFile(Write("exactNul", bytes).c_str()));
  EXPECT_EQ(s.Length(), kMax - 1);
  bytes[kMax - 1] = 'z';
  ASSERT_TRUE(s.LoadFile(Write("exact", bytes).c_str()));
  EXPECT_EQ(s.Length(), kMax);
  EXPECT_EQ(s.CharAt(kMax - 1), 'z');

  bytes.resize(kMax - 1);  // one below: whole, whatever the last byte
  bytes[kMax - 2] = '\0';
  ASSERT_TRUE(s.LoadFile(Write("below", bytes).c_str()));
  EXPECT_EQ(s.Length(), kMax - 1);
}

TEST_F(B2String1FileTest, LoadFileRefusalsLeaveTheContent) {
  B2String1 s("keep");
  EXPECT_FALSE(s.LoadFile(nullptr));
  EXPECT_FALSE(s.LoadFile(PathOf("missing").c_str()));
  EXPECT_FALSE(s.LoadFile(folder_.Path().string().c_str()));  // a directory has no bytes to load
  EXPECT_EQ(Content(s), "keep");
}

TEST_F(B2String1FileTest, SaveAndLoadRoundTripEveryByte) {
  std::string all;
  for (int b = 255; b >= 0; b--) all += static_cast<char>(b);
  all += "\r\n\x95\x5C";
  B2String1 s = Bytes(all);
  const std::string path = PathOf("round");
  EXPECT_TRUE(s.SaveFile(path.c_str()));
  EXPECT_EQ(fs::file_size(path), all.size());
  B2String1 back;
  EXPECT_TRUE(back.LoadFile(path.c_str()));
  EXPECT_EQ(Content(back), all);

  EXPECT_TRUE(B2String1().SaveFile(path.c_str()));  // truncates to empty
  EXPECT_EQ(fs::file_size(path), 0u);
  EXPECT_FALSE(s.SaveFile(nullptr));
  EXPECT_FALSE(s.SaveFile(PathOf("no/such/dir/file").c_str()));
}

}  // namespace
