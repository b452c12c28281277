// B2String1: searching, counting, replacing, removing and trimming, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "strings/B2String1.h"
#include "support/StringContent.h"

namespace {

using testsupport::Bytes;
using testsupport::Content;

constexpr int kMax = 40000000;

TEST(B2String1Search, IndexOfForms) {
  B2String1 s("abcabc");
  struct {
    int from;
    char c;
    int expected;
  } byteCases[] = {{0, 'c', 2},  {3, 'c', 5},  {6, 'c', -1}, {-1, 'a', -1},
                   {5, 'a', -1}, {0, 'z', -1}, {3, 'a', 3}};
  for (const auto& t : byteCases) EXPECT_EQ(s.IndexOf(t.from, t.c), t.expected) << t.from;
  EXPECT_EQ(s.IndexOf('c'), 2);
  EXPECT_EQ(B2String1().IndexOf('a'), -1);

  struct {
    int from;
    const char* pattern;
    int count;
    int expected;
  } runCases[] = {{0, "bc", 2, 1},  {2, "bc", 2, 4},     {5, "bc", 2, -1},
                  {6, "c", 1, -1},  {4, "bc", 2, 4},     {0, "abcabcx", 7, -1},
                  {0, "bc", 0, -1}, {0, "bc", -1, -1},   {0, nullptr, 2, -1},
                  {-1, "a", 1, -1}, {0, "abcabc", 6, 0}, {1, "abcabc", 6, -1}};
  for (const auto& t : runCases) {
    EXPECT_EQ(s.IndexOf(t.from, t.pattern, t.count), t.expected) << t.from << " " << t.count;
  }
  EXPECT_EQ(s.IndexOf("ca", 2), 2);
  EXPECT_EQ(s.IndexOf("cab"), 2);
  EXPECT_EQ(s.IndexOf(""), -1);  // an empty C text is never found
  EXPECT_EQ(s.IndexOf(static_cast<const char*>(nullptr)), -1);
  EXPECT_EQ(B2String1().IndexOf("a"), -1);
}

TEST(B2String1Search, MatchesBytesNotCharacters) {
  // 表 is 95 5C: its second byte is a backslash; 抽出 is 92 8A 8F 6F and holds an 'o'.
  B2String1 s("\x95\x5C\x92\x8A\x8F\x6F");
  EXPECT_EQ(s.IndexOf('\\'), 1);
  EXPECT_EQ(s.IndexOf("o"), 5);
  EXPECT_EQ(s.IndexOf("\x5C\x92"), 1);  // across a character boundary
  EXPECT_EQ(s.CountOf("\\"), 1);
  EXPECT_TRUE(s.Contains("o"));
  // High bytes compare as bytes, not as signed numbers.
  B2String1 high("\x7F\x80\xFF");
  EXPECT_EQ(high.IndexOf('\xFF'), 2);
  EXPECT_EQ(high.IndexOf("\x80\xFF"), 1);
  EXPECT_EQ(high.LastIndexOf("\x80"), 1);
  // Half-width kana are single bytes in the A1-DF range.
  B2String1 kana("\xB1\xB2\xB3");
  EXPECT_EQ(kana.IndexOf("\xB2"), 1);
}

TEST(B2String1Search, EmbeddedNulIsContentForIndexOfButEndsContains) {
  B2String1 s("abc\0def", 7);
  EXPECT_EQ(s.IndexOf("def"), 4);
  EXPECT_FALSE(s.Contains("def"));
  EXPECT_TRUE(s.Contains("bc"));
  EXPECT_EQ(s.IndexOf('\0'), 3);
  EXPECT_EQ(s.IndexOf("c\0d", 3), 2);
  EXPECT_TRUE(s.Contains(""));
  EXPECT_TRUE(B2String1().Contains(""));
  EXPECT_FALSE(s.Contains(nullptr));
  EXPECT_FALSE(B2String1("ab").Contains("abc"));
}

TEST(B2String1Search, CountOfIsNonOverlapping) {
  struct {
    const char* text;
    const char* pattern;
    int expected;
  } cases[] = {{"aaaa", "aa", 2}, {"aaa", "aa", 1},  {"aaa", "", 0},           {"ab", "abc", 0},
               {"", "a", 0},      {"abab", "ab", 2}, {"a\r\nb\r\n", "\r\n", 2}};
  for (const auto& t : cases) EXPECT_EQ(B2String1(t.text).CountOf(t.pattern), t.expected) << t.text;
  EXPECT_EQ(B2String1("aaa").CountOf(static_cast<const char*>(nullptr)), 0);
  EXPECT_EQ(B2String1("aaa").CountOf("a", 0), 0);
  EXPECT_EQ(B2String1("a\0a\0", 4).CountOf("a\0", 2), 2);
}

TEST(B2String1Search, LastIndexOfFindsTheHighestStartOverlapsIncluded) {
  struct {
    const char* text;
    const char* pattern;
    int expected;
  } cases[] = {{"abab", "ab", 2}, {"ba", "ab", -1}, {"aaa", "aa", 1}, {"ab", "abc", -1},
               {"abc", "", -1},   {"", "a", -1},    {"abc", "a", 0},  {"abc", "abc", 0}};
  for (const auto& t : cases) {
    EXPECT_EQ(B2String1(t.text).LastIndexOf(t.pattern), t.expected) << t.text << "/" << t.pattern;
  }
  EXPECT_EQ(B2String1("abc").LastIndexOf(static_cast<const char*>(nullptr)), -1);
  EXPECT_EQ(B2String1("abc").LastIndexOf("c", 0), -1);
  EXPECT_EQ(B2String1("abc").LastIndexOf("c", -1), -1);
}

TEST(B2String1Search, LongPathologicalSearchesFinishQuickly) {
  // 'a' x 4,000,000 against 'a' x 999 + 'b': a plain scan would take billions of steps.
  std::string text(4000000, 'a');
  std::string pattern(999, 'a');
  pattern += 'b';
  B2String1 s = Bytes(text);
  EXPECT_EQ(s.IndexOf(pattern.c_str()), -1);
  EXPECT_EQ(s.CountOf(pattern.c_str()), 0);
  EXPECT_EQ(s.LastIndexOf(pattern.c_str()), -1);
  std::string reversed = "b" + std::string(999, 'a');
  EXPECT_EQ(s.LastIndexOf(reversed.c_str()), -1);
  EXPECT_EQ(s.ReplaceAll(pattern.c_str(), "x"), 0);
  s.SetCharAt(1000, 'b');
  EXPECT_EQ(s.LastIndexOf(reversed.c_str()), 1000);
  EXPECT_EQ(s.IndexOf(pattern.c_str()), 1);
  EXPECT_EQ(s.LastIndexOf(pattern.c_str()), 1);
}

TEST(B2String1Replace, ReplaceAllCases) {
  struct {
    std::string text;
    std::string from;
    std::string to;
    int expected;
    std::string result;
  } cases[] = {
      {"a\r\nb\r\n", "\r\n", "\n", 2, "a\nb\n"},
      {"a\nb", "\r\n", "\n", 0, "a\nb"},
      {"aaaa", "aa", "a", 2, "aa"},
      {"aaa", "a", "", 3, ""},
      {"abc", "", "x", 0, "abc"},
      {"abc", "b", "xyz", 1, "axyzc"},
      {"bbb", "b", "bb", 3, "bbbbbb"},  // inserted bytes are never searched again
      {"xabyab", "ab", "-", 2, "x-y-"},
      {"\x95\x5C\x95\x5C", "\\", "/", 2, "\x95/\x95/"},
      {std::string("a\0b\0", 4), std::string("\0", 1), "|", 2, "a|b|"},
  };
  for (const auto& t : cases) {
    B2String1 s = Bytes(t.text);
    EXPECT_EQ(s.ReplaceAll(t.from.data(), static_cast<int>(t.from.size()), t.to.data(),
                           static_cast<int>(t.to.size())),
              t.expected)
        << t.text;
    EXPECT_EQ(Content(s), t.result) << t.text;
  }
  B2String1 s("abc");
  EXPECT_EQ(s.ReplaceAll(nullptr, "x"), 0);
  EXPECT_EQ(s.ReplaceAll("b", nullptr), 0);
  EXPECT_EQ(s.ReplaceAll("", "x"), 0);
  EXPECT_EQ(s.ReplaceAll("b", 0, "x", 1), 0);
  EXPECT_EQ(Content(s), "abc");
  EXPECT_EQ(s.ReplaceAll("b", "x"), 1);
  EXPECT_EQ(Content(s), "axc");
}

TEST(B2String1Replace, CapacityFollowsTheSetOfTheResult) {
  // Shrinking or equal results keep the capacity; growing ones take the Set growth.
  B2String1 s(std::string(40, 'a').c_str());
  EXPECT_EQ(s.ReplaceAll("a", ""), 40);
  EXPECT_EQ(s.Length(), 0);
  EXPECT_EQ(s.Capacity(), 40);
  B2String1 g(std::string(40, 'a').c_str());
  EXPECT_EQ(g.ReplaceAll("a", "aa"), 40);
  EXPECT_EQ(g.Length(), 80);
  EXPECT_EQ(g.Capacity(), 80);  // 80 is not below twice 40: exact
  B2String1 d(std::string(40, 'a').c_str());
  EXPECT_EQ(d.ReplaceAll("aaaa", "aaaaa"), 10);
  EXPECT_EQ(d.Capacity(), 80);  // 50 doubles to 80
}

TEST(B2String1Replace, PatternsInsideTheStringItselfAreSafe) {
  B2String1 s("abcabc");
  EXPECT_EQ(s.ReplaceAll(s.Data(), 1, s.Data() + 1, 2), 2);
  EXPECT_EQ(Content(s), "bcbcbcbc");
  B2String1 t("xyxy");
  EXPECT_EQ(t.ReplaceAll(t.Data(), 2, "", 0), 2);
  EXPECT_EQ(t.Length(), 0);
}

TEST(B2String1Replace, ResultIsCutAtTheLengthLimit) {
  std::string text(kMax - 2, 'a');
  text += "xy";
  B2String1 s = Bytes(text);
  EXPECT_EQ(s.ReplaceAll("x", "123"), 1);
  EXPECT_EQ(s.Length(), kMax);
  EXPECT_EQ(Content(s).substr(kMax - 3), "a12");
  // A replacement that keeps the length loses nothing, even at the limit.
  B2String1 full = Bytes(std::string(kMax, 'a'));
  full.SetCharAt(kMax - 2, 'x');
  EXPECT_EQ(full.ReplaceAll("x", "y"), 1);
  EXPECT_EQ(full.Length(), kMax);
  EXPECT_EQ(full.CharAt(kMax - 2), 'y');
  EXPECT_EQ(full.CharAt(kMax - 1), 'a');
}

TEST(B2String1Erase, RemoveCases) {
  struct {
    int pos;
    int count;
    bool ok;
    const char* result;
  } cases[] = {
      {1, 100, true, "a"},   {1, 1, true, "ac"},   {3, 1, false, "abc"},        {0, 3, true, ""},
      {-1, 1, false, "abc"}, {0, 0, false, "abc"}, {2, 2147483647, true, "ab"}, {0, 1, true, "bc"}};
  for (const auto& t : cases) {
    B2String1 s("abc");
    EXPECT_EQ(s.Remove(t.pos, t.count), t.ok) << t.pos << " " << t.count;
    EXPECT_EQ(Content(s), t.result) << t.pos << " " << t.count;
    EXPECT_EQ(s.Capacity(), 32);
  }
  EXPECT_FALSE(B2String1().Remove(0, 1));
  std::string forty;
  for (int i = 0; i < 40; i++) forty += static_cast<char>('0' + i);
  B2String1 s = Bytes(forty);
  EXPECT_TRUE(s.Remove(2, 3));
  EXPECT_EQ(Content(s), forty.substr(0, 2) + forty.substr(5));
  EXPECT_EQ(s.Capacity(), 37);
  B2String1 cut = Bytes(std::string(100, 'x'));
  EXPECT_TRUE(cut.Remove(50, 60));
  EXPECT_EQ(cut.Length(), 50);
  EXPECT_EQ(cut.Capacity(), 50);
}

TEST(B2String1Erase, RemoveAtAndTrimLeft) {
  B2String1 one("x");
  EXPECT_FALSE(one.RemoveAt(1));
  EXPECT_FALSE(one.RemoveAt(-1));
  EXPECT_TRUE(one.RemoveAt(0));
  EXPECT_EQ(one.Length(), 0);
  EXPECT_EQ(one.Capacity(), 32);

  B2String1 s = Bytes(std::string(50, 'a') + "b");
  EXPECT_TRUE(s.RemoveAt(50));
  EXPECT_EQ(Content(s), std::string(50, 'a'));
  EXPECT_EQ(s.Capacity(), 51);  // one-byte removal keeps the capacity

  struct {
    std::string text;
    int removed;
    std::string result;
  } trims[] = {{"  ab", 2, "ab"}, {"   ", 3, ""}, {"ab", 0, "ab"}, {"", 0, ""}, {" a ", 1, "a "}};
  for (const auto& t : trims) {
    B2String1 x = Bytes(t.text);
    EXPECT_EQ(x.TrimLeft(' '), t.removed) << t.text;
    EXPECT_EQ(Content(x), t.result) << t.text;
  }
  // Trimming everything resets the capacity; trimming some keeps it.
  B2String1 all = Bytes(std::string(100, ' '));
  EXPECT_EQ(all.TrimLeft(' '), 100);
  EXPECT_EQ(all.Capacity(), 32);
  B2String1 some = Bytes(std::string(100, ' ') + "x");
  EXPECT_EQ(some.TrimLeft(' '), 100);
  EXPECT_EQ(Content(some), "x");
  EXPECT_EQ(some.Capacity(), 101);
}

TEST(B2String1Erase, TrimLeftOfALongRunIsOnePass) {
  B2String1 s = Bytes(std::string(10000000, ' ') + "end");
  EXPECT_EQ(s.TrimLeft(' '), 10000000);
  EXPECT_EQ(Content(s), "end");
}

}  // namespace
