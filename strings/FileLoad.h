// Reading a file as raw bytes: the one file reader, behind B2String1::LoadFile and the
// window's load, read to its end whatever size the file reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "strings/B2String1.h"

/// What one read of a file gave: the bytes kept and how they relate to the file, or why
/// nothing was read. Paths are in the system's 8-bit code page (on Windows: the ANSI code
/// page) and may be as long as the system allows (NativePath).
class FileLoad {
 public:
  enum class Outcome {
    kWhole,       ///< every byte of the file (at most 40,000,000, no NUL among them)
    kCut,         ///< the file passes 40,000,000 bytes: its whole lines within the first 40,000,000
    kEndedAtNul,  ///< the bytes in front of the file's first NUL (within its first 40,000,000)
    kMissing,     ///< no such file (nor folder) at the path
    kFolder,      ///< the path names a folder
    kUnreadable,  ///< it exists but cannot be opened or read
    kTooLarge,    ///< the file reports kRefusedSize bytes or more
  };

  /// Files that report this size or more are refused by both loads (2 GiB - 1 bytes and up).
  static constexpr std::int64_t kRefusedSize = 2147483647;
  /// The most bytes one load keeps (what a B2String1 holds).
  static constexpr int kMaxBytes = B2String1::kMaxLength;

  /// Reads the file at path for the window, to its end or to kMaxBytes bytes and one more,
  /// whatever its reported size (a file growing while it is read, a device reporting 0).
  /// kCut keeps the bytes up to and with the last LF within the first kMaxBytes, so no line is
  /// cut (only a first line longer than kMaxBytes is: then all kMaxBytes are kept). On kWhole,
  /// kCut and kEndedAtNul `text` holds the bytes kept (never a NUL among them; empty for an
  /// empty file) and `fileSize` how many bytes the file was seen to hold: the bytes read, or
  /// its size after the read when that is larger; -1 for a cut file whose size is not known
  /// (it reports less than was read). On the other outcomes `text` is null and fileSize 0 or
  /// the size reported. A null path is kMissing.
  static FileLoad Read(const char* path);

  /// The raw read both loads share: opens path, refuses kTooLarge, reads at most `limit` bytes
  /// and then learns whether the file goes on (`more`). `bytes` holds the `got` bytes read
  /// (room for one more). outcome is kWhole whenever the read succeeded; fileSize is the
  /// reported size, after the read.
  struct Raw {
    Outcome outcome = Outcome::kMissing;
    std::int64_t fileSize = 0;
    std::unique_ptr<char[]> bytes;
    std::size_t got = 0;
    bool more = false;
  };
  static Raw ReadRaw(const char* path, int limit);

  /// True for the outcomes that loaded something (kWhole, kCut, kEndedAtNul).
  bool Loaded() const { return text != nullptr; }
  /// Bytes of the file seen but not kept: fileSize - text length (0 when nothing loaded or the
  /// size is not known).
  std::int64_t NotLoaded() const {
    return Loaded() && fileSize >= 0 ? fileSize - text->Length() : 0;
  }

  Outcome outcome = Outcome::kMissing;
  std::unique_ptr<B2String1> text;
  std::int64_t fileSize = 0;
};
