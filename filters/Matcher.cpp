// Matcher::Make: the one place that turns a search text and its options into a matcher.
#include "filters/Matcher.h"

#include "filters/LiteralFormsMatcher.h"
#include "filters/LiteralMatcher.h"
#include "filters/RegexMatcher.h"
#include "filters/SearchForms.h"
#include "text/Limits.h"

namespace filters {

std::unique_ptr<Matcher> Matcher::Make(const char* search, size_t size, const MatchOptions& options,
                                       MatchError* error) {
  MatchError refusal;
  if (search == nullptr || size == 0) {
    refusal.kind = MatchError::Kind::kEmpty;
  } else if (size > static_cast<size_t>(limits::kSearchBytes)) {
    refusal.kind = MatchError::Kind::kTooLong;
  }
  if (error != nullptr) *error = refusal;
  if (refusal.kind != MatchError::Kind::kNone) return nullptr;
  if (options.regex) return RegexMatcher::Make(search, size, options.ignoreCase, error);
  // An exact search whose bytes are the same in both encodings (ASCII), or by bytes, needs one
  // form only: the plain literal search.
  if (!options.ignoreCase && (options.bytes || SearchForms(search, size).Same())) {
    return std::make_unique<LiteralMatcher>(search, size, options.bytes);
  }
  return std::make_unique<LiteralFormsMatcher>(search, size, options.ignoreCase, options.bytes);
}

}  // namespace filters
