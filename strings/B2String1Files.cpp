// B2String1 percent-decoding and whole-file load and save (raw bytes, no translation).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "strings/B2String1.h"
#include "strings/FileLoad.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

// --- Percent-decoding --------------------------------------------------------------------------

bool B2String1::IsHexDigit(char c) const { return HexValue(c) >= 0; }

int B2String1::HexValue(char c) const {
  const unsigned char b = static_cast<unsigned char>(c);
  if (b >= '0' && b <= '9') return b - '0';
  if (b >= 'a' && b <= 'f') return b - 'a' + 10;
  if (b >= 'A' && b <= 'F') return b - 'A' + 10;
  return -1;
}

signed char B2String1::UrlDecode() {
  if (length < 3 && IndexOf('%') < 0) return -1;
  // The decoded text is never longer, so it is built in place: the write position k never
  // passes the read position p.
  int k = 0;
  int p = 0;
  while (p < length) {
    const char c = buffer[p];
    if (c == '%' && p + 2 < length && IsHexDigit(buffer[p + 1]) && IsHexDigit(buffer[p + 2])) {
      buffer[k] = static_cast<char>(HexValue(buffer[p + 1]) * 16 + HexValue(buffer[p + 2]));
      p += 3;
    } else {
      buffer[k] = c;
      p += 1;
    }
    k++;
  }
  // k >= 1 here, so this is the plain shortening Set: the capacity stays.
  return static_cast<signed char>(Set(buffer, k));
}

// --- Files -------------------------------------------------------------------------------------

bool B2String1::LoadFile(const char* path) {
  // One byte more than the file holds, so a file that fits is read whole and then seen to end.
  const FileLoad::Raw raw = FileLoad::ReadRaw(path, maxLength);
  if (raw.outcome != FileLoad::Outcome::kWhole) return false;
  char* bytes = raw.bytes.get();
  const int n = static_cast<int>(raw.asked);
  int keep;
  if (raw.got == 0) {
    keep = 1;  // an empty file loads as one NUL byte
    bytes[0] = '\0';
  } else if (raw.got < raw.asked) {
    keep = static_cast<int>(raw.got);  // only what was actually read
  } else {
    // The read filled the cap: a trailing NUL there is dropped.
    keep = (bytes[n - 1] == '\0' && n > 1) ? n - 1 : n;
  }
  return Set(bytes, keep);
}

bool B2String1::SaveFile(const char* path) const {
  if (!path) return false;
  File file(std::fopen(path, "wb"));
  if (!file) return false;
  if (length > 0) std::fwrite(buffer, 1, static_cast<size_t>(length), file.get());
  return true;
}
