// The line filters: one pass over the text, the search run once over the whole text and its
// hits mapped to lines, passing lines appended straight from the input. Only a line with a hit
// has its character boundaries looked at.
#include "filters/LineFilters.h"

#include <algorithm>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "filters/CharacterBoundaries.h"
#include "filters/OutputText.h"
#include "filters/ShownTexts.h"
#include "filters/TextLine.h"
#include "strings/B2String1.h"
#include "strings/ByteSearch.h"
#include "text/Limits.h"

namespace {

constexpr size_t kFilterSearchMax = limits::kSearchBytes;  // Extract, Delete, DeleteUpTo
// CountMatches reads one byte more and refuses a longer search text.
constexpr size_t kCountSearchRead = limits::kCountSearchCapacity - 1;
constexpr char kCrLf[] = "\r\n";

// Search text length as read from the box: up to its NUL, at most limit bytes. Reads no byte
// past the NUL, so a short text in a short buffer is fine.
size_t SearchSize(const char* searchText, size_t limit) {
  if (searchText == nullptr) return 0;
  size_t size = 0;
  while (size < limit && searchText[size] != '\0') ++size;
  return size;
}

// The search over a pane text. A search text holding an LF can occur in no line (lines hold no
// LF), so it finds nothing; every other occurrence lies inside one line's bytes.
class LineSearch {
 public:
  // search must outlive the LineSearch (the needle is not copied).
  LineSearch(const char* search, size_t size, Matching matching)
      : needle_(bytesearch::Prepare(search, std::memchr(search, '\n', size) == nullptr ? size : 0)),
        matching_(matching),
        shiftJisOnly_(!CharacterBoundaries::CanOccurInUtf8(search, size)) {}

  // First occurrence starting at or after from, or null. May end on the CR of a CR LF break;
  // FirstIn tells whether it belongs to a line's content.
  const char* Find(const char* from, const char* end) const {
    return bytesearch::Find(from, static_cast<size_t>(end - from), needle_);
  }

  // The line's first occurrence that counts, or null. hit is the first occurrence at or after
  // the line's start (or null); when it does not end inside the line's content, a later one
  // would end even further right: none counts. With kBytes hit itself counts, with
  // kCharacters the first one on character boundaries from hit on.
  const char* FirstIn(const TextLine& line, const char* hit) const {
    if (hit == nullptr || hit < line.begin) return nullptr;
    if (!line.IsLast() && hit >= line.Next()) return nullptr;
    if (line.IsLast() && hit >= line.end) return nullptr;
    if (hit + needle_.size > line.end) return nullptr;
    return matching_ == Matching::kBytes ? hit : FirstOnBoundaries(line, hit);
  }

 private:
  // The first occurrence at or after hit (one inside the line) that starts and ends on
  // character boundaries. A rejected one can hide a later one that counts, so the search
  // resumes in the line at the next boundary. A line that holds a search text which cannot
  // occur in UTF-8 is Shift_JIS.
  const char* FirstOnBoundaries(const TextLine& line, const char* hit) const {
    const size_t size = needle_.size;
    if (CharacterBoundaries::AfterAscii(line.begin, line.end, hit, hit + size)) return hit;
    CharacterBoundaries boundaries(line.begin, line.end, shiftJisOnly_);
    while (hit != nullptr && !boundaries.Holds(hit, hit + size)) {
      hit = Find(boundaries.Next(hit), line.end);
    }
    return hit;
  }

