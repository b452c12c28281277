#include "filters/Matcher.h"

#include "filters/LiteralMatcher.h"
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
  return std::make_unique<LiteralMatcher>(search, size, options.bytes);
}

}  // namespace filters
