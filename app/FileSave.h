// Writing a text's bytes to a file so that a failed write changes nothing.
#pragma once

#include <cstddef>
#include <string>

/// Saves bytes exactly as they are (no code page or line-end conversion).
class FileSave {
 public:
  /// Writes size bytes to a temporary file beside path (path + kTempSuffix), then puts it in
  /// path's place, replacing a file already there. True when path holds exactly the bytes.
  /// False for a null or empty path, a folder that does not exist or cannot be written, a
  /// path that is a folder, or a failed write: then path is as it was and no temporary file
  /// is left behind. Paths are passed to the C library as they are (on Windows: the ANSI
  /// code page).
  static bool Write(const char* path, const char* bytes, std::size_t size);

  static constexpr char kTempSuffix[] = ".linsift-save";
};
