// FileLoad: the one whole-file reader.
#include "strings/FileLoad.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "strings/NativePath.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

#ifdef _WIN32
using StatBuf = struct _stat64;
int StatOf(const char* path, StatBuf& info) {
  const NativePath::String native = NativePath::Of(path);
  if (native.empty()) {
    errno = ENOENT;
    return -1;
  }
  return _wstat64(native.c_str(), &info);
}
int StatOf(std::FILE* file, StatBuf& info) { return _fstat64(_fileno(file), &info); }
bool IsFolder(const StatBuf& info) { return (info.st_mode & _S_IFDIR) != 0; }
#else
using StatBuf = struct stat;
int StatOf(const char* path, StatBuf& info) { return stat(path, &info); }
int StatOf(std::FILE* file, StatBuf& info) { return fstat(fileno(file), &info); }
bool IsFolder(const StatBuf& info) { return S_ISDIR(info.st_mode); }
#endif

// What is at a path, as far as telling the user why it cannot be read goes.
FileLoad::Outcome KindOf(const char* path) {
  StatBuf info;
  if (StatOf(path, info) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? FileLoad::Outcome::kMissing
                                               : FileLoad::Outcome::kUnreadable;
  }
  return IsFolder(info) ? FileLoad::Outcome::kFolder : FileLoad::Outcome::kUnreadable;
}

// The size the open file reports, in 64 bits; -1 when it cannot be learnt.
std::int64_t ReportedSize(std::FILE* file) {
  StatBuf info;
  return StatOf(file, info) == 0 ? static_cast<std::int64_t>(info.st_size) : -1;
}

}  // namespace

FileLoad::Raw FileLoad::ReadRaw(const char* path, int limit) {
  Raw raw;
  if (path == nullptr) return raw;  // kMissing
  File file(NativePath::Open(path, "rb"));
  if (!file) {
    raw.outcome = KindOf(path);
    return raw;
  }
  // POSIX opens a folder for reading; it has no bytes to give.
  StatBuf info;
  if (StatOf(file.get(), info) == 0 && IsFolder(info)) {
    raw.outcome = Outcome::kFolder;
    return raw;
  }
  raw.outcome = Outcome::kUnreadable;
  const std::int64_t size = ReportedSize(file.get());
  if (size < 0) return raw;
  raw.fileSize = size;
  if (size >= kRefusedSize) {
    raw.outcome = Outcome::kTooLarge;
    return raw;
  }
  // The reported size only sizes the first buffer: the read goes on to the end or the limit,
  // growing the buffer as needed, so a file that grows or reports 0 is read as it is.
  const std::size_t cap = static_cast<std::size_t>(std::max(limit, 0));
  std::size_t room = static_cast<std::size_t>(std::min<std::int64_t>(size, cap));
  if (room < 4096) room = std::min<std::size_t>(4096, cap);
  raw.bytes.reset(new char[room + 1]);
  for (;;) {
    raw.got += std::fread(raw.bytes.get() + raw.got, 1, room - raw.got, file.get());
    if (raw.got < room || room == cap) break;  // the end, an error, or the limit
    const std::size_t larger = std::min(cap, room * 2);
    std::unique_ptr<char[]> grown(new char[larger + 1]);
    std::memcpy(grown.get(), raw.bytes.get(), raw.got);
    raw.bytes = std::move(grown);
    room = larger;
  }
  // One more byte tells whether the file goes on behind the limit.
  if (raw.got == cap && !std::ferror(file.get())) {
    raw.more = std::fread(raw.bytes.get() + raw.got, 1, 1, file.get()) == 1;
  }
  // A read error (a failing device, a folder some platform opened) loads nothing.
  if (std::ferror(file.get())) {
    raw.bytes.reset();
    raw.got = 0;
    raw.more = false;
    return raw;
  }
  raw.fileSize = std::max<std::int64_t>(ReportedSize(file.get()), 0);
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
  // What was read is the truth; the reported size counts only when it says more.
  const std::int64_t seen = static_cast<std::int64_t>(raw.got) + (raw.more ? 1 : 0);
  if (load.fileSize < seen) load.fileSize = raw.more ? -1 : seen;
  const void* nul = std::memchr(bytes, 0, keep);
  if (nul != nullptr) {
    keep = static_cast<std::size_t>(static_cast<const char*>(nul) - bytes);
    load.outcome = Outcome::kEndedAtNul;
    if (load.fileSize < 0) load.fileSize = seen;
  } else if (raw.more) {
    load.outcome = Outcome::kCut;
    std::size_t end = keep;
    while (end > 0 && bytes[end - 1] != '\n') --end;  // back to the last line break
    if (end > 0) keep = end;
  }
  load.text = std::make_unique<B2String1>();
  if (keep > 0 && !load.text->Set(bytes, static_cast<int>(keep))) {
    load.text.reset();
    load.outcome = Outcome::kUnreadable;
  }
  return load;
}
