// A regular expression as a Matcher: Oniguruma, compiled for Shift_JIS and for UTF-8 lines.
#pragma once

#include <cstddef>
#include <memory>

#include "filters/LiteralSearch.h"
#include "filters/Matcher.h"

namespace filters {

/// Matches an expression in Oniguruma's Ruby syntax inside each line, in the line's encoding
/// (filters/LineEncoding.h): the expression as given (Shift_JIS) on Shift_JIS lines, its UTF-8
/// form on UTF-8 lines; an expression that has no UTF-8 form (it holds bytes code page 932 does
/// not define) matches no UTF-8 line. ^ and $ are the line's start and end; '.' and classes take
/// whole characters. Case is folded by the program's rule (filters/CaseFold.h) with ignoreCase
/// and inside (?i).
///
/// The whole-text filters first look for the literal every match holds (RequiredLiteral) with
/// the project's byte search, and run the expression only on the lines that hold it.
///
/// A line's search is abandoned (LineMatch::gaveUp) once it has backtracked 20,000,000 times or
/// its backtracking stack passes 1,000,000 entries: about a second at most.
class RegexMatcher : public Matcher {
 public:
  /// The matcher of the expression [pattern, pattern + size) (1 to limits::kSearchBytes bytes),
  /// or null with error saying why it does not compile.
  static std::unique_ptr<Matcher> Make(const char* pattern, size_t size, bool ignoreCase,
                                       MatchError* error);
  ~RegexMatcher() override;

  const char* NextCandidate(const char* from, const char* end) const override;
  LineMatch Find(const char* begin, const char* end, const char* from,
                 const char* hint = nullptr) const override;

 private:
  struct Compiled;
  RegexMatcher(std::unique_ptr<Compiled> shiftJis, std::unique_ptr<Compiled> utf8,
               std::unique_ptr<LiteralSearch> literal);

  std::unique_ptr<Compiled> shiftJis_;
  std::unique_ptr<Compiled> utf8_;          // null when the expression has no UTF-8 form
  std::unique_ptr<LiteralSearch> literal_;  // null when no literal was found
};

}  // namespace filters
