// Every filter and ConvertLines against the plain reference, on random texts made of the bytes
// that matter: line breaks, lone CRs, Shift_JIS lead and trail bytes, '%' escapes, NUL.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "ReferenceFilters.h"
#include "support/EscapedBytes.h"
#include "support/FilterCalls.h"

namespace {

using reference::Filter;

// "\x95\x5C" is 表, whose trail byte is '\'; 0x81 leads many double-byte characters.
const char kTextBytes[] = {'a',    'b', 'a', '\r', '\n', '\n', '\x81', '\x5C',
                           '\x95', '%', '4', '1',  'F',  ' ',  '\0'};
const char kSearchBytes[] = {'a', 'b', '\r', '\n', '\x5C', '\x95', '\x81', '%'};

using testsupport::Escaped;

// Pieces for the matching rule: Shift_JIS characters whose trail byte is ASCII (表 ソ 出), a
// half-width ｱ, lone lead bytes, 7F (never a trail byte), an overlong form and a surrogate in
// three bytes, and whole UTF-8 characters (あ 表 ｱ) next to their bytes alone. Texts take either
// every piece or only ASCII and whole UTF-8 characters, so that both kinds of line are common.
const char* const kUtf8Pieces[] = {
    "a", "o", "\\", "\n", "\r\n", "\xE3\x81\x82", "\xE8\xA1\xA8", "\xEF\xBD\xB1"};
const char* const kShiftJisPieces[] = {
    "\x95\x5C", "\x83\x5C", "\x8F\x6F", "\xB1", "\x81",     "\x95",         "\xE3",
    "\x82",     "\xA8",     "@",        "\x7F", "\x81\x40", "\xE0\x80\x81", "\xED\xA0\x81"};
const char* const kMatchSearches[] = {"a",    "o",    "\\",   "@",    "\x5C\x95", "\x95", "\x81",
                                      "\x82", "\xA8", "\xB1", "\xE3", "\x8F",     "\r"};

class RandomTexts {
 public:
  explicit RandomTexts(unsigned seed) : rng_(seed) {}

  std::string Text() {
    std::string text;
    const int size = Below(48);
    for (int i = 0; i < size; ++i) {
      if (Below(40) == 0) {
        text.append(static_cast<size_t>(Below(300)), 'a');  // long runs for long search texts
      } else {
        text += kTextBytes[Below(sizeof kTextBytes)];
      }
    }
    return text;
  }

  std::string Search() {
    if (Below(12) == 0) return std::string(static_cast<size_t>(250 + Below(12)), 'a');
    if (Below(30) == 0) return std::string();
    std::string search;
    const int size = 1 + Below(3);
    for (int i = 0; i < size; ++i) search += kSearchBytes[Below(sizeof kSearchBytes)];
    return search;
  }

  // A text for the matching rule: lines of a few pieces, now and then a long run of 'a'.
  std::string MatchText() {
    const size_t utf8 = sizeof kUtf8Pieces / sizeof kUtf8Pieces[0];
    const size_t all = utf8 + sizeof kShiftJisPieces / sizeof kShiftJisPieces[0];
    const size_t choices = Below(2) == 0 ? utf8 : all;
    std::string text;
    const int size = Below(40);
    for (int i = 0; i < size; ++i) {
      const size_t k = static_cast<size_t>(Below(choices));
      if (Below(60) == 0) text.append(static_cast<size_t>(Below(300)), 'a');
      text += k < utf8 ? kUtf8Pieces[k] : kShiftJisPieces[k - utf8];
    }
    return text;
  }

  // One to three pieces of search text, or now and then a text as Search gives.
  std::string MatchSearch() {
    if (Below(3) == 0) return Search();
    std::string search;
    const int size = 1 + Below(3);
    for (int i = 0; i < size; ++i) {
      search += kMatchSearches[Below(sizeof kMatchSearches / sizeof kMatchSearches[0])];
    }
    return search;
  }

  int Below(size_t n) { return static_cast<int>(rng_() % n); }

