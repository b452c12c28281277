// The four line filters and SplitLines: pure functions of the search text and the pane text.
#pragma once

#include <cstddef>
#include <memory>

#include "filters/FilterResult.h"
#include "strings/B2String.h"
#include "strings/B2StringVector.h"

// A line is what is left between line breaks once every CR LF pair has become LF: the bytes
// in front of the first LF, between two LFs, or after the last LF. A text with k LF bytes has
// k + 1 lines; a lone CR is an ordinary byte. Every line a filter writes ends with CR LF.
//
// The pane text is read up to its first NUL byte and at most its first 40,000,000 bytes (what
// a B2String1 holds). Matching is exact bytes: no case folding, no character boundaries.
//
// Each filter scans the text once; it has no limit on the number of lines.

/// The lines of the NUL-terminated text, in order, in a new list owned by the caller; null
/// when text is null or empty. The list keeps at most 4,194,305 lines (the list's limit).
std::unique_ptr<B2StringVector> SplitLines(const char* text);

/// Keeps the lines that contain the search text (its first 255 bytes). Gives the new pane
/// text and the status "全<n>行" with the number of lines written. Gives nothing at all for an
/// empty search text; for an empty pane text only the empty status "".
FilterResult Extract(const char* searchText, const B2String& paneText);
/// As above, with the pane text as a byte run (cut at its first NUL).
FilterResult Extract(const char* searchText, const char* pane, size_t paneSize);

/// Keeps the non-empty lines that do not contain the search text (its first 255 bytes).
/// Results as Extract.
FilterResult Delete(const char* searchText, const B2String& paneText);
FilterResult Delete(const char* searchText, const char* pane, size_t paneSize);

/// Cuts from every line the bytes in front of the first occurrence of the search text (its
/// first 255 bytes) and drops the empty lines; lines without it stay whole. Results as Extract;
/// the status counts the non-empty lines.
FilterResult DeleteUpTo(const char* searchText, const B2String& paneText);
FilterResult DeleteUpTo(const char* searchText, const char* pane, size_t paneSize);

/// Counts the lines and the lines that contain the search text. Gives the status "全<n>行"
/// (every line, the empty one after a final line break included; an empty pane has one line)
/// and the message "全<m>件" with the search text as caption; never a pane text. Gives nothing
/// when the search text is empty or longer than 255 bytes.
FilterResult CountMatches(const char* searchText, const B2String& paneText);
FilterResult CountMatches(const char* searchText, const char* pane, size_t paneSize);
