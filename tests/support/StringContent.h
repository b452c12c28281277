// Between byte strings and std::string, which the tests compare and print.
#pragma once

#include <string>

#include "strings/B2String.h"
#include "strings/B2String1.h"

namespace testsupport {

/// The Length() bytes at Data().
inline std::string Content(const B2String& s) {
  return std::string(s.Data(), static_cast<size_t>(s.Length()));
}

/// As above; "<null>" for a null string.
inline std::string Content(const B2String* s) { return s ? Content(*s) : "<null>"; }

/// A B2String1 holding the bytes of s, NULs included.
inline B2String1 Bytes(const std::string& s) {
  return B2String1(s.data(), static_cast<int>(s.size()));
}

}  // namespace testsupport
