// Reading a whole file as raw bytes: the one reader behind B2String1::LoadFile and the
// window's load, with the file's size taken as 64 bits on every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "strings/B2String1.h"

/// What one read of a file gave: the bytes kept and how they relate to the file, or why
/// nothing was read. Paths are passed to fopen as they are (on Windows: the ANSI code page).
class FileLoad {
 public:
  enum class Outcome {
    kWhole,       ///< every byte of the file (at most 40,000,000, no NUL among them)
    kCut,         ///< the file passes 40,000,000 bytes: its first 40,000,000 bytes
    kEndedAtNul,  ///< the bytes in front of the file's first NUL (within its first 40,000,000)
    kMissing,     ///< no such file (nor folder) at the path
    kFolder,      ///< the path names a folder
    kUnreadable,  ///< it exists but cannot be opened or read
    kTooLarge,    ///< the file holds kRefusedSize bytes or more
  };

  /// Files of this size or larger are refused by both loads (2 GiB - 1 bytes and up).
  static constexpr std::int64_t kRefusedSize = 2147483647;
  /// The most bytes one load keeps (what a B2String1 holds).
  static constexpr int kMaxBytes = B2String1::kMaxLength;

  /// Reads the file at path for the window. On kWhole, kCut and kEndedAtNul `text` holds the
  /// bytes kept (never a NUL among them; empty for an empty file) and `fileSize` the file's
  /// size; on the other outcomes `text` is null (fileSize is the size when it was learnt, else
  /// 0). A null path is kMissing.
  static FileLoad Read(const char* path);

  /// The raw read both loads share: opens path, learns its size, refuses kTooLarge, and reads
  /// at most min(size + 1, limit) bytes (one more than the size, so a file that grew since is
  /// seen not to have ended). `bytes` has room for `asked` + 1 bytes, of which `got` were read;
  /// the rest is uninitialised. outcome is kWhole whenever the read succeeded.
  struct Raw {
    Outcome outcome = Outcome::kMissing;
    std::int64_t fileSize = 0;
    std::unique_ptr<char[]> bytes;
    std::size_t asked = 0;
    std::size_t got = 0;
  };
  static Raw ReadRaw(const char* path, int limit);

  /// True for the outcomes that loaded something (kWhole, kCut, kEndedAtNul).
  bool Loaded() const { return text != nullptr; }
  /// Bytes of the file that were not loaded: fileSize - text length (0 when nothing loaded).
  std::int64_t NotLoaded() const { return Loaded() ? fileSize - text->Length() : 0; }

  Outcome outcome = Outcome::kMissing;
  std::unique_ptr<B2String1> text;
  std::int64_t fileSize = 0;
};
