// Bytes made readable in a failure message.
#pragma once

#include <string>

namespace testsupport {

/// The bytes with printable ASCII kept (backslash aside) and every other byte written \xHH.
inline std::string Escaped(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

}  // namespace testsupport
