// B2String1 percent-decoding and whole-file load and save (raw bytes, no translation).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "strings/B2String1.h"
#include "strings/B2StringMemory.h"
#include "strings/FileLoad.h"
#include "strings/FileSave.h"
#include "text/HexDigit.h"
#include "text/PercentDecode.h"

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
  const FileLoad::Raw raw = FileLoad::ReadRaw(path, maxLength);
  if (raw.outcome != FileLoad::Outcome::kWhole) return false;
  char* bytes = raw.bytes.get();
  int keep = static_cast<int>(raw.got);
  if (keep == 0) {
    keep = 1;  // an empty file loads as one NUL byte
    bytes[0] = '\0';
  } else if (keep == maxLength && bytes[keep - 1] == '\0' && keep > 1) {
    --keep;  // the read filled the cap: a trailing NUL there is dropped
  }
  return Set(bytes, keep);
}

bool B2String1::SaveFile(const char* path) const {
  return FileSave::Write(path, buffer, static_cast<size_t>(length)) == FileSave::Outcome::kSaved;
}
