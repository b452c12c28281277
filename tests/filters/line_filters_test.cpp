// The line filters on the cases that catch real faults: line breaks, empty lines, the search
// text's limits, matching on character boundaries and by bytes, and texts beyond the list's
// line limit.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ReferenceFilters.h"
#include "filters/CharacterBoundaries.h"
#include "support/FilterCalls.h"

namespace {

// Status texts written out as bytes: 全 = 91 53, 行 = 8D 73, 件 = 8C 8F.
std::string Lines(const char* n) { return std::string("\x91\x53") + n + "\x8D\x73"; }
std::string Matches(const char* n) { return std::string("\x91\x53") + n + "\x8C\x8F"; }

using FilterFn = ShownResult (*)(const char*, const char*, size_t);

struct Case {
  const char* name;
  FilterFn filter;
  std::string search;
  std::string pane;
  std::string expectedPane;
  std::string expectedStatus;
};

ShownResult Apply(FilterFn filter, const std::string& search, const std::string& pane) {
  return filter(search.c_str(), pane.data(), pane.size());
}

void CheckCases(const Case* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.name);
    const ShownResult result = Apply(c.filter, c.search, c.pane);
    EXPECT_EQ(PaneOf(result), c.expectedPane);
    ASSERT_TRUE(result.status.has_value());
    EXPECT_EQ(*result.status, c.expectedStatus);
    EXPECT_FALSE(result.message.has_value());
  }
}

const std::string kFruit = "apple\r\nbanana\r\n";

TEST(Extract, KeepsTheLinesThatContainTheSearchText) {
  const Case cases[] = {
      {"an in apple/banana", Extract, "an", kFruit, "banana\r\n", Lines("1")},
      {"nowhere empties the pane", Extract, "zz", kFruit, "", Lines("0")},
      {"bare LF and no final break", Extract, "a", "xa\nya", "xa\r\nya\r\n", Lines("2")},
      {"lone CR stays inside its line", Extract, "b", "a\rb\n", "a\rb\r\n", Lines("1")},
      {"CR CR LF keeps one CR", Extract, "a", "a\r\r\nb", "a\r\r\n", Lines("1")},
      {"a CR of a CR LF break is not content", Extract, "a\r", "a\r\nb", "", Lines("0")},
      {"a lone CR is content", Extract, "a\r", "a\r\r\nb", "a\r\r\n", Lines("1")},
      {"a search text with LF matches nothing", Extract, "a\nb", "a\nb\r\n", "", Lines("0")},
      {"empty lines never match", Extract, "a", "\r\n\r\na\r\n\r\n", "a\r\n", Lines("1")},
      {"the second occurrence in a line counts once", Extract, "abc", "abcabc", "abcabc\r\n",
       Lines("1")},
  };
  CheckCases(cases, sizeof cases / sizeof cases[0]);
}

TEST(Delete, KeepsTheNonEmptyLinesWithoutTheSearchText) {
  const Case cases[] = {
      {"an in apple/banana", Delete, "an", kFruit, "apple\r\n", Lines("1")},
      {"nowhere keeps every non-empty line", Delete, "zz", kFruit, kFruit, Lines("2")},
      {"empty lines go", Delete, "a", "a1\r\n\r\nb\r\n", "b\r\n", Lines("1")},
      {"bare LF lines come back with CR LF", Delete, "z", "a\nb\n\nc", "a\r\nb\r\nc\r\n",
       Lines("3")},
      {"a line whose only candidate ends on the break's CR stays", Delete, "a\r", "a\r\nb\r\n",
       "a\r\nb\r\n", Lines("2")},
      {"every line matches", Delete, "a", "a\r\naa\r\n", "", Lines("0")},
  };
  CheckCases(cases, sizeof cases / sizeof cases[0]);
}

TEST(DeleteUpTo, CutsEachLineUpToTheFirstOccurrence) {
  const Case cases[] = {
      {"key=value", DeleteUpTo, "=", "key=value\r\n=v\r\nnone\r\n\r\n", "=value\r\n=v\r\nnone\r\n",
       Lines("3")},
      {"only in front of the first occurrence", DeleteUpTo, "abc", "xxabcabc", "abcabc\r\n",
       Lines("1")},
      {"a line that starts with it stays", DeleteUpTo, "ab", "abab\n", "abab\r\n", Lines("1")},
      {"the whole line when it ends with it", DeleteUpTo, "z", "xyz\r\n", "z\r\n", Lines("1")},
      {"CR CR LF line is cut and keeps its CR", DeleteUpTo, "b", "ab\r\r\n", "b\r\r\n", Lines("1")},
      {"an occurrence across the break's CR does not cut", DeleteUpTo, "b\r", "ab\r\nc",
       "ab\r\nc\r\n", Lines("2")},
  };
  CheckCases(cases, sizeof cases / sizeof cases[0]);
}