  bytesearch::Needle needle_;
  Matching matching_;
  bool shiftJisOnly_;
};

// Writes a passing line: its bytes, then CR LF. A CR LF break already in the input is taken from
// there, so unchanged lines stay contiguous and merge into one copy.
void PutLine(OutputText& out, const char* from, const TextLine& line) {
  out.PutStable(from, static_cast<size_t>(line.end - from));
  out.PutStable(line.breakSize == 2 ? line.end : kCrLf, 2);
}

// Room for the output of a filter that drops empty lines: a non-empty line of k bytes and its
// break (at least one byte) grows by at most one byte; the last line, by two.
size_t FilterRoom(size_t textSize) { return textSize + textSize / 2 + 2; }

FilterResult PaneResult(OutputText& out, int written) {
  FilterResult result;
  result.pane = out.Finish();
  result.cut = out.Cut();
  result.status = ShownTexts::Lines(written);
  return result;
}

FilterResult EmptyPaneResult() {
  FilterResult result;
  result.status = std::string();
  return result;
}

enum class Rule { kExtract, kDelete, kDeleteUpTo };

// Extract visits only the lines that hold an occurrence: the text between them is skipped by the
// search itself.
FilterResult RunExtract(const LineSearch& search, const char* text, const char* end) {
  OutputText out(FilterRoom(static_cast<size_t>(end - text)));
  int written = 0;
  const char* p = text;
  for (;;) {
    const char* hit = search.Find(p, end);
    if (hit == nullptr) break;
    const TextLine line = TextLine::At(TextLine::StartOf(p, hit), end);
    if (search.FirstIn(line, hit) != nullptr) {
      PutLine(out, line.begin, line);
      ++written;
    }
    if (line.IsLast()) break;
    p = line.Next();
  }
  return PaneResult(out, written);
}

// Delete and DeleteUpTo write most lines, so they walk every line, keeping the next occurrence
// at hand and searching again only once a line has used it.
FilterResult RunEveryLine(Rule rule, const LineSearch& search, const char* text, const char* end) {
  OutputText out(FilterRoom(static_cast<size_t>(end - text)));
  int written = 0;
  const char* p = text;
  const char* hit = search.Find(p, end);
  for (;;) {
    const TextLine line = TextLine::At(p, end);
    const char* first = search.FirstIn(line, hit);
    if (line.begin != line.end) {
      if (rule == Rule::kDeleteUpTo) {
        PutLine(out, first != nullptr ? first : line.begin, line);
        ++written;
      } else if (first == nullptr) {
        PutLine(out, line.begin, line);
        ++written;
      }
    }
    if (line.IsLast()) break;
    p = line.Next();
    if (hit != nullptr && hit < p) hit = search.Find(p, end);
  }
  return PaneResult(out, written);
}

FilterResult RunFilter(Rule rule, const char* searchText, const char* pane, size_t paneSize,
                       Matching matching) {
  const size_t searchSize = SearchSize(searchText, kFilterSearchMax);
  if (searchSize == 0) return FilterResult();
  const size_t size = TextLine::PaneSize(pane, paneSize);
  if (size == 0) return EmptyPaneResult();
  const LineSearch search(searchText, searchSize, matching);
  if (rule == Rule::kExtract) return RunExtract(search, pane, pane + size);
  return RunEveryLine(rule, search, pane, pane + size);
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

const char* FirstMatchInLine(const char* searchText, const char* begin, const char* end,
                             Matching matching) {
  const size_t searchSize = SearchSize(searchText, kFilterSearchMax);
  if (searchSize == 0 || begin == nullptr) return nullptr;
  const LineSearch search(searchText, searchSize, matching);
  return search.FirstIn(TextLine{begin, end, 0}, search.Find(begin, end));
}

FilterResult Extract(const char* searchText, const char* pane, size_t paneSize, Matching matching) {
  return RunFilter(Rule::kExtract, searchText, pane, paneSize, matching);
}
FilterResult Extract(const char* searchText, const char* pane, size_t paneSize) {
  return Extract(searchText, pane, paneSize, Matching::kCharacters);
}
FilterResult Extract(const char* searchText, const B2String& paneText, Matching matching) {
  return Extract(searchText, paneText.Data(), static_cast<size_t>(paneText.Length()), matching);
}

FilterResult Delete(const char* searchText, const char* pane, size_t paneSize, Matching matching) {
  return RunFilter(Rule::kDelete, searchText, pane, paneSize, matching);
}
FilterResult Delete(const char* searchText, const char* pane, size_t paneSize) {
  return Delete(searchText, pane, paneSize, Matching::kCharacters);
}
FilterResult Delete(const char* searchText, const B2String& paneText, Matching matching) {
  return Delete(searchText, paneText.Data(), static_cast<size_t>(paneText.Length()), matching);
}

FilterResult DeleteUpTo(const char* searchText, const char* pane, size_t paneSize,
                        Matching matching) {
  return RunFilter(Rule::kDeleteUpTo, searchText, pane, paneSize, matching);
}
FilterResult DeleteUpTo(const char* searchText, const char* pane, size_t paneSize) {
  return DeleteUpTo(searchText, pane, paneSize, Matching::kCharacters);
}
FilterResult DeleteUpTo(const char* searchText, const B2String& paneText, Matching matching) {
  return DeleteUpTo(searchText, paneText.Data(), static_cast<size_t>(paneText.Length()), matching);
}

FilterResult CountMatches(const char* searchText, const char* pane, size_t paneSize,
                          Matching matching) {
  const size_t searchSize = SearchSize(searchText, kCountSearchRead);
  if (searchSize == 0 || searchSize > kFilterSearchMax) return FilterResult();
  const size_t size = TextLine::PaneSize(pane, paneSize);
  const char* end = pane + size;
  const LineSearch search(searchText, searchSize, matching);
  int matches = 0;
  const char* p = pane;
  while (size > 0) {
    const char* hit = search.Find(p, end);
    if (hit == nullptr) break;
    const TextLine line = TextLine::At(TextLine::StartOf(p, hit), end);
    if (search.FirstIn(line, hit) != nullptr) ++matches;
    if (line.IsLast()) break;
    p = line.Next();
  }
  FilterResult result;
  result.status =
      ShownTexts::Lines(size == 0 ? 1 : static_cast<int>(CountLineFeeds(pane, end)) + 1);
  result.message = ShownTexts::Matches(matches);
  result.caption.assign(searchText, searchSize);
  return result;
}
FilterResult CountMatches(const char* searchText, const char* pane, size_t paneSize) {
  return CountMatches(searchText, pane, paneSize, Matching::kCharacters);
}
FilterResult CountMatches(const char* searchText, const B2String& paneText, Matching matching) {
  return CountMatches(searchText, paneText.Data(), static_cast<size_t>(paneText.Length()),
                      matching);
}
