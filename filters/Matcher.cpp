// Matcher::Make: the one place that turns a search text and its options into a matcher.
#include "filters/Matcher.h"

#include "filters/LiteralFormsMatcher.h"
#include "filters/RegexMatcher.h"
#include "text/Limits.h"

namespace filters {

std::unique_ptr<Matcher> Matcher::Make(const char* search, size_t size, const MatchOptions& options,
                                       MatchError* error) {
  MatchError refusal;
  if (size == 0) refusal.kind = MatchError::Kind::kEmpty;
  if (size > static_cast<size_t>(limits::kSearchBytes)) refusal.kind = MatchError::Kind::kTooLong;
  if (refusal.kind != MatchError::Kind::kNone) {
    if (error != nullptr) *error = refusal;
    return nullptr;
  }
  if (options.regex) return RegexMatcher::Make(search, size, options.ignoreCase, error);
  return std::make_unique<LiteralFormsMatcher>(search, size, options.ignoreCase, options.bytes);
}

}  // namespace filters
