// Filling the window's status texts: the one place numbers are written for the user.
#pragma once

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>

namespace StatusText {

/// format with each "%s" replaced, in order, by the next of args (a "%s" without one stays).
inline std::string Fill(const char* format, std::initializer_list<std::string> args) {
  std::string out;
  auto arg = args.begin();
  for (const char* p = format; *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] == 's' && arg != args.end()) {
      out += *arg++;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

/// n in decimal with a comma every three digits: 40,000,000.
inline std::string Grouped(std::int64_t n) {
  char digits[32];
  const int length = std::snprintf(digits, sizeof digits, "%" PRId64, n);
  std::string out;
  for (int i = 0; i < length; ++i) {
    out += digits[i];
    const int left = length - 1 - i;
    if (left > 0 && left % 3 == 0 && digits[i] != '-') out += ',';
  }
  return out;
}

}  // namespace StatusText
