// The line filters: one pass over the text, the matcher's candidates mapped to lines, passing
// lines appended straight from the input. Only a candidate line is asked whether it matches.
#include "filters/LineFilters.h"

#include <algorithm>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "filters/LineRules.h"
#include "filters/LiteralMatcher.h"
#include "filters/OutputText.h"
#include "filters/TextLine.h"
#include "strings/B2String1.h"

namespace filters {
namespace {

constexpr char kCrLf[] = "\r\n";

// Writes a passing line: its bytes from `from`, then CR LF. A CR LF break already in the input
// is taken from there, so unchanged lines stay contiguous and merge into one copy.
void PutLine(OutputText& out, const char* from, const TextLine& line) {
  out.PutStable(from, static_cast<size_t>(line.end - from));
  out.PutStable(line.breakSize == 2 ? line.end : kCrLf, 2);
}

// Room for the output of a filter that drops empty lines: a non-empty line of k bytes and its
// break (at least one byte) grows by at most one byte; the last line, by two.
size_t FilterRoom(size_t textSize) { return textSize + textSize / 2 + 2; }

FilterResult GaveUp() {
  FilterResult result;
  result.gaveUp = true;
  return result;
}

// The loops below are templates over the matcher's type: they run with the literal matcher's
// own type too, so that its calls are direct and inline, which counts on texts of short lines.

// The first match of the line holding the candidate c (null: none from here on). hint is
// passed only when c lies in this line.
template <typename M>
LineMatch FirstMatch(const M& matcher, const TextLine& line, const char* c) {
  if (c == nullptr || (!line.IsLast() && c >= line.Next())) return {};
  return matcher.Find(line.begin, line.end, line.begin, c);
}

// Extract and CountMatches visit only the candidate lines: the text between them is skipped by
// the matcher's search. visit(line, match) is called for each line that holds a match; false
// when the matcher gave up.
template <typename M, typename Visit>
bool ForEachMatchingLine(const M& matcher, const char* text, const char* end, Visit visit) {
  const char* p = text;
  for (;;) {
    const char* c = matcher.NextCandidate(p, end);
    if (c == nullptr) return true;
    const TextLine line = TextLine::At(TextLine::StartOf(p, c), end);
    const LineMatch first = matcher.Find(line.begin, line.end, line.begin, c);
    if (first.gaveUp) return false;
    if (first) visit(line, first);
    if (line.IsLast()) return true;
    p = line.Next();
  }
}

template <typename M>
FilterResult RunExtract(const M& matcher, const char* text, const char* end) {
  OutputText out(FilterRoom(static_cast<size_t>(end - text)));
  std::int64_t written = 0;
  const bool done = ForEachMatchingLine(matcher, text, end, [&](const TextLine& line, LineMatch) {
    PutLine(out, line.begin, line);
    ++written;
  });
  return done ? out.Result(written) : GaveUp();
}

// Delete and DeleteUpTo write most lines, so they walk every line, keeping the next candidate
// at hand and asking for another only once a line has used it.
template <typename M>
FilterResult RunEveryLine(Rule rule, const M& matcher, const char* text, const char* end) {
  OutputText out(FilterRoom(static_cast<size_t>(end - text)));
  std::int64_t written = 0;
  const char* p = text;
  const char* c = matcher.NextCandidate(p, end);
  for (;;) {
    const TextLine line = TextLine::At(p, end);
    const LineMatch first = FirstMatch(matcher, line, c);
    if (first.gaveUp) return GaveUp();
    if (const char* from = KeptFrom(rule, line, first)) {
      PutLine(out, from, line);
      ++written;
    }
    if (line.IsLast()) break;
    p = line.Next();
    if (c != nullptr && c < p) c = matcher.NextCandidate(p, end);
  }
  return out.Result(written);
}

template <typename M>
FilterResult RunFilterWith(Rule rule, const M& matcher, const char* text, const char* end) {
  if (rule == Rule::kExtract) return RunExtract(matcher, text, end);
  return RunEveryLine(rule, matcher, text, end);
}

FilterResult RunFilter(Rule rule, const Matcher& matcher, const char* text, size_t size) {
  size = TextLine::PaneSize(text, size);
  if (size == 0) {
    FilterResult result;
    result.emptyText = true;
    return result;
  }
  if (const auto* literal = dynamic_cast<const LiteralMatcher*>(&matcher)) {
    return RunFilterWith(rule, *literal, text, text + size);
  }
  return RunFilterWith(rule, matcher, text, text + size);
}

// LF bytes in [p, end). Sixteen bytes at a time where SSE2 is there (every x86-64): the
// compare masks are summed per byte lane for up to 255 blocks, then added up with SAD.
size_t CountLineFeeds(const char* p, const char* end) {
  size_t count = 0;
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n');
  while (end - p >= 16) {
    const size_t blocks = std::min<size_t>(static_cast<size_t>(end - p) / 16, 255);
    __m128i lanes = _mm_setzero_si128();
    for (size_t i = 0; i < blocks; ++i, p += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(bytes, lf));  // each hit adds 1 to its lane
    }
    const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
    count += static_cast<size_t>(_mm_cvtsi128_si32(sums)) +
             static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
  }
#endif
  while (p < end) {
    const void* found = std::memchr(p, '\n', static_cast<size_t>(end - p));
    if (found == nullptr) break;
    ++count;
    p = static_cast<const char*>(found) + 1;
  }
  return count;
}

}  // namespace

std::unique_ptr<B2StringVector> SplitLines(const char* text) {
  if (text == nullptr || text[0] == '\0') return nullptr;
  B2String1 copy(text);
  copy.ReplaceAll("\r\n", "\n");
  return std::unique_ptr<B2StringVector>(copy.Split("\n"));
}

FilterResult Extract(const Matcher& matcher, const char* text, size_t size) {
  return RunFilter(Rule::kExtract, matcher, text, size);
}

FilterResult Delete(const Matcher& matcher, const char* text, size_t size) {
  return RunFilter(Rule::kDelete, matcher, text, size);
}

FilterResult DeleteUpTo(const Matcher& matcher, const char* text, size_t size) {
  return RunFilter(Rule::kDeleteUpTo, matcher, text, size);
}

FilterResult CountMatches(const Matcher& matcher, const char* text, size_t size) {
  size = TextLine::PaneSize(text, size);
  const char* end = text + size;
  std::int64_t matches = 0;
  const auto count = [&](const TextLine&, LineMatch) { ++matches; };
  const auto* literal = dynamic_cast<const LiteralMatcher*>(&matcher);
  if (size > 0 && !(literal != nullptr ? ForEachMatchingLine(*literal, text, end, count)
                                       : ForEachMatchingLine(matcher, text, end, count))) {
    return GaveUp();
  }
  FilterResult result;
  result.lines = size == 0 ? 1 : static_cast<std::int64_t>(CountLineFeeds(text, end)) + 1;
  result.matches = matches;
  return result;
}

}  // namespace filters