// Each trap is one line after a line "-", searched in both modes; first is the offset of the
// line's first occurrence that counts, -1 for none. The four filters' results follow from it.
TEST(Filters, MatchOnlyOnCharacterBoundariesUnlessAskedForBytes) {
  struct {
    const char* trap;
    std::string search;
    std::string line;
    int characters;  // first with Matching::kCharacters
    int bytes;       // first with Matching::kBytes
  } const cases[] = {
      {"5C is the trail byte of 表 (95 5C)", "\x5C", "\x95\x5C\x8E\xA6", -1, 1},
      {"5C is the trail byte of ソ (83 5C)", "\x5C", "\x83\x5C\x83\x74\x83\x67", -1, 1},
      {"5C is the trail byte of 能 (94 5C)", "\x5C", "\x8B\x40\x94\x5C", -1, 3},
      {"5C is the trail byte of 十 (8F 5C)", "\x5C", "\x8F\x5C", -1, 1},
      {"5C is the trail byte of 予 (97 5C)", "\x5C", "\x97\x5C\x92\xE8", -1, 1},
      {"表示ソフトの不具合 holds no ¥", "\x5C",
       "\x95\x5C\x8E\xA6\x83\x5C\x83\x74\x83\x67\x82\xCC\x95\x73\x8B\xEF\x8D\x87", -1, 1},
      {"6F is the trail byte of 出 in 抽出", "o", "\x92\x8A\x8F\x6F", -1, 3},
      {"trail byte 40 in 機", "@", "\x8B\x40", -1, 1},
      {"trail byte 41 in ア", "A", "\x83\x41", -1, 1},
      {"trail byte 7E in ×", "~", "\x81\x7E", -1, 1},
      {"half-width B1 as a trail byte", "\xB1", "\x81\xB1", -1, 1},
      {"a whole two-byte character counts", "\x95\x5C", "a\x95\x5C", 1, 1},
      {"the first half of a character", "\x95", "\x95\x5C", -1, 0},
      {"starts on a boundary, ends inside a character", "a\x95", "a\x95\x5C", -1, 0},
      {"a rejected occurrence hides one that counts", "\x5C", "\x95\x5C\x5C", 2, 1},
      {"overlapping occurrences, the second counts", "\x5C\x5C", "\x95\x5C\x5C\x5C", 2, 1},
      {"out of step with 表表", "\x5C\x95", "\x95\x5C\x95\x5C", -1, 1},
      {"half-width ｱ is one byte: the 5C behind it counts", "\x5C", "\xB1\x5C", 1, 1},
      {"half-width ｱｲ", "\xB2", "\xB1\xB2", 1, 1},
      {"half-width ｱ before 表", "\x5C", "\xB1\x95\x5C", -1, 2},
      {"a lead byte before 7F is one byte", "\x7F", "\x95\x7F", 1, 1},
      {"a lead byte at the line's end is one byte", "\x95", "a\x95", 1, 1},
      {"UTF-8: ASCII behind あ (E3 81 82) counts", "a",
       "\xE3\x81\x82"
       "a",
       3, 3},
      {"UTF-8: a continuation byte of 表 starts nothing", "\xA8", "\xE8\xA1\xA8", -1, 2},
      {"UTF-8: ends inside 表", "\xE8\xA1", "\xE8\xA1\xA8", -1, 0},
      {"UTF-8: 表 in Shift_JIS finds its UTF-8 form, not its own bytes", "\x95\x5C",
       "a\xE8\xA1\xA8", 1, -1},
      {"UTF-8: UTF-8 bytes are not a Shift_JIS search text's form", "\xE8\xA1\xA8",
       "a\xE8\xA1\xA8", -1, 1},
      {"an overlong form is not UTF-8", "a",
       "\xE0\x80\x81"
       "a",
       -1, 3},
      {"a surrogate is not UTF-8", "a",
       "\xED\xA0\x81"
       "a",
       -1, 3},
      {"past U+10FFFF is not UTF-8", "a",
       "\xF4\x90\x80\x81"
       "a",
       -1, 4},
      {"a sequence cut short at the line's end is not UTF-8", "a",
       "\xE3\x81\x82"
       "a\xE3\x81",
       -1, 3},
      {"UTF-8 with one stray byte is read as Shift_JIS", "a",
       "\xE3\x81\x82"
       "a\xFF",
       -1, 3},
      {"ASCII", "ab", "xab", 1, 1},
  };
  const std::string head = "-\r\n";
  for (const auto& c : cases) {
    for (Matching matching : {Matching::kCharacters, Matching::kBytes}) {
      const bool bytes = matching == Matching::kBytes;
      SCOPED_TRACE(std::string(c.trap) + (bytes ? ", bytes" : ", characters"));
      const int first = bytes ? c.bytes : c.characters;
      const std::string pane = head + c.line + "\r\n";
      const auto run = [&](ShownResult (*filter)(const char*, const char*, size_t, Matching)) {
        return filter(c.search.c_str(), pane.data(), pane.size(), matching);
      };
      const std::string line = c.line + "\r\n";

      const ShownResult extract = run(Extract);
      EXPECT_EQ(PaneOf(extract), first >= 0 ? line : "");
      EXPECT_EQ(extract.status, Lines(first >= 0 ? "1" : "0"));
      const ShownResult remove = run(Delete);
      EXPECT_EQ(PaneOf(remove), head + (first >= 0 ? "" : line));
      const ShownResult upTo = run(DeleteUpTo);
      EXPECT_EQ(PaneOf(upTo), head + line.substr(first >= 0 ? static_cast<size_t>(first) : 0));
      const ShownResult count = run(CountMatches);
      EXPECT_EQ(count.status, Lines("3"));
      EXPECT_EQ(count.message, Matches(first >= 0 ? "1" : "0"));
    }
  }
}

