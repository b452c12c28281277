// Whether and where a line matches a search: the one place that decides matching, whatever
// kind of search it is. The filters, linsift-cli and the window's marks all ask a Matcher.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace filters {

/// How a search text is matched.
struct MatchOptions {
  /// Every byte-for-byte occurrence counts, inside characters too (linsift-cli --bytes);
  /// otherwise only occurrences that start and end on character boundaries of their line.
  bool bytes = false;
};

/// Why no matcher was built.
struct MatchError {
  enum class Kind {
    kNone,
    kEmpty,    ///< the search text is empty
    kTooLong,  ///< the search text passes limits::kSearchBytes
  };
  Kind kind = Kind::kNone;
};

/// One match inside one line's content: [begin, end), possibly empty (begin == end).
/// begin is null when there is none.
struct LineMatch {
  const char* begin = nullptr;
  const char* end = nullptr;
  /// The search of this line was abandoned (a kind of search with a work limit reached it);
  /// begin is null. A filter that meets it gives up as a whole and changes nothing.
  bool gaveUp = false;
  explicit operator bool() const { return begin != nullptr; }
};

/// A search built once from the search text and its options. Immutable after construction,
/// so one matcher may serve several threads at once.
///
/// A line's content never holds an LF, nor the CR of a CR LF break (filters/TextLine.h); no
/// match ever spans a line break.
class Matcher {
 public:
  virtual ~Matcher() = default;

  /// Builds the matcher for search (size bytes, NUL allowed only where the kind allows).
  /// Null, with error telling why, for an empty search text or one over
  /// limits::kSearchBytes bytes; a refusal is never a cut.
  static std::unique_ptr<Matcher> Make(const char* search, size_t size, const MatchOptions& options,
                                       MatchError* error = nullptr);

  /// Where to look next in the text [from, end), from a line's start: a place p in
  /// [from, end) such that no line that ends in front of the line holding p holds a match,
  /// or null when no line from from's line on holds one. The whole-text filters skip to p's
  /// line; a candidate line need not match. O(bytes skipped) with the project's byte search.
  virtual const char* NextCandidate(const char* from, const char* end) const = 0;

  /// The first match in the line [begin, end) that starts at or after from
  /// (begin <= from <= end), or none. hint: a NextCandidate answer that lies in this line,
  /// got with a from no later than begin, or null; it spares finding it again.
  virtual LineMatch Find(const char* begin, const char* end, const char* from,
                         const char* hint = nullptr) const = 0;

  /// The first match in the line [begin, end), or none.
  LineMatch FirstIn(const char* begin, const char* end, const char* hint = nullptr) const {
    return Find(begin, end, begin, hint);
  }
};

}  // namespace filters
