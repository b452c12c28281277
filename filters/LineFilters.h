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
// a B2String1 holds). Matching compares exact bytes, without case folding, and by default
// counts only occurrences that start and end on character boundaries of their line, so a
// search never matches half of a two-byte character: "\x5C" (¥) is not found in 表 (95 5C),
// nor "o" in 出 (8F 6F). A line that is valid UTF-8 is read as UTF-8, every other line as
// Shift_JIS (filters/CharacterBoundaries.h has the rule, invalid bytes included). After an
// occurrence that does not count, a later one in the same line still can.
//
// Each filter scans the text once; it has no limit on the number of lines. Boundaries are
// worked out only in lines with an occurrence, reading each of their bytes at most a few times
// however many occurrences a line holds.

/// Which occurrences of the search text count.
enum class Matching {
  kCharacters,  ///< those on character boundaries of their line (the window's rule)
  kBytes,       ///< every byte-for-byte occurrence, inside characters too
};

/// The lines of the NUL-terminated text, in order, in a new list owned by the caller; null
/// when text is null or empty. The list keeps at most 4,194,305 lines (the list's limit).
std::unique_ptr<B2StringVector> SplitLines(const char* text);

/// Keeps the lines that contain the search text (its first 255 bytes). Gives the new pane
/// text and the status "全<n>行" with the number of lines written. Gives nothing at all for an
/// empty search text; for an empty pane text only the empty status "".
FilterResult Extract(const char* searchText, const char* pane, size_t paneSize, Matching matching);
/// The forms below without a Matching take Matching::kCharacters; the B2String forms take the
/// pane text up to its first NUL.
FilterResult Extract(const char* searchText, const char* pane, size_t paneSize);
FilterResult Extract(const char* searchText, const B2String& paneText,
                     Matching matching = Matching::kCharacters);

/// Keeps the non-empty lines that do not contain the search text (its first 255 bytes).
/// Results as Extract.
FilterResult Delete(const char* searchText, const char* pane, size_t paneSize, Matching matching);
FilterResult Delete(const char* searchText, const char* pane, size_t paneSize);
FilterResult Delete(const char* searchText, const B2String& paneText,
                    Matching matching = Matching::kCharacters);

/// Cuts from every line the bytes in front of the first occurrence of the search text (its
/// first 255 bytes) that counts, and drops the empty lines; lines without one stay whole.
/// Results as Extract; the status counts the non-empty lines.
FilterResult DeleteUpTo(const char* searchText, const char* pane, size_t paneSize,
                        Matching matching);
FilterResult DeleteUpTo(const char* searchText, const char* pane, size_t paneSize);
FilterResult DeleteUpTo(const char* searchText, const B2String& paneText,
                        Matching matching = Matching::kCharacters);

/// Counts the lines and the lines that contain the search text. Gives the status "全<n>行"
/// (every line, the empty one after a final line break included; an empty pane has one line)
/// and the message "全<m>件" with the search text as caption; never a pane text. Gives nothing
/// when the search text is empty or longer than 255 bytes.
FilterResult CountMatches(const char* searchText, const char* pane, size_t paneSize,
                          Matching matching);
FilterResult CountMatches(const char* searchText, const char* pane, size_t paneSize);
FilterResult CountMatches(const char* searchText, const B2String& paneText,
                          Matching matching = Matching::kCharacters);

/// The first occurrence of the search text (its first 255 bytes) in the one line
/// [begin, end) that counts under matching, or null (also for an empty search text). The line
/// holds no LF and no CR of a CR LF break. What the filters decide for each line; for callers
/// that treat a line on its own.
const char* FirstMatchInLine(const char* searchText, const char* begin, const char* end,
                             Matching matching);