 private:
  std::mt19937 rng_;
};

ShownResult RunCore(Filter filter, const std::string& search, const std::string& pane,
                    Matching matching) {
  switch (filter) {
    case Filter::kExtract:
      return Extract(search.c_str(), pane.data(), pane.size(), matching);
    case Filter::kDelete:
      return Delete(search.c_str(), pane.data(), pane.size(), matching);
    case Filter::kDeleteUpTo:
      return DeleteUpTo(search.c_str(), pane.data(), pane.size(), matching);
    case Filter::kCountMatches:
      return CountMatches(search.c_str(), pane.data(), pane.size(), matching);
  }
  return ShownResult();
}

void ExpectSame(const ShownResult& expected, const ShownResult& actual) {
  EXPECT_EQ(Escaped(PaneOf(expected)), Escaped(PaneOf(actual)));
  EXPECT_EQ(expected.status.has_value(), actual.status.has_value());
  EXPECT_EQ(Escaped(expected.status.value_or("")), Escaped(actual.status.value_or("")));
  EXPECT_EQ(expected.message.has_value(), actual.message.has_value());
  EXPECT_EQ(Escaped(expected.message.value_or("")), Escaped(actual.message.value_or("")));
  EXPECT_EQ(Escaped(expected.caption), Escaped(actual.caption));
  EXPECT_EQ(expected.cut, actual.cut);
}

// Stand-in converters: one tags and upper-cases lines of two bytes or more, one fills the
// whole 2 * n + 1 bytes.
void NKF32_CALL TagConverter(char* out, const char* in) {
  const size_t n = std::strlen(in);
  if (n < 2) {  // "<x>" would not fit the 2 * 1 + 1 bytes given for one byte
    out[0] = n == 1 ? in[0] : '\0';
    out[n] = '\0';
    return;
  }
  out[0] = '<';
  for (size_t i = 0; i < n; ++i) {
    const char c = in[i];
    out[i + 1] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  out[n + 1] = '>';
  out[n + 2] = '\0';
}

void NKF32_CALL DoublingConverter(char* out, const char* in) {
  const size_t n = std::strlen(in);
  for (size_t i = 0; i < n; ++i) out[2 * i] = out[2 * i + 1] = in[i];
  out[2 * n] = '\0';
}

// Every filter in both matching modes on one pane and search text.
void ExpectAllSame(const std::string& search, const std::string& pane) {
  const Filter filters[] = {Filter::kExtract, Filter::kDelete, Filter::kDeleteUpTo,
                            Filter::kCountMatches};
  for (Matching matching : {Matching::kCharacters, Matching::kBytes}) {
    for (Filter filter : filters) {
      SCOPED_TRACE("filter " + std::to_string(static_cast<int>(filter)) +
                   (matching == Matching::kBytes ? " bytes" : " characters") + ", search '" +
                   Escaped(search) + "', pane '" + Escaped(pane) + "'");
      ExpectSame(reference::Run(filter, search, pane, matching),
                 RunCore(filter, search, pane, matching));
      if (testing::Test::HasFailure()) return;
    }
  }
}

TEST(ReferenceModel, FiltersMatchTheLineByLineReference) {
  RandomTexts random(20260101);
  for (int round = 0; round < 4000 && !HasFailure(); ++round) {
    const std::string pane = random.Text();
    ExpectAllSame(random.Search(), pane);
  }
}

TEST(ReferenceModel, FiltersMatchOnCharacterBoundariesAsTheReferenceDoes) {
  RandomTexts random(932);
  for (int round = 0; round < 6000 && !HasFailure(); ++round) {
    const std::string pane = random.MatchText();
    ExpectAllSame(random.MatchSearch(), pane);
  }
}

TEST(ReferenceModel, StringFormTakesThePaneUpToItsFirstNul) {
  RandomTexts random(7);
  for (int round = 0; round < 500; ++round) {
    const std::string pane = random.Text();
    const std::string search = random.Search();
    B2String1 held(pane.data(), static_cast<int>(pane.size()));
    SCOPED_TRACE("search '" + Escaped(search) + "', pane '" + Escaped(pane) + "'");
    ExpectSame(reference::Run(Filter::kExtract, search, pane), Extract(search.c_str(), held));
    ExpectSame(reference::Run(Filter::kDelete, search, pane), Delete(search.c_str(), held));
    ExpectSame(reference::Run(Filter::kDeleteUpTo, search, pane), DeleteUpTo(search.c_str(), held));
    ExpectSame(reference::Run(Filter::kCountMatches, search, pane),
               CountMatches(search.c_str(), held));
    if (testing::Test::HasFailure()) return;
  }
}

TEST(ReferenceModel, ConvertLinesMatchesTheLineByLineReference) {
  RandomTexts random(424242);
  const NkfConvertFn converters[] = {nullptr, TagConverter, DoublingConverter};
  for (int round = 0; round < 3000; ++round) {
    const std::string pane = random.Text();
    for (NkfConvertFn convert : converters) {
      SCOPED_TRACE("pane '" + Escaped(pane) + "'");
      ExpectSame(reference::Convert(convert, pane),
                 ConvertLines(convert, pane.data(), pane.size()));
      if (testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace
