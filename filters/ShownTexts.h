// The texts the filters show in the status bar and the count box, as Shift_JIS bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "filters/FilterResult.h"

namespace filters {

/// Every text a filter shows, kept in one place, and the one place counts become text. The
/// bytes are Shift_JIS (code page 932); the readable text stands beside each one.
class ShownTexts {
 public:
  /// "全%d行": a number of lines (status bar).
  static constexpr const char* kLinesFormat = "\x91\x53%d\x8D\x73";
  /// "全%d件": a number of matching lines (count box).
  static constexpr const char* kMatchesFormat = "\x91\x53%d\x8C\x8F";

  /// "全<n>行" with n in plain decimal, as wsprintfA formats it (any size).
  static std::string Lines(std::int64_t n) { return Format(kLinesFormat, n); }
  /// "全<n>件" with n in plain decimal.
  static std::string Matches(std::int64_t n) { return Format(kMatchesFormat, n); }

  /// The status a result shows: "" for an empty input text, "全<lines>行" when it counted
  /// lines, none when the status stays as it was.
  static std::optional<std::string> Status(const FilterResult& result) {
    if (result.emptyText) return std::string();
    if (!result.lines) return std::nullopt;
    return Lines(*result.lines);
  }
  /// The count box's text "全<matches>件", or none when the result shows no box.
  static std::optional<std::string> Message(const FilterResult& result) {
    if (!result.matches) return std::nullopt;
    return Matches(*result.matches);
  }

 private:
  // The format with its one %d replaced by n.
  static std::string Format(const char* format, std::int64_t n) {
    const std::string text(format);
    const size_t at = text.find("%d");
    return text.substr(0, at) + std::to_string(n) + text.substr(at + 2);
  }
};

}  // namespace filters
