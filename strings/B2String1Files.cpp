// B2String1 percent-decoding and whole-file load and save (raw bytes, no translation).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "strings/B2String1.h"
#include "strings/B2StringMemory.h"
#include "text/HexDigit.h"
#include "text/PercentDecode.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

struct BlockFree {
  void operator()(char* p) const { std::free(p); }
};
using Block = std::unique_ptr<char, BlockFree>;

// The largest file size taken at all; anything at or above it is refused.
constexpr long kRefusedSize = 2147483647L;

}  // namespace

// --- Percent-decoding --------------------------------------------------------------------------

bool B2String1::IsHexDigit(char c) const { return text::IsHexDigit(c); }

int B2String1::HexValue(char c) const { return text::HexValue(c); }

signed char B2String1::UrlDecode() {
  if (length < 3 && IndexOf('%') < 0) return -1;
  // The decoded text is never longer, so it is decoded in place.
  const int k = static_cast<int>(text::PercentDecode(buffer, buffer + length, buffer));
  // k >= 1 here, so this is the plain shortening Set: the capacity stays.
  return static_cast<signed char>(Set(buffer, k));
}

// --- Files -------------------------------------------------------------------------------------

bool B2String1::LoadFile(const char* path) {
  if (!path) return false;
  File file(std::fopen(path, "rb"));
  if (!file) return false;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file.get());
  if (size < 0 || size >= kRefusedSize) return false;
  if (std::fseek(file.get(), 0, SEEK_SET) != 0) return false;

  // One byte more than the file holds, so a file that fits is read whole and then seen to end.
  int n = static_cast<int>(size) + 1;
  if (n > maxLength) n = maxLength;
  Block block(static_cast<char*>(b2memory::Resize(nullptr, static_cast<size_t>(n) + 1)));
  char* bytes = block.get();
  bytes[n - 1] = '\0';
  const size_t got = std::fread(bytes, 1, static_cast<size_t>(n), file.get());
  // A read error (a directory, a failing device) loads nothing.
  if (std::ferror(file.get())) return false;
  file.reset();

  int keep;
  if (got == 0) {
    keep = 1;  // an empty file loads as one NUL byte
  } else if (got < static_cast<size_t>(n)) {
    keep = static_cast<int>(got);  // only what was actually read
  } else {
    // The read filled the cap: a trailing NUL there is dropped.
    keep = (bytes[n - 1] == '\0' && n > 1) ? n - 1 : n;
  }
  bytes[0] = got == 0 ? '\0' : bytes[0];
  return Set(bytes, keep);
}

bool B2String1::SaveFile(const char* path) const {
  if (!path) return false;
  File file(std::fopen(path, "wb"));
  if (!file) return false;
  if (length > 0) std::fwrite(buffer, 1, static_cast<size_t>(length), file.get());
  return true;
}
