// linsift-cli's input: a text of any size read in line-aligned blocks.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>

/// Reads a text in blocks of whole lines, so each block can be filtered on its own. Every block
/// but the last ends with an LF; no line is ever split:
///   - a block holds whole lines, at most blockSize bytes in all;
///   - a line longer than blockSize comes alone, whole, however long it is;
///   - the last block is the text's rest after its last LF (it may hold no LF at all).
/// The text ends at the end of the input or at its first NUL byte, whichever comes first: a
/// NUL ends the text as it ends a text loaded into the window, and nothing behind it is read.
///
/// Memory: one buffer of at most 1.25 x (blockSize + the longest line) bytes.
class LineBlocks {
 public:
  /// Reads up to size bytes into buffer: the number read, 0 at the end, or -1 with errno set.
  using ReadFn = std::function<long long(char* buffer, size_t size)>;

  enum class Step {
    kBlock,  ///< a block is ready: Data(), Size()
    kEnd,    ///< the text has ended; no more blocks
    kError,  ///< reading failed; ErrorNumber() tells why
  };

  LineBlocks(ReadFn read, size_t blockSize);
  /// A reader of the open file descriptor fd (not closed here).
  static ReadFn FromDescriptor(int fd);

  /// Moves to the next block. The previous block's bytes are invalid afterwards.
  Step Next();
  const char* Data() const { return buffer_.get() + begin_; }
  size_t Size() const { return end_ - begin_; }
  /// The errno of the failed read after kError.
  int ErrorNumber() const { return error_; }
  /// True once a NUL byte has ended the text.
  bool EndedAtNul() const { return nul_; }

 private:
  /// Reads until [0, filled_) holds want bytes or the input has ended. False on a read error.
  bool Fill(size_t want);

  ReadFn read_;
  size_t blockSize_;
  struct Free {
    void operator()(char* p) const;
  };
  std::unique_ptr<char, Free> buffer_;
  size_t capacity_ = 0;
  size_t filled_ = 0;  // bytes in the buffer
  size_t begin_ = 0;   // the current block: [begin_, end_)
  size_t end_ = 0;
  bool ended_ = false;  // the input has ended (or a NUL ended the text)
  bool nul_ = false;
  int error_ = 0;
};
