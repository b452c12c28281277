// FileLoad: the one whole-file reader.
#include "strings/FileLoad.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// What is at a path, as far as telling the user why it cannot be read goes.
FileLoad::Outcome KindOf(const char* path) {
#ifdef _WIN32
  struct _stat64 info;
  if (_stat64(path, &info) != 0) {
    return errno == ENOENT ? FileLoad::Outcome::kMissing : FileLoad::Outcome::kUnreadable;
  }
  const bool folder = (info.st_mode & _S_IFDIR) != 0;
#else
  struct stat info;
  if (stat(path, &info) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? FileLoad::Outcome::kMissing
                                               : FileLoad::Outcome::kUnreadable;
  }
  const bool folder = S_ISDIR(info.st_mode);
#endif
  return folder ? FileLoad::Outcome::kFolder : FileLoad::Outcome::kUnreadable;
}

// The size of the open file in 64 bits (a 32-bit ftell wraps at 4 GiB on Windows), with the
// position back at the start; -1 when it cannot be learnt.
std::int64_t SizeOf(std::FILE* file) {
#ifdef _WIN32
  if (_fseeki64(file, 0, SEEK_END) != 0) return -1;
  const std::int64_t size = _ftelli64(file);
  if (_fseeki64(file, 0, SEEK_SET) != 0) return -1;
#else
  static_assert(sizeof(off_t) >= 8, "64-bit file offsets");
  if (fseeko(file, 0, SEEK_END) != 0) return -1;
  const std::int64_t size = ftello(file);
  if (fseeko(file, 0, SEEK_SET) != 0) return -1;
#endif
  return size;
}

}  // namespace

FileLoad::Raw FileLoad::ReadRaw(const char* path, int limit) {
  Raw raw;
  if (path == nullptr) return raw;  // kMissing
  File file(std::fopen(path, "rb"));
  if (!file) {
    raw.outcome = KindOf(path);
    return raw;
  }
  // POSIX opens a folder for reading; it has no bytes to give.
  const Outcome kind = KindOf(path);
  if (kind == Outcome::kFolder) {
    raw.outcome = kind;
    return raw;
  }
  raw.outcome = Outcome::kUnreadable;
  const std::int64_t size = SizeOf(file.get());
  if (size < 0) return raw;
  raw.fileSize = size;
  if (size >= kRefusedSize) {
    raw.outcome = Outcome::kTooLarge;
    return raw;
  }
  std::int64_t asked = size + 1;
  if (asked > limit) asked = limit;
  if (asked < 1) asked = 1;
  raw.asked = static_cast<std::size_t>(asked);
  raw.bytes.reset(new char[raw.asked + 1]);
  raw.got = std::fread(raw.bytes.get(), 1, raw.asked, file.get());
  // A read error (a failing device, a folder some platform opened) loads nothing.
  if (std::ferror(file.get())) {
    raw.bytes.reset();
    raw.got = 0;
    return raw;
  }
  raw.outcome = Outcome::kWhole;
  return raw;
}

FileLoad FileLoad::Read(const char* path) {
  FileLoad load;
  Raw raw = ReadRaw(path, kMaxBytes);
  load.outcome = raw.outcome;
  load.fileSize = raw.fileSize;
  if (raw.outcome != Outcome::kWhole) return load;

  const char* bytes = raw.bytes.get();
  std::size_t keep = raw.got;
  // The file may have changed since its size was taken: a read that ended early shows where it
  // ends now, one that filled the request that it holds at least that much.
  if (raw.got < raw.asked || load.fileSize < static_cast<std::int64_t>(raw.got)) {
    load.fileSize = static_cast<std::int64_t>(raw.got);
  }
  const void* nul = std::memchr(bytes, 0, keep);
  if (nul != nullptr) {
    keep = static_cast<std::size_t>(static_cast<const char*>(nul) - bytes);
    load.outcome = Outcome::kEndedAtNul;
  } else if (load.fileSize > static_cast<std::int64_t>(keep)) {
    load.outcome = Outcome::kCut;
  }
  load.text = std::make_unique<B2String1>();
  if (keep > 0 && !load.text->Set(bytes, static_cast<int>(keep))) {
    load.text.reset();
    load.outcome = Outcome::kUnreadable;
  }
  return load;
}
