// Writing bytes to a file so that a failed write changes nothing: the one file writer, behind
// B2String1::SaveFile and the window's save.
#pragma once

#include <cstddef>

/// Saves bytes exactly as they are (no code page or line-end conversion). Paths are in the
/// system's 8-bit code page (on Windows: the ANSI code page) and may be as long as the system
/// allows (NativePath).
class FileSave {
 public:
  enum class Outcome {
    kSaved,     ///< the target holds exactly the bytes
    kReadOnly,  ///< the target is a read-only file: refused, nothing written
    kFailed,    ///< nothing could be saved: the target is as it was
  };

  /// Writes size bytes to a temporary file with a fresh name in the target's folder (never an
  /// existing file's), then renames it into the target's place. The target is path, or, when
  /// path is a symbolic link, the file it finally points to: the link stays a link. A file
  /// replaced keeps its attributes (POSIX: its permission bits, and its owner where allowed;
  /// Windows: hidden, system, archive and the like).
  /// kReadOnly for a read-only target file. kFailed for a null or empty path, null bytes with
  /// a size, a folder that does not exist or cannot be written, a path that is a folder, a link
  /// that cannot be followed, or a failed write (a full disk); then no temporary file is left.
  static Outcome Write(const char* path, const char* bytes, std::size_t size);

  /// The temporary files' names: kTempPrefix, the process id, a counter, kTempSuffix.
  static constexpr char kTempPrefix[] = ".linsift-";
  static constexpr char kTempSuffix[] = ".save";
};
