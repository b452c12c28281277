// The text linsift-cli works on: a whole file or standard input, read into one buffer.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

#include "text/Limits.h"

/// A file or standard input read whole into one buffer that it owns, refused when it holds
/// more than 40,000,000 bytes (the window would cut such a text silently). The text is kept as
/// read; the filters read it up to its first NUL, as the window holds a loaded file.
///
/// On Linux a regular file is mapped read-only instead of copied: its pages come straight from
/// the page cache, without the zeroing and copying of fresh memory that would otherwise cost
/// more than the filtering. A file truncated while it is mapped ends the program with a
/// one-line error and exit status 1 (SIGBUS), never with a partial result.
class InputText {
 public:
  static constexpr size_t kMaxBytes = limits::kTextBytes;

  /// Reads the file at path, or standard input for null or "-". False, with error set to a
  /// one-line reason, when the file is missing, a directory, unreadable or too large.
  bool Load(const char* path, std::string& error);

  /// The bytes read (not NUL-terminated); null before a successful Load.
  const char* Data() const { return mapped_ != nullptr ? mapped_.get() : data_.get(); }
  /// Number of bytes read.
  size_t Size() const { return size_; }
  /// Number of bytes in front of the first NUL: the text as the window holds it.
  size_t TextSize() const {
    const void* nul = size_ == 0 ? nullptr : std::memchr(Data(), 0, size_);
    return nul == nullptr ? size_ : static_cast<size_t>(static_cast<const char*>(nul) - Data());
  }

 private:
  struct Free {
    void operator()(char* p) const;
  };
  struct Unmap {
    size_t size;
    void operator()(char* p) const;
  };
  /// A buffer of at least capacity bytes, its pages ready for a large sequential fill.
  static char* Allocate(size_t capacity);
  bool ReadStream(int fd, size_t expected, std::string& error);
  /// Maps size bytes of the regular file fd; false when mapping is not available.
  bool Map(int fd, size_t size);

  std::unique_ptr<char, Free> data_;
  std::unique_ptr<char, Unmap> mapped_;
  size_t size_ = 0;
};
