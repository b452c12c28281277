// Every filter and ConvertLines against the plain reference, on random texts made of the bytes
// that matter: line breaks, lone CRs, Shift_JIS lead and trail bytes, '%' escapes, NUL.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "ReferenceFilters.h"
#include "filters/ConvertLines.h"
#include "filters/LineFilters.h"
#include "support/EscapedBytes.h"

namespace {

using reference::Filter;

// "\x95\x5C" is 表, whose trail byte is '\'; 0x81 leads many double-byte characters.
const char kTextBytes[] = {'a',    'b', 'a', '\r', '\n', '\n', '\x81', '\x5C',
                           '\x95', '%', '4', '1',  'F',  ' ',  '\0'};
const char kSearchBytes[] = {'a', 'b', '\r', '\n', '\x5C', '\x95', '\x81', '%'};

using testsupport::Escaped;

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

  int Below(size_t n) { return static_cast<int>(rng_() % n); }

 private:
  std::mt19937 rng_;
};

FilterResult RunCore(Filter filter, const std::string& search, const std::string& pane) {
  switch (filter) {
    case Filter::kExtract:
      return Extract(search.c_str(), pane.data(), pane.size());
    case Filter::kDelete:
      return Delete(search.c_str(), pane.data(), pane.size());
    case Filter::kDeleteUpTo:
      return DeleteUpTo(search.c_str(), pane.data(), pane.size());
    case Filter::kCountMatches:
      return CountMatches(search.c_str(), pane.data(), pane.size());
  }
  return FilterResult();
}

void ExpectSame(const FilterResult& expected, const FilterResult& actual) {
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

TEST(ReferenceModel, FiltersMatchTheLineByLineReference) {
  RandomTexts random(20260101);
  const Filter filters[] = {Filter::kExtract, Filter::kDelete, Filter::kDeleteUpTo,
                            Filter::kCountMatches};
  for (int round = 0; round < 4000; ++round) {
    const std::string pane = random.Text();
    const std::string search = random.Search();
    for (Filter filter : filters) {
      SCOPED_TRACE("filter " + std::to_string(static_cast<int>(filter)) + ", search '" +
                   Escaped(search) + "', pane '" + Escaped(pane) + "'");
      ExpectSame(reference::Run(filter, search, pane), RunCore(filter, search, pane));
      if (testing::Test::HasFailure()) return;
    }
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
