// FileSave: a temporary file beside the target, then one replacing move.
#include "app/FileSave.h"

#include <cstdio>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// Puts the file at from in to's place, replacing a file there; false leaves both as they were.
bool ReplaceWith(const char* from, const char* to) {
#ifdef _WIN32
  // rename refuses an existing target on Windows.
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  return std::rename(from, to) == 0;
#endif
}

}  // namespace

bool FileSave::Write(const char* path, const char* bytes, std::size_t size) {
  if (path == nullptr || path[0] == '\0' || (bytes == nullptr && size > 0)) return false;
  const std::string temp = std::string(path) + kTempSuffix;
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (file == nullptr) return false;
  bool written = size == 0 || std::fwrite(bytes, 1, size, file) == size;
  written = std::fflush(file) == 0 && written;
  written = std::fclose(file) == 0 && written;
  if (written && ReplaceWith(temp.c_str(), path)) return true;
  std::remove(temp.c_str());
  return false;
}
