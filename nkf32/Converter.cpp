// Line conversion: MIME words, guessing, and the writing sink.
#include "nkf32/Converter.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "nkf32/Cp932Table.h"
#include "nkf32/Decoders.h"
#include "nkf32/EncodingDetector.h"
#include "nkf32/HalfwidthKana.h"
#include "nkf32/MimeWord.h"
#include "nkf32/OutputWriter.h"

namespace nkf32 {
namespace {

constexpr uint16_t kGeta = 0x81AC;  // 〓

// Writes what a decoder reports, widening half-width katakana on the way.
class WriteSink {
 public:
  WriteSink(OutputWriter& w, bool keepKana)
      : w_(w), keepKana_(keepKana), kana_(HalfwidthKana::Get()) {}
  ~WriteSink() { Flush(); }
  WriteSink(const WriteSink&) = delete;
  WriteSink& operator=(const WriteSink&) = delete;

  bool Char(uint16_t code) {
    if (HalfwidthKana::Is(code) && !keepKana_) {
      if (pending_) {
        uint16_t both = kana_.Combined(pending_, code);
        if (both) {
          pending_ = 0;
          return w_.Put(both);
        }
      }
      if (!Flush()) return false;
      pending_ = code;
      return true;
    }
    if (!Flush()) return false;
    return code == 0 || w_.Put(code);  // a NUL never enters the output
  }
  bool Unmapped(char32_t) { return Flush() && w_.Put(kGeta); }
  bool Invalid() { return Flush() && w_.Put(kGeta); }

  bool Flush() {
    if (!pending_) return true;
    uint16_t code = kana_.Wide(pending_);
    pending_ = 0;
    return w_.Put(code);
  }

 private:
  OutputWriter& w_;
  bool keepKana_;
  const HalfwidthKana& kana_;
  uint16_t pending_ = 0;
};

// Index of the first byte that is not plain 7-bit text (a byte >= 0x80, ESC,
// SO, SI or NUL), or n. Eight bytes at a time; a word with a byte >= 0x80 or below
// 0x20 is looked at byte by byte.
size_t PlainPrefix(const char* p, size_t n) {
  auto special = [](unsigned char b) {
    return b >= 0x80 || b == 0x1B || b == 0x0E || b == 0x0F || b == 0;
  };
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t w;
    std::memcpy(&w, p + i, 8);
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    if (((w | ((w - kOnes * 0x20) & ~w)) & kHigh) == 0) continue;
    for (size_t j = i; j < i + 8; ++j) {
      if (special(static_cast<unsigned char>(p[j]))) return j;
    }
  }
  for (; i < n; ++i) {
    if (special(static_cast<unsigned char>(p[i]))) break;
  }
  return i;
}

// Writes text of a known encoding.
bool WriteAs(Encoding e, const char* p, size_t n, OutputWriter& w, bool keepKana) {
  WriteSink sink(w, keepKana);
  const uint8_t* b = reinterpret_cast<const uint8_t*>(p);
  decode::Run(e, b, b + n, sink);
  return sink.Flush() && !w.Truncated();
}

// Guesses the encoding of one stretch of text and writes it. Only the part from
// the first byte that is not plain 7-bit text (and the byte before it) to the
// last byte >= 0x80 (and the two bytes after it: the first may be a Shift_JIS
// trail byte, the second is then ASCII in every reading, so the stretch ends
// alike in all) is guessed and decoded; the ASCII around it reads alike in
// every encoding and is copied.
// With ESC or SO anywhere the whole rest is ISO-2022-JP material and decoded.
bool WritePlain(const char* p, size_t n, OutputWriter& w, bool keepKana) {
  size_t plain = PlainPrefix(p, n);
  if (plain == n) return w.PutBytes(p, n);
  // The last ASCII byte stays with the guessed part: it is the context the
  // first non-ASCII character is judged in (é after a letter, as in café).
  if (plain > 0) --plain;
  if (!w.PutBytes(p, plain)) return false;
  p += plain;
  n -= plain;
  size_t end = n;
  const void* shift = std::memchr(p, 0x1B, n);
  if (!shift) shift = std::memchr(p, 0x0E, n);
  if (!shift) {
    size_t last = n;
    while (last > 0 && static_cast<unsigned char>(p[last - 1]) < 0x80) --last;
    end = last + 2 < n ? last + 2 : n;
    if (PlainPrefix(p + end, n - end) != n - end) end = n;  // a NUL in the tail
  }
  Encoding e = EncodingDetector::Detect(p, end);
  return WriteAs(e, p, end, w, keepKana) && w.PutBytes(p + end, n - end);
}

}  // namespace

ConvertOptions Converter::ParseOptions(const char* text) {
  ConvertOptions o;
  if (!text) return o;
  for (const char* p = text; *p;) {
    while (*p == ' ' || *p == '\t') ++p;
    const char* word = p;
    while (*p && *p != ' ' && *p != '\t') ++p;
    if (word[0] == '-' && word[1] == '-') continue;  // long options: none we know
    for (const char* c = word; c < p; ++c) {
      if (*c == 'x') o.keepHalfwidthKana = true;
      if (*c == 'X') o.keepHalfwidthKana = false;
    }
  }
  return o;
}

size_t Converter::Convert(const char* in, size_t n, char* out, size_t capacity,
                          bool* complete) const {
  OutputWriter w(out, capacity);
  bool keep = options_.keepHalfwidthKana;
  std::string_view text(in, n);
  size_t start = 0;  // first byte not yet written
  size_t at = text.find("=?");
  MimeWord word;
  while (at != std::string_view::npos) {
    if (!word.Parse(in + at, in + n)) {
      at = text.find("=?", at + 1);
      continue;
    }
    if (!WritePlain(in + start, at - start, w, keep)) break;
    if (!WriteAs(word.Charset(), word.Bytes().data(), word.Bytes().size(), w, keep)) break;
    start = at + word.Length();
    // Blanks between two encoded words belong to neither and are dropped.
    size_t next = text.find_first_not_of(" \t", start);
    if (next != std::string_view::npos && word.Parse(in + next, in + n)) {
      start = at = next;
      continue;
    }
    at = text.find("=?", start);
  }
  if (!w.Truncated()) WritePlain(in + start, n - start, w, keep);
  if (complete) *complete = !w.Truncated();
  return w.Finish();
}

size_t Converter::ConvertAs(Encoding encoding, const char* in, size_t n, char* out, size_t capacity,
                            bool* complete) const {
  OutputWriter w(out, capacity);
  WriteAs(encoding, in, n, w, options_.keepHalfwidthKana);
  if (complete) *complete = !w.Truncated();
  return w.Finish();
}

}  // namespace nkf32
