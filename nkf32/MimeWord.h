// MimeWord: one MIME encoded word, =?charset?B?...?= or =?charset?Q?...?=.
#pragma once

#include <cstddef>
#include <string>

#include "nkf32/Encoding.h"

namespace nkf32 {

/// Parses and decodes an encoded word whose charset is one the converter reads
/// (ISO-2022-JP, UTF-8, Shift_JIS and its aliases, EUC-JP; any case). The
/// decoded bytes are never longer than the encoded word.
class MimeWord {
 public:
  /// Parses the word starting exactly at `p` ("=?"). Returns false, leaving
  /// the object unchanged, when the text there is no complete encoded word, its
  /// charset is unknown, or its B or Q text is malformed.
  bool Parse(const char* p, const char* end);

  /// Bytes the word takes in the input, from "=?" to "?=" inclusive.
  size_t Length() const { return length_; }
  Encoding Charset() const { return charset_; }
  /// The decoded bytes, still in the word's charset.
  const std::string& Bytes() const { return bytes_; }

 private:
  size_t length_ = 0;
  Encoding charset_ = Encoding::kAscii;
  std::string bytes_;
};

}  // namespace nkf32
