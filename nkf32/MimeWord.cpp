// Encoded-word parsing and the B (base64) and Q decodings.
#include "nkf32/MimeWord.h"

#include <cstring>
#include <utility>

#include "text/HexDigit.h"

namespace nkf32 {
namespace {

bool SameIgnoringCase(const char* p, size_t n, const char* name) {
  if (std::strlen(name) != n) return false;
  for (size_t i = 0; i < n; ++i) {
    char c = p[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != name[i]) return false;
  }
  return true;
}

bool CharsetOf(const char* p, size_t n, Encoding* e) {
  if (const char* star = static_cast<const char*>(std::memchr(p, '*', n))) {
    n = static_cast<size_t>(star - p);  // RFC 2231 language suffix
  }
  struct Name {
    const char* name;
    Encoding encoding;
  };
  static constexpr Name kNames[] = {
      {"ISO-2022-JP", Encoding::kIso2022Jp}, {"UTF-8", Encoding::kUtf8},
      {"SHIFT_JIS", Encoding::kShiftJis},    {"SHIFT-JIS", Encoding::kShiftJis},
      {"SJIS", Encoding::kShiftJis},         {"CP932", Encoding::kShiftJis},
      {"WINDOWS-31J", Encoding::kShiftJis},  {"X-SJIS", Encoding::kShiftJis},
      {"EUC-JP", Encoding::kEucJp},          {"EUCJP", Encoding::kEucJp},
      {"X-EUC-JP", Encoding::kEucJp},
  };
  for (const Name& k : kNames) {
    if (SameIgnoringCase(p, n, k.name)) {
      *e = k.encoding;
      return true;
    }
  }
  return false;
}

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool DecodeB(const char* p, size_t n, std::string* out) {
  unsigned acc = 0;
  int bits = 0;
  size_t i = 0;
  for (; i < n && p[i] != '='; ++i) {
    int v = Base64Value(p[i]);
    if (v < 0) return false;
    acc = (acc << 6 | static_cast<unsigned>(v)) & 0xFFFFFF;
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out->push_back(static_cast<char>((acc >> bits) & 0xFF));
    }
  }
  for (; i < n; ++i) {
    if (p[i] != '=') return false;  // only padding may follow padding
  }
  return true;
}

bool DecodeQ(const char* p, size_t n, std::string* out) {
  for (size_t i = 0; i < n; ++i) {
    if (p[i] == '_') {
      out->push_back(' ');
    } else if (p[i] == '=') {
      if (i + 2 >= n) return false;
      int hi = text::HexValue(p[i + 1]);
      int lo = text::HexValue(p[i + 2]);
      if (hi < 0 || lo < 0) return false;
      out->push_back(static_cast<char>(hi * 16 + lo));
      i += 2;
    } else {
      out->push_back(p[i]);
    }
  }
  return true;
}

}  // namespace

bool MimeWord::Parse(const char* p, const char* end) {
  if (end - p < 8 || p[0] != '=' || p[1] != '?') return false;
  // =? charset ? mode ? text ?=   (no blanks or '?' inside a part)
  const char* charset = p + 2;
  const char* q1 = charset;
  while (q1 < end && *q1 != '?' && *q1 > ' ') ++q1;
  if (q1 == charset || end - q1 < 5 || *q1 != '?' || q1[2] != '?') return false;
  char mode = q1[1];
  const char* text = q1 + 3;
  const char* q2 = text;
  while (q2 < end && *q2 != '?' && *q2 > ' ') ++q2;
  if (end - q2 < 2 || q2[0] != '?' || q2[1] != '=') return false;

  Encoding e;
  if (!CharsetOf(charset, static_cast<size_t>(q1 - charset), &e)) return false;
  std::string decoded;
  size_t n = static_cast<size_t>(q2 - text);
  bool ok = (mode == 'B' || mode == 'b')   ? DecodeB(text, n, &decoded)
            : (mode == 'Q' || mode == 'q') ? DecodeQ(text, n, &decoded)
                                           : false;
  if (!ok) return false;
  length_ = static_cast<size_t>(q2 + 2 - p);
  charset_ = e;
  bytes_ = std::move(decoded);
  return true;
}

}  // namespace nkf32
