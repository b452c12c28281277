// The four line filters and SplitLines: pure functions of a matcher and a text.
#pragma once

#include <cstddef>
#include <memory>

#include "filters/FilterResult.h"
#include "filters/Matcher.h"
#include "strings/B2StringVector.h"

// A line is what is left between line breaks once every CR LF pair has become LF: the bytes
// in front of the first LF, between two LFs, or after the last LF. A text with k LF bytes has
// k + 1 lines; a lone CR is an ordinary byte. Every line a filter writes ends with CR LF (a
// CR LF break of the input is copied, so unchanged lines stay one contiguous copy).
//
// The text is read up to its first NUL byte and at most its first 40,000,000 bytes (what a
// B2String1 holds). Whether and where a line matches is the matcher's answer
// (filters/Matcher.h); each filter applies its rule (filters/LineRules.h) to every line. Each
// filter scans the text once and has no limit on the number of lines; a matcher that gives up
// on a line makes the filter give up as a whole (gaveUp, nothing else).

namespace filters {

/// The lines of the NUL-terminated text, in order, in a new list owned by the caller; null
/// when text is null or empty. The list keeps at most 4,194,305 lines (the list's limit).
std::unique_ptr<B2StringVector> SplitLines(const char* text);

/// Keeps the lines that hold a match. Gives the new text and the number of lines written; for
/// an empty text only emptyText.
FilterResult Extract(const Matcher& matcher, const char* text, size_t size);

/// Keeps the non-empty lines that hold no match. Results as Extract.
FilterResult Delete(const Matcher& matcher, const char* text, size_t size);

/// Cuts from every line the bytes in front of its first match and drops the empty lines; lines
/// without one stay whole. Results as Extract; the count is of the non-empty lines written.
FilterResult DeleteUpTo(const Matcher& matcher, const char* text, size_t size);

/// Counts the lines (every line, the empty one after a final line break included; an empty
/// text has one) and the lines that hold a match; never a text.
FilterResult CountMatches(const Matcher& matcher, const char* text, size_t size);

}  // namespace filters
