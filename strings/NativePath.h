// A path as the platform's file calls take it, so paths up to the system's long-path limit work.
#pragma once

#include <cstdio>
#include <string>

/// Converts a path given in the system's 8-bit code page (the ANSI code page on Windows) to
/// the form the platform's file calls take. On Windows that is the absolute wide path behind
/// "\\?\" ("\\?\UNC\" for a share), which passes the 260-character limit of plain paths up to
/// the system's limit of 32,767 characters; elsewhere the path as it is.
class NativePath {
 public:
#ifdef _WIN32
  using Char = wchar_t;
#else
  using Char = char;
#endif
  using String = std::basic_string<Char>;

  /// The platform form of path; empty for a null or empty path, or one that does not convert.
  static String Of(const char* path);

  /// fopen of the file at path with mode ("rb", "wb"...); null when it cannot be opened or the
  /// path does not convert (errno then ENOENT).
  static std::FILE* Open(const char* path, const char* mode);
};
