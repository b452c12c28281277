// The filters called with a search text, as the window calls them, and their results as the
// window shows them: tests state texts and statuses, not matchers and counts.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "filters/ConvertLines.h"
#include "filters/LineFilters.h"
#include "filters/ShownTexts.h"
#include "strings/B2String.h"

/// A result as the window shows it: the new pane text, the status, the count box.
struct ShownResult {
  std::unique_ptr<B2String1> pane;
  bool cut = false;
  bool gaveUp = false;
  std::optional<std::string> status;
  std::optional<std::string> message;
  std::string caption;
};

/// Which occurrences count: filters::MatchOptions::bytes, as a name.
enum class Matching { kCharacters, kBytes };

inline ShownResult Shown(filters::FilterResult result, const std::string& caption = "") {
  ShownResult shown;
  shown.status = filters::ShownTexts::Status(result);
  shown.message = filters::ShownTexts::Message(result);
  if (shown.message) shown.caption = caption;
  shown.pane = std::move(result.pane);
  shown.cut = result.cut;
  shown.gaveUp = result.gaveUp;
  return shown;
}

/// The matcher for a NUL-terminated search text; null when it is refused (empty, too long).
inline std::unique_ptr<filters::Matcher> MatcherFor(const char* search,
                                                    Matching matching = Matching::kCharacters) {
  filters::MatchOptions options;
  options.bytes = matching == Matching::kBytes;
  return filters::Matcher::Make(search, search == nullptr ? 0 : std::strlen(search), options);
}

using FilterCore = filters::FilterResult (*)(const filters::Matcher&, const char*, size_t);

/// A filter on (search text, pane text): nothing at all when the search text is refused.
inline ShownResult CallFilter(FilterCore core, const char* search, const char* pane, size_t size,
                              Matching matching = Matching::kCharacters) {
  const std::unique_ptr<filters::Matcher> matcher = MatcherFor(search, matching);
  if (matcher == nullptr) return ShownResult();
  return Shown(core(*matcher, pane, size), search);
}

// Three forms each: (search, pane, size), the same with a Matching, and (search, string).
#define LINSIFT_FILTER_CALLS(Name)                                                                \
  inline ShownResult Name(const char* search, const char* pane, size_t size, Matching matching) { \
    return CallFilter(filters::Name, search, pane, size, matching);                               \
  }                                                                                               \
  inline ShownResult Name(const char* search, const char* pane, size_t size) {                    \
    return CallFilter(filters::Name, search, pane, size);                                         \
  }                                                                                               \
  inline ShownResult Name(const char* search, const B2String& text,                               \
                          Matching matching = Matching::kCharacters) {                            \
    return CallFilter(filters::Name, search, text.Data(), static_cast<size_t>(text.Length()),     \
                      matching);                                                                  \
  }
LINSIFT_FILTER_CALLS(Extract)
LINSIFT_FILTER_CALLS(Delete)
LINSIFT_FILTER_CALLS(DeleteUpTo)
LINSIFT_FILTER_CALLS(CountMatches)
#undef LINSIFT_FILTER_CALLS

inline ShownResult ConvertLines(NkfConvertFn convert, const char* pane, size_t size) {
  return Shown(filters::ConvertLines(convert, pane, size));
}
inline ShownResult ConvertLines(NkfConvertFn convert, const B2String& text) {
  return Shown(filters::ConvertLines(convert, text));
}

/// The first match in the one line [begin, end), or null.
inline const char* FirstMatchInLine(const char* search, const char* begin, const char* end,
                                    Matching matching = Matching::kCharacters) {
  const std::unique_ptr<filters::Matcher> matcher = MatcherFor(search, matching);
  if (matcher == nullptr || begin == nullptr) return nullptr;
  return matcher->FirstIn(begin, end).begin;
}
