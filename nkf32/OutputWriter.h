// OutputWriter: a bounded writer of CP932 codes into a caller's buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace nkf32 {

/// Writes into a buffer of `capacity` bytes and can never pass its end: one byte
/// is always kept for the terminating NUL, and a code that does not fit whole is
/// refused (a double-byte character is never split). Owns nothing.
class OutputWriter {
 public:
  /// `capacity` counts the NUL; with capacity 0 nothing is ever written.
  OutputWriter(char* out, size_t capacity)
      : out_(out), room_(capacity ? capacity - 1 : 0), hasNul_(capacity != 0) {}

  /// Appends one code (below 0x100: one byte, else lead and trail). Returns
  /// false, writing nothing, when it does not fit.
  bool Put(uint16_t code) {
    if (code < 0x100) {
      if (len_ + 1 > room_) return Refuse();
      out_[len_++] = static_cast<char>(code);
      return true;
    }
    if (len_ + 2 > room_) return Refuse();
    out_[len_++] = static_cast<char>(code >> 8);
    out_[len_++] = static_cast<char>(code & 0xFF);
    return true;
  }

  /// Appends n raw bytes, or as many as fit; returns false if any were refused.
  bool PutBytes(const char* p, size_t n) {
    size_t fit = n <= room_ - len_ ? n : room_ - len_;
    if (fit) std::memcpy(out_ + len_, p, fit);
    len_ += fit;
    return fit == n ? true : Refuse();
  }

  /// Writes the NUL after the text; returns the text's length.
  size_t Finish() {
    if (hasNul_) out_[len_] = '\0';
    return len_;
  }

  size_t Size() const { return len_; }
  /// True once anything was refused.
  bool Truncated() const { return truncated_; }

 private:
  bool Refuse() {
    truncated_ = true;
    return false;
  }

  char* out_;
  size_t room_;
  bool hasNul_;
  size_t len_ = 0;
  bool truncated_ = false;
};

}  // namespace nkf32
