// The regular-expression and ignore-case matchers, and the literal in each line's encoding, on
// the cases a reference over decoded lines does not reach: refusals, abandoned searches, the
// literal every match holds, and the two-form search against a plain model.
#include "filters/Matcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "filters/LiteralSearch.h"
#include "filters/RequiredLiteral.h"

namespace {

using filters::LineMatch;
using filters::Matcher;
using filters::MatchError;
using filters::MatchOptions;

// The first match in line as "begin-end", "none" or "gave up".
std::string MatchIn(const std::string& search, const std::string& line, bool regex,
                    bool ignoreCase = false) {
  MatchOptions options;
  options.regex = regex;
  options.ignoreCase = ignoreCase;
  const auto matcher = Matcher::Make(search.data(), search.size(), options);
  if (matcher == nullptr) return "refused";
  const LineMatch match = matcher->FirstIn(line.data(), line.data() + line.size());
  if (match.gaveUp) return "gave up";
  if (!match) return "none";
  return std::to_string(match.begin - line.data()) + "-" + std::to_string(match.end - line.data());
}

const std::string kTokyoSjis = "\x93\x8c\x8b\x9e\x93\x73";              // 東京都
const std::string kTokyoUtf8 = "\xe6\x9d\xb1\xe4\xba\xac\xe9\x83\xbd";  // 東京都
const std::string kWardSjis = "\x8b\xe6";                               // 区
const std::string kWardUtf8 = "\xe5\x8c\xba";

TEST(Matcher, SearchTextMatchesInEachLineEncoding) {
  const struct {
    std::string search, line;
    bool regex;
    const char* expected;
  } cases[] = {
      {kTokyoSjis, "x" + kTokyoSjis, false, "1-7"},
      {kTokyoSjis, "x" + kTokyoUtf8, false, "1-10"},
      {kTokyoSjis + "." + kWardSjis + "$", kTokyoSjis + "\x8d\x60" + kWardSjis, true, "0-10"},
      {kTokyoSjis + "." + kWardSjis + "$", kTokyoUtf8 + "\xe6\xb8\xaf" + kWardUtf8, true, "0-15"},
      // 5C and 6F trail bytes: neither '\', '.' nor a class takes half of 表 (95 5C) or 出 (8F 6F).
      {"\\\\", "\x95\x5c", true, "none"},
      {"o", "\x8f\x6f", true, "none"},
      {"^.$", "\x95\x5c", true, "0-2"},
      {"^[^a]$", "\x95\x5c", true, "0-2"},
      {"^.$", "\xe8\xa1\xa8", true, "0-3"},
      {"\\\\", "\x95\x5c\\", true, "2-3"},
      // An empty match counts, at the line's start.
      {"x*", "abc", true, "0-0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchIn(c.search, c.line, c.regex), c.expected) << c.search << " in " << c.line;
  }
}

TEST(Matcher, IgnoreCaseFoldsAsciiAndFullWidthLettersAmongThemselves) {
  const struct {
    std::string search, line;
    const char* expected;
  } cases[] = {
      {"error", "An ErRoR", "3-8"},
      {"\x82\x60\x82\x82", "x\x82\x81\x82\x61", "1-5"},  // ＡＢ finds ａＢ
      {"\x82\x60", "A", "none"},                         // Ａ never finds A
      {"\x82\x60", "\xef\xbd\x81", "0-3"},               // Ａ finds ａ on a UTF-8 line
      {"\x82\x60", "\xef\xbc\x81", "none"},              // nor ！, whose bytes mix both cases
      {"\x83\x9f", "\x83\xbf", "none"},                  // Α is not α
      {"[a-c]+", "xxABCd", "2-5"},
  };
  for (const auto& c : cases) {
    for (const bool regex : {false, true}) {
      if (regex && c.search[0] == 'x') continue;
      const std::string search = regex || c.search != "[a-c]+" ? c.search : "";
      if (search.empty()) continue;
      EXPECT_EQ(MatchIn(search, c.line, regex, true), c.expected) << search << " regex " << regex;
    }
  }
  EXPECT_EQ(MatchIn("error", "An ErRoR", false, false), "none");
}

TEST(RegexMatcher, RefusesBadExpressionsWithReasonAndPosition) {
  const struct {
    const char* pattern;
    int position;
  } cases[] = {{"(abc", 1}, {"ab)", 3}, {"a[b-a]", 5}, {"a(?z)", 4}, {"\x95\x5c(", 2}};
  for (const auto& c : cases) {
    MatchOptions options;
    options.regex = true;
    MatchError error;
    EXPECT_EQ(Matcher::Make(c.pattern, std::strlen(c.pattern), options, &error), nullptr);
    EXPECT_EQ(error.kind, MatchError::Kind::kBadExpression) << c.pattern;
    EXPECT_EQ(error.position, c.position) << c.pattern << ": " << error.reason;
    EXPECT_FALSE(error.reason.empty());
  }
}

TEST(RegexMatcher, GivesUpOnARunawayExpression) {
  const std::string line = std::string(200000, 'a') + "!";
  EXPECT_EQ(MatchIn("^(a|aa)+$", line, true), "gave up");
  EXPECT_EQ(MatchIn("(a*)*b", line, true), "none");  // no b: never run
}

TEST(RequiredLiteral, KeepsOnlyCharactersEveryMatchHolds) {
  const struct {
    const char* pattern;
    const char* literal;
  } cases[] = {
      {"ERROR.*timeout", "timeout"},
      {"ab*cd", "cd"},
      {"ab+cde", "cde"},
      {"a|bcd", ""},
      {"(x|y)abc(d)?", "abc"},
      {"\\d{4}-\\d{2}", "-"},
      {"x\\x41yy", "yy"},
      {"\\p{Alpha}zz", "zz"},
      {"(?i)abc", ""},
      {"[a-z]]bc", "]bc"},
      {"\\.co\\.jp", ".co.jp"},
      {"\x95\x5c\\\\", "\x95\x5c\\"},
      {"ab{2,3}", "a"},
      {"ab{xy", "xy"},
      {"\\k<n>ab", "ab"},
      {"xab+*c", "xa"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RequiredLiteral::Of(c.pattern, std::strlen(c.pattern)), c.literal) << c.pattern;
  }
}

// Next of a literal with two forms, against the first occurrence of either, on texts that hold
// both forms (and pieces of them) at random distances, some beyond a window.
TEST(LiteralSearch, NextFindsTheFirstOfEitherForm) {
  std::mt19937 rng(7);
  const LiteralSearch search(SearchForms(kTokyoSjis.data(), kTokyoSjis.size()), false);
  const std::string pieces[] = {kTokyoSjis,
                                kTokyoUtf8,
                                "\x93\x8c",
                                "\xe6\x9d",
                                "ab",
                                "\n",
                                std::string(300, 'x'),
                                std::string(5000, 'y')};
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int count = static_cast<int>(rng() % 12);
    for (int i = 0; i < count; ++i) text += pieces[rng() % (round % 2 == 0 ? 8 : 6)];
    const char* end = text.data() + text.size();
    for (const char* from = text.data(); from <= end; from += 1 + rng() % 64) {
      const size_t a = std::string(from, end).find(kTokyoSjis);
      const size_t b = std::string(from, end).find(kTokyoUtf8);
      const size_t first = std::min(a, b);
      const char* expected = first == std::string::npos ? nullptr : from + first;
      ASSERT_EQ(search.Next(from, end), expected) << round;
    }
  }
}

}  // namespace
