// Line-aligned blocks over a read function: one buffer, moved down and refilled per block.
#include "cli/LineBlocks.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// The last LF in [p, p + size), or null.
const char* LastLineFeed(const char* p, size_t size) {
#if defined(__GLIBC__)
  return static_cast<const char*>(memrchr(p, '\n', size));
#else
  for (const char* q = p + size; q > p;) {
    if (*--q == '\n') return q;
  }
  return nullptr;
#endif
}

}  // namespace

void LineBlocks::Free::operator()(char* p) const { std::free(p); }

LineBlocks::LineBlocks(ReadFn read, size_t blockSize)
    : read_(std::move(read)), blockSize_(std::max<size_t>(blockSize, 1)) {}

LineBlocks::ReadFn LineBlocks::FromDescriptor(int fd) {
  return [fd](char* buffer, size_t size) -> long long {
#ifdef _WIN32
    const unsigned chunk = static_cast<unsigned>(std::min<size_t>(size, 1u << 30));
    return _read(fd, buffer, chunk);
#else
    return ::read(fd, buffer, size);
#endif
  };
}

bool LineBlocks::Fill(size_t want) {
  if (want > capacity_) {
    // realloc: a large buffer grows in place where it can (mremap on Linux), without a copy.
    char* bigger = static_cast<char*>(std::realloc(buffer_.get(), want));
    if (bigger == nullptr) {
      error_ = ENOMEM;
      return false;
    }
    buffer_.release();
    buffer_.reset(bigger);
    capacity_ = want;
  }
  while (filled_ < want && !ended_) {
    const long long got = read_(buffer_.get() + filled_, want - filled_);
    if (got < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      return false;
    }
    if (got == 0) {
      ended_ = true;
      break;
    }
    char* fresh = buffer_.get() + filled_;
    const void* nul = std::memchr(fresh, 0, static_cast<size_t>(got));
    if (nul != nullptr) {
      filled_ += static_cast<size_t>(static_cast<const char*>(nul) - fresh);
      ended_ = nul_ = true;
      break;
    }
    filled_ += static_cast<size_t>(got);
  }
  return true;
}

LineBlocks::Step LineBlocks::Next() {
  // The rest behind the previous block moves to the front.
  if (end_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + end_, filled_ - end_);
    filled_ -= end_;
    begin_ = end_ = 0;
  }
  if (!Fill(blockSize_)) return Step::kError;
  if (filled_ == 0) return Step::kEnd;
  const size_t window = std::min(filled_, blockSize_);
  const char* lf = LastLineFeed(buffer_.get(), window);
  if (lf != nullptr) {  // whole lines, up to the last LF within a block's size
    end_ = static_cast<size_t>(lf - buffer_.get()) + 1;
    return Step::kBlock;
  }
  // No LF within a block's size: one line longer than a block, or the text's last line. Read on
  // until its LF, growing the buffer by a quarter at least each time.
  size_t scanned = window;
  size_t want = std::max(filled_, blockSize_);
  for (;;) {
    lf = static_cast<const char*>(std::memchr(buffer_.get() + scanned, '\n', filled_ - scanned));
    if (lf != nullptr) {
      end_ = static_cast<size_t>(lf - buffer_.get()) + 1;
      return Step::kBlock;
    }
    if (ended_) {
      end_ = filled_;
      return Step::kBlock;
    }
    scanned = filled_;
    want += std::max(blockSize_, want / 4);
    if (!Fill(want)) return Step::kError;
  }
}
