// Fuzzes the matchers: random search texts, expressions among them (compiled or refused), over
// random texts in both encodings, with and without ignore-case. Checks the Matcher contract on
// every line, and, on Shift_JIS lines with case kept, that an expression matches exactly where
// Oniguruma alone over the line does, so the literal searched first never hides a match.
#include <oniguruma.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "filters/LineEncoding.h"
#include "filters/Matcher.h"
#include "filters/TextLine.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "matcher: %s\n", what);
  std::abort();
}

// The first match of the expression in the line by Oniguruma alone: its start and end, (-1, 0)
// for none, (-2, 0) when the search gave up or the expression does not compile.
std::pair<long, long> Plain(const std::string& pattern, const char* begin, const char* end) {
  const auto* p = reinterpret_cast<const OnigUChar*>(pattern.data());
  regex_t* regex = nullptr;
  OnigErrorInfo info;
  if (onig_new(&regex, p, p + pattern.size(), ONIG_OPTION_NONE, ONIG_ENCODING_SJIS,
               ONIG_SYNTAX_RUBY, &info) != ONIG_NORMAL) {
    return {-2, 0};
  }
  OnigRegion* region = onig_region_new();
  const auto* b = reinterpret_cast<const OnigUChar*>(begin);
  const auto* e = reinterpret_cast<const OnigUChar*>(end);
  const int r = onig_search(regex, b, e, b, e, region, ONIG_OPTION_NONE);
  std::pair<long, long> result = r >= 0 ? std::make_pair(long{r}, long{region->end[0]})
                                 : r == ONIG_MISMATCH ? std::make_pair(-1L, 0L)
                                                      : std::make_pair(-2L, 0L);
  onig_region_free(region, 1);
  onig_free(regex);
  return result;
}

}  // namespace

// Input: a selector byte (bit 0: expression, bit 1: ignore case, bit 2: bytes), the search
// text's length, the search text, then the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  filters::MatchOptions options;
  options.regex = (data[0] & 1) != 0;
  options.ignoreCase = (data[0] & 2) != 0;
  options.bytes = (data[0] & 4) != 0;
  const size_t searchSize = std::min<size_t>(data[1], size - 2);
  const std::string search(reinterpret_cast<const char*>(data) + 2, searchSize);
  const std::string text(reinterpret_cast<const char*>(data) + 2 + searchSize,
                         size - 2 - searchSize);
  filters::MatchError error;
  const auto matcher = filters::Matcher::Make(search.data(), search.size(), options, &error);
  if (matcher == nullptr) {
    if (error.kind == filters::MatchError::Kind::kNone) Fail("refused without a reason");
    if (error.kind == filters::MatchError::Kind::kBadExpression && !options.regex) {
      Fail("a literal refused as an expression");
    }
    return 0;
  }
  // (?i) folds by the program's rule, which Oniguruma's own Shift_JIS encoding does not.
  const bool optionGroup = search.find("(?") != std::string::npos;
  const char* end = text.data() + text.size();
  for (const char* start = text.data();;) {
    const TextLine line = TextLine::At(start, end);
    const filters::LineMatch first = matcher->FirstIn(line.begin, line.end);
    if (first) {
      if (first.begin < line.begin || first.end < first.begin || first.end > line.end) {
        Fail("match outside its line");
      }
      const char* candidate = matcher->NextCandidate(line.begin, end);
      if (candidate == nullptr || candidate > line.end) Fail("candidate passed a match");
      const filters::LineMatch next = matcher->Find(line.begin, line.end, first.end);
      if (next && (next.begin < first.end || next.end > line.end)) Fail("next match misplaced");
    }
    if (options.regex && !options.ignoreCase && !first.gaveUp && !optionGroup &&
        EncodingOf(line.begin, line.end) == LineEncoding::kShiftJis) {
      const std::pair<long, long> plain = Plain(search, line.begin, line.end);
      const std::pair<long, long> ours =
          first ? std::make_pair(long{first.begin - line.begin}, long{first.end - line.begin})
                : std::make_pair(-1L, 0L);
      if (plain.first != -2 && plain != ours) Fail("differs from Oniguruma alone");
    }
    if (line.IsLast()) break;
    start = line.Next();
  }
  return 0;
}
