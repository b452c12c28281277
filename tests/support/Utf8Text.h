// Writing code points as UTF-8, for tests that build texts character by character.
#pragma once

#include <string>

#include "text/Utf8.h"

namespace testsupport {

/// The UTF-8 bytes of the code point cp (below 0x110000; surrogates are written as they are).
inline std::string Utf8Of(char32_t cp) {
  std::string s;
  text::AppendUtf8(s, cp);
  return s;
}

}  // namespace testsupport
