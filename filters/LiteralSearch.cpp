// Literal search in both forms: the project's byte search for exact forms, a scan for the first
// and last byte's cases for folded ones.
#include "filters/LiteralSearch.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "filters/CaseFold.h"
#include "text/ShiftJis.h"
#include "text/Utf8.h"

namespace {

const unsigned char* Bytes(const char* p) { return reinterpret_cast<const unsigned char*>(p); }

// The size of the character at p in the literal's own encoding.
size_t CharSize(LineEncoding encoding, const unsigned char* p, const unsigned char* end) {
  if (encoding == LineEncoding::kShiftJis) {
    return text::IsShiftJisLead(*p) && end - p >= 2 && text::IsShiftJisTrail(p[1]) ? 2 : 1;
  }
  const int size = text::Utf8LeadOf(*p).size;
  return size <= 0 ? 1 : std::min(static_cast<size_t>(size), static_cast<size_t>(end - p));
}

}  // namespace

LiteralSearch::LiteralSearch(const SearchForms& literal, bool ignoreCase, bool givenBytesOnly)
    : ignoreCase_(ignoreCase), shared_(givenBytesOnly || literal.Same()) {
  Prepare(shiftJis_, literal.In(LineEncoding::kShiftJis), LineEncoding::kShiftJis);
  if (!shared_) Prepare(utf8_, literal.In(LineEncoding::kUtf8), LineEncoding::kUtf8);
}

void LiteralSearch::Prepare(Form& form, const std::string* bytes, LineEncoding encoding) {
  if (bytes == nullptr || bytes->empty()) return;
  form.present = true;
  form.bytes = *bytes;
  form.other = *bytes;
  if (ignoreCase_) {
    const auto* begin = Bytes(form.bytes.data());
    const auto* end = begin + form.bytes.size();
    for (const unsigned char* p = begin; p < end;) {
      unsigned char other[3];
      const size_t at = static_cast<size_t>(p - begin);
      size_t size = CaseFold::OtherCaseBytes(encoding, p, end, other);
      if (size != 0) {
        form.other.replace(at, size, reinterpret_cast<const char*>(other), size);
        form.runs.push_back({at, at + size, true});
      } else {
        size = CharSize(encoding, p, end);
        if (!form.runs.empty() && !form.runs.back().letter) {
          form.runs.back().end = at + size;
        } else {
          form.runs.push_back({at, at + size, false});
        }
      }
      p += size;
    }
  }
  form.needle = bytesearch::Prepare(form.bytes.data(), form.bytes.size());
}

size_t LiteralSearch::Size(LineEncoding encoding) const {
  const Form& form = FormFor(encoding);
  return form.present ? form.bytes.size() : 0;
}

const char* LiteralSearch::Find(LineEncoding encoding, const char* from, const char* end) const {
  return FindForm(FormFor(encoding), from, end);
}

const char* LiteralSearch::FindForm(const Form& form, const char* from, const char* end) const {
  if (!form.present || end - from < static_cast<ptrdiff_t>(form.bytes.size())) return nullptr;
  if (Exact(form)) {
    return bytesearch::Find(from, static_cast<size_t>(end - from), form.needle);
  }
  return FindFolded(form, from, end);
}

const char* LiteralSearch::Next(const char* from, const char* end) const {
  if (shared_ || !utf8_.present) return FindForm(shiftJis_, from, end);
  if (Exact(shiftJis_) && Exact(utf8_)) {
    return bytesearch::FindEither(from, static_cast<size_t>(end - from), shiftJis_.needle,
                                  utf8_.needle);
  }
  // Folded forms: each over windows growing from 256 bytes.
  const size_t longest = std::max(shiftJis_.bytes.size(), utf8_.bytes.size());
  size_t window = 256;
  for (const char* low = from; low < end; low += window, window *= 2) {
    // Occurrences that start in [low, low + window): the run searched reaches a form further.
    const size_t left = static_cast<size_t>(end - low);
    const char* high = low + std::min(left, window + longest - 1);
    const char* limit = low + std::min(left, window);
    const char* first = FindForm(shiftJis_, low, high);
    if (first != nullptr && first >= limit) first = nullptr;
    // The second form only matters where it starts in front of the first.
    const char* secondHigh =
        first != nullptr ? std::min(high, first + utf8_.bytes.size() - 1) : high;
    const char* second = FindForm(utf8_, low, secondHigh);
    if (second != nullptr && second >= limit) second = nullptr;
    if (first != nullptr || second != nullptr) {
      return first == nullptr ? second : second == nullptr ? first : std::min(first, second);
    }
    if (left <= window) break;
  }
  return nullptr;
}

bool LiteralSearch::FoldedAt(const Form& form, const char* p) const {
  for (const Form::Run& run : form.runs) {
    const size_t size = run.end - run.begin;
    if (std::memcmp(p + run.begin, form.bytes.data() + run.begin, size) == 0) continue;
    if (!run.letter || std::memcmp(p + run.begin, form.other.data() + run.begin, size) != 0) {
      return false;
    }
  }
  return true;
}

// Candidates are the places whose first and last byte are one of the two cases' bytes there;
// each is confirmed run by run. O(bytes x literal size) at worst, the literal being short.
const char* LiteralSearch::FindFolded(const Form& form, const char* from, const char* end) const {
  const size_t m = form.bytes.size();
  const char* last = end - m;  // the last place an occurrence can start
  const unsigned char f0 = Bytes(form.bytes.data())[0], f1 = Bytes(form.other.data())[0];
  const unsigned char l0 = Bytes(form.bytes.data())[m - 1], l1 = Bytes(form.other.data())[m - 1];
  const char* p = from;
#if defined(__SSE2__)
  const __m128i vf0 = _mm_set1_epi8(static_cast<char>(f0)),
                vf1 = _mm_set1_epi8(static_cast<char>(f1));
  const __m128i vl0 = _mm_set1_epi8(static_cast<char>(l0)),
                vl1 = _mm_set1_epi8(static_cast<char>(l1));
  while (last - p >= 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + m - 1));
    const __m128i hit = _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi8(a, vf0), _mm_cmpeq_epi8(a, vf1)),
                                      _mm_or_si128(_mm_cmpeq_epi8(b, vl0), _mm_cmpeq_epi8(b, vl1)));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
    while (mask != 0) {
      const int bit = __builtin_ctz(mask);
      if (FoldedAt(form, p + bit)) return p + bit;
      mask &= mask - 1;
    }
    p += 16;
  }
#endif
  for (; p <= last; ++p) {
    const unsigned char a = Bytes(p)[0], b = Bytes(p)[m - 1];
    if ((a == f0 || a == f1) && (b == l0 || b == l1) && FoldedAt(form, p)) return p;
  }
  return nullptr;
}
