// The texts the filters show in the status bar and the count box, as Shift_JIS bytes.
#pragma once

#include <cstdio>
#include <string>

/// Every text a filter shows, kept in one place. The bytes are Shift_JIS (code page 932);
/// the readable text stands beside each one.
class ShownTexts {
 public:
  /// "全%d行": a number of lines (status bar).
  static constexpr const char* kLinesFormat = "\x91\x53%d\x8D\x73";
  /// "全%d件": a number of matching lines (count box).
  static constexpr const char* kMatchesFormat = "\x91\x53%d\x8C\x8F";

  /// "全<n>行" with n in plain decimal, as wsprintfA formats it.
  static std::string Lines(int n) { return Format(kLinesFormat, n); }
  /// "全<n>件" with n in plain decimal.
  static std::string Matches(int n) { return Format(kMatchesFormat, n); }

 private:
  static std::string Format(const char* format, int n) {
    char text[32];
    int length = std::snprintf(text, sizeof text, format, n);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
  }
};