// A search text that cannot occur in UTF-8 has its lines read as Shift_JIS without a check,
// so a wrong "cannot" would read a UTF-8 line as Shift_JIS.
TEST(CharacterBoundaries, TellWhatCanOccurInUtf8AndWhatIsUtf8) {
  struct {
    std::string bytes;
    bool can;    // could be cut out of a UTF-8 text
    bool whole;  // is a UTF-8 text
  } const cases[] = {
      {"", true, true},
      {"abc", true, true},
      {"\xE8\xA1\xA8", true, true},   // 表
      {"\xA1\xA8", true, false},      // the end of 表 (E8 A1 A8)
      {"\xE8\xA1", true, false},      // its start
      {"\x80\x80\x80", true, false},  // the end of a four-byte character
      {"\xA8"
       "a\xE8",
       true, false},
      {"\x80\x80\x80\x80", false, false},  // four continuation bytes
      {"\x95\x5C\x8E\xA6", false, false},  // 表示 in Shift_JIS
      {"\xE3\x81"
       "a",
       false, false},              // a sequence cut short inside the text
      {"\xC0\xAF", false, false},  // overlong
      {"\xE0\x80", false, false},  // overlong
      {"\xED\xA0", false, false},  // a surrogate
      {"\xF4\x90", false, false},  // past U+10FFFF
      {"\xFF", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    EXPECT_EQ(CharacterBoundaries::CanOccurInUtf8(c.bytes.data(), c.bytes.size()), c.can);
    EXPECT_EQ(CharacterBoundaries::IsUtf8(c.bytes.data(), c.bytes.size()), c.whole);
  }
}

TEST(Filters, RefuseAnEmptySearchTextWithoutAnyEffect) {
  for (FilterFn filter :
       {FilterFn(Extract), FilterFn(Delete), FilterFn(DeleteUpTo), FilterFn(CountMatches)}) {
    const ShownResult result = Apply(filter, "", kFruit);
    EXPECT_EQ(result.pane, nullptr);
    EXPECT_FALSE(result.status.has_value());
    EXPECT_FALSE(result.message.has_value());
    const ShownResult nullSearch = filter(nullptr, kFruit.data(), kFruit.size());
    EXPECT_FALSE(nullSearch.status.has_value());
  }
}

TEST(Filters, AnEmptyPaneGivesTheEmptyStatusAndLeavesThePane) {
  for (FilterFn filter : {FilterFn(Extract), FilterFn(Delete), FilterFn(DeleteUpTo)}) {
    for (const std::string& pane : {std::string(), std::string("\0abc", 4)}) {
      const ShownResult result = Apply(filter, "a", pane);
      EXPECT_EQ(result.pane, nullptr);
      ASSERT_TRUE(result.status.has_value());
      EXPECT_EQ(*result.status, "");
    }
  }
}

TEST(Filters, ReadThePaneUpToItsFirstNul) {
  const std::string pane("a1\r\nb\0a2\r\n", 10);
  EXPECT_EQ(PaneOf(Apply(Extract, "a", pane)), "a1\r\n");
  EXPECT_EQ(PaneOf(Apply(Delete, "a", pane)), "b\r\n");
  B2String1 held(pane.data(), static_cast<int>(pane.size()));
  EXPECT_EQ(PaneOf(Extract("a", held)), "a1\r\n");
}

TEST(Filters, RefuseASearchTextOfMoreThan255BytesInsteadOfCuttingIt) {
  const std::string text255(255, 'a');
  const std::string pane = text255 + "b\r\n" + text255.substr(1) + "b\r\n";
  EXPECT_EQ(PaneOf(Apply(Extract, text255, pane)), pane.substr(0, 258));
  for (FilterFn filter : {FilterFn(Extract), FilterFn(Delete), FilterFn(DeleteUpTo)}) {
    for (const std::string& longer : {text255 + "b", std::string(300, 'a')}) {
      const ShownResult result = Apply(filter, longer, pane);
      EXPECT_EQ(PaneOf(result), "<none>");
      EXPECT_FALSE(result.status.has_value());
    }
  }
}

TEST(CountMatches, CountsEveryLineAndTheMatchingOnes) {
  struct {
    const char* name;
    std::string search;
    std::string pane;
    std::string status;
    std::string message;
  } const cases[] = {
      {"an in apple/banana: the empty last line counts", "an", kFruit, Lines("3"), Matches("1")},
      {"a line with two occurrences counts once", "abc", "abcabc\nx", Lines("2"), Matches("1")},
      {"no line break", "a", "aaa", Lines("1"), Matches("1")},
      {"empty pane: one line", "a", "", Lines("1"), Matches("0")},
      {"text after a NUL is not read", "b", std::string("a\n\0b\nb", 6), Lines("2"), Matches("0")},
      {"255 bytes are counted", std::string(255, 'a'), std::string(255, 'a') + "\n\n", Lines("3"),
       Matches("1")},
      {"bare LF and CR LF count alike", "x", "x\r\nx\n\rx\r", Lines("3"), Matches("3")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ShownResult result = Apply(CountMatches, c.search, c.pane);
    EXPECT_EQ(result.pane, nullptr);
    EXPECT_EQ(result.status.value_or("<none>"), c.status);
    EXPECT_EQ(result.message.value_or("<none>"), c.message);
    EXPECT_EQ(result.caption, c.search);
  }
}

TEST(CountMatches, RefusesASearchTextOfMoreThan255Bytes) {
  for (size_t size : {256u, 300u}) {
    const ShownResult result = Apply(CountMatches, std::string(size, 'a'), std::string(400, 'a'));
    EXPECT_FALSE(result.status.has_value());
    EXPECT_FALSE(result.message.has_value());
  }
}

TEST(SplitLines, CutsAtLfAfterCrLfBecameLf) {
  struct {
    const char* text;
    std::vector<std::string> lines;
  } const cases[] = {
      {"a\r\nb", {"a", "b"}},     {"a\r\nb\r\n", {"a", "b", ""}},
      {"\n", {"", ""}},           {"a\r\r\nb", {"a\r", "b"}},
      {"a\rb", {"a\rb"}},         {"a\n\nb", {"a", "", "b"}},
      {"\r\n\r\n", {"", "", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::unique_ptr<B2StringVector> lines = filters::SplitLines(c.text);
    ASSERT_NE(lines, nullptr);
    ASSERT_EQ(lines->Count(), static_cast<int>(c.lines.size()));
    for (int i = 0; i < lines->Count(); ++i) {
      const B2String1* line = lines->Get(i);
      EXPECT_EQ(std::string(line->Data(), static_cast<size_t>(line->Length())),
                c.lines[static_cast<size_t>(i)]);
    }
  }
  EXPECT_EQ(filters::SplitLines(""), nullptr);
  EXPECT_EQ(filters::SplitLines(nullptr), nullptr);
}

TEST(Filters, TreatEveryLineOfATextBeyondTheListLimit) {
  // 4,500,000 one-byte lines, 'a' and 'b' in turn: more than a line list holds (4,194,305).
  const std::string text = Repeated("a\nb\n", 2250000);

  ShownResult extract = Apply(Extract, "a", text);
  EXPECT_EQ(extract.status, Lines("2250000"));
  EXPECT_TRUE(PaneOf(extract) == Repeated("a\r\n", 2250000));

  ShownResult remove = Apply(Delete, "a", text);
  EXPECT_EQ(remove.status, Lines("2250000"));
  EXPECT_TRUE(PaneOf(remove) == Repeated("b\r\n", 2250000));

  ShownResult upTo = Apply(DeleteUpTo, "b", text);
  EXPECT_EQ(upTo.status, Lines("4500000"));
  EXPECT_TRUE(PaneOf(upTo) == Repeated("a\r\nb\r\n", 2250000));

  ShownResult count = Apply(CountMatches, "b", text);
  EXPECT_EQ(count.status, Lines("4500001"));
  EXPECT_EQ(count.message, Matches("2250000"));
}

// What appending every one of lines copies of line, each followed by CR LF, gives: the first
// exact lines are taken whole (they stay below the limit), the rest go through B2String1's own
// appends one by one, refusals and clipping included.
std::unique_ptr<B2String1> AppendedLines(const std::string& line, size_t lines, size_t exact) {
  const std::string prefix = Repeated(line + "\r\n", exact);
  auto out = std::make_unique<B2String1>(prefix.data(), static_cast<int>(prefix.size()));
  out->Reserve(B2String1::kMaxLength);  // past 20,000,000 every growth would copy it all
  for (size_t i = exact; i < lines; ++i) {
    out->Append(line.data(), static_cast<int>(line.size()));
    out->Append("\r\n");
  }
  return out;
}

bool SamePane(const ShownResult& result, const B2String1& expected) {
  return result.pane != nullptr && result.pane->Equals(&expected);
}

TEST(Filters, RefuseEveryAppendOnceTheOutputHolds39999999Bytes) {
  // Lines of 37 bytes ended by LF grow to 39 bytes each. After 1,025,641 of them the output
  // holds 39,999,999 bytes, where every later append is refused; the counter still counts
  // every line.
  const std::string line(37, 'a');
  const std::string text = Repeated(line + "\n", 1052631);
  const std::unique_ptr<B2String1> expected = AppendedLines(line, 1052631, 1025600);
  ASSERT_EQ(expected->Length(), 39999999);

  const ShownResult remove = Apply(Delete, "b", text);
  EXPECT_EQ(remove.status, Lines("1052631"));
  EXPECT_TRUE(SamePane(remove, *expected));
  EXPECT_TRUE(remove.cut);

  const ShownResult upTo = Apply(DeleteUpTo, "a", text);  // every line starts with it
  EXPECT_EQ(upTo.status, Lines("1052631"));
  EXPECT_TRUE(SamePane(upTo, *expected));
  EXPECT_TRUE(upTo.cut);
  EXPECT_FALSE(Apply(Delete, "b", Repeated(line + "\n", 1025641)).cut);  // 39,999,999: whole
}

TEST(Filters, RefuseALineThatStartsAt39999999BytesEvenWhenItWouldFit) {
  // The same lines ended by CR LF come out unchanged and fill exactly 39,999,999 bytes; the
  // last line 'z' (40,000,000 bytes in all) would fit, but an append at that length is refused.
  const std::string line(37, 'a');
  const std::string text = Repeated(line + "\r\n", 1025641) + "z";
  std::unique_ptr<B2String1> expected = AppendedLines(line, 1025641, 1025600);
  EXPECT_FALSE(expected->Append("z"));
  ASSERT_EQ(expected->Length(), 39999999);

  const ShownResult remove = Apply(Delete, "b", text);
  EXPECT_EQ(remove.status, Lines("1025642"));
  EXPECT_TRUE(SamePane(remove, *expected));
  EXPECT_TRUE(remove.cut);  // the refused 'z' is missing
}

TEST(Filters, CutTheLineThatCrossesTheLimitAsTheAppendDoes) {
  // Lines of 97 bytes grow to 99: line 404,041 starts at 39,999,960 and keeps 40 bytes.
  const std::string line = "x" + std::string(95, 'c') + "d";
  const std::string text = Repeated(line + "\n", 408163);
  const std::unique_ptr<B2String1> expected = AppendedLines(line, 408163, 404000);
  ASSERT_EQ(expected->Length(), 40000000);

  const ShownResult extract = Apply(Extract, "cd", text);
  EXPECT_EQ(extract.status, Lines("408163"));
  EXPECT_TRUE(SamePane(extract, *expected));
  EXPECT_TRUE(extract.cut);
}

TEST(Filters, ReadAtMost40MillionBytesOfThePane) {
  std::string pane(40000000, 'a');
  pane += "\nb\n";  // beyond what a string holds
  const ShownResult count = Apply(CountMatches, "b", pane);
  EXPECT_EQ(count.status, Lines("1"));
  EXPECT_EQ(count.message, Matches("0"));
}

}  // namespace
