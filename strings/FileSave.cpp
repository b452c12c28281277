// FileSave: a temporary file of a fresh name beside the target, then one replacing rename.
#include "strings/FileSave.h"

#include <atomic>
#include <string>

#include "strings/NativePath.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#endif

namespace {

using Path = NativePath::String;

// A counter shared by every save of the process, so that two names never repeat.
std::atomic<unsigned> g_saves{0};

// The folder part of path with its last separator ("" for a bare name).
Path FolderOf(const Path& path) {
#ifdef _WIN32
  const size_t slash = path.find_last_of(L"\\/");
#else
  const size_t slash = path.rfind('/');
#endif
  return slash == Path::npos ? Path() : path.substr(0, slash + 1);
}

template <typename Number>
Path Digits(Number n) {
  const std::string s = std::to_string(n);
  return Path(s.begin(), s.end());
}

Path Affix(const char* text) { return Path(text, text + std::char_traits<char>::length(text)); }

#ifdef _WIN32

// A handle closed when it goes.
struct Handle {
  HANDLE h = INVALID_HANDLE_VALUE;
  ~Handle() { Close(); }
  bool Close() {
    const bool closed = h == INVALID_HANDLE_VALUE || CloseHandle(h) != 0;
    h = INVALID_HANDLE_VALUE;
    return closed;
  }
};

// The file a path finally names (a link followed to its end), or path itself when nothing
// is there yet. Empty when a link cannot be followed.
Path TargetOf(const Path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return path;
  Handle file;
  file.h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file.h == INVALID_HANDLE_VALUE) return path;
  std::wstring final(32768, L'\0');
  const DWORD got =
      GetFinalPathNameByHandleW(file.h, final.data(), static_cast<DWORD>(final.size()), 0);
  if (got == 0 || got >= final.size()) return path;
  final.resize(got);
  return final;
}

// Creates a new file at temp; false when one is there or it cannot be made.
bool CreateNew(const Path& temp, Handle& file) {
  file.h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
  return file.h != INVALID_HANDLE_VALUE;
}

bool Exists(const Path& temp) {
  return GetFileAttributesW(temp.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteAll(Handle& file, const char* bytes, size_t size) {
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(size < (1u << 30) ? size : (1u << 30));
    DWORD put = 0;
    if (!WriteFile(file.h, bytes, chunk, &put, nullptr) || put == 0) return false;
    bytes += put;
    size -= put;
  }
  return true;
}

void Remove(const Path& temp) { DeleteFileW(temp.c_str()); }

unsigned long ProcessId() { return GetCurrentProcessId(); }

// The saved text's file takes the replaced file's attributes, then its place.
bool Replace(const Path& temp, const Path& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    SetFileAttributesW(
        temp.c_str(),
        attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
  }
  return MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

FileSave::Outcome Check(const Path& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return FileSave::Outcome::kSaved;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileSave::Outcome::kFailed;
  if (attributes & FILE_ATTRIBUTE_READONLY) return FileSave::Outcome::kReadOnly;
  return FileSave::Outcome::kSaved;
}

#else

struct Handle {
  int fd = -1;
  ~Handle() { Close(); }
  bool Close() {
    const bool closed = fd < 0 || ::close(fd) == 0;
    fd = -1;
    return closed;
  }
};

Path TargetOf(const Path& path) {
  Path at = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info;
    if (lstat(at.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return at;
    std::string link(PATH_MAX, '\0');
    const ssize_t size = readlink(at.c_str(), link.data(), link.size());
    if (size <= 0 || static_cast<size_t>(size) >= link.size()) return Path();
    link.resize(static_cast<size_t>(size));
    at = link[0] == '/' ? link : FolderOf(at) + link;
  }
  return Path();  // a loop of links
}

bool CreateNew(const Path& temp, Handle& file) {
  file.fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  return file.fd >= 0;
}

bool Exists(const Path& temp) {
  struct stat info;
  return lstat(temp.c_str(), &info) == 0 || errno != ENOENT;
}

bool WriteAll(Handle& file, const char* bytes, size_t size) {
  while (size > 0) {
    const ssize_t put = ::write(file.fd, bytes, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes += put;
    size -= static_cast<size_t>(put);
  }
  return ::fsync(file.fd) == 0;
}

void Remove(const Path& temp) { ::unlink(temp.c_str()); }

unsigned long ProcessId() { return static_cast<unsigned long>(getpid()); }

bool Replace(const Path& temp, const Path& target) {
  struct stat info;
  if (::stat(target.c_str(), &info) == 0) {
    // The owner only where the user may give it; the permission bits always.
    if (::chown(temp.c_str(), info.st_uid, info.st_gid) != 0) {
    }
    ::chmod(temp.c_str(), info.st_mode & 07777);
  }
  return ::rename(temp.c_str(), target.c_str()) == 0;
}

FileSave::Outcome Check(const Path& target) {
  struct stat info;
  if (::stat(target.c_str(), &info) != 0) return FileSave::Outcome::kSaved;
  if (S_ISDIR(info.st_mode)) return FileSave::Outcome::kFailed;
  // No write permission for anyone is read-only even to a user (root) the system would let
  // write it.
  if ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
    return FileSave::Outcome::kReadOnly;
  }
  return FileSave::Outcome::kSaved;
}

#endif

}  // namespace

FileSave::Outcome FileSave::Write(const char* path, const char* bytes, std::size_t size) {
  if (bytes == nullptr && size > 0) return Outcome::kFailed;
  const Path given = NativePath::Of(path);
  if (given.empty()) return Outcome::kFailed;
  const Path target = TargetOf(given);
  if (target.empty()) return Outcome::kFailed;
  const Outcome allowed = Check(target);
  if (allowed != Outcome::kSaved) return allowed;

  // A fresh name: one that exists, even a leftover of this process, is never taken.
  const Path stem = FolderOf(target) + Affix(kTempPrefix) + Digits(ProcessId()) + Affix("-");
  Handle file;
  Path temp;
  for (int attempt = 0;; ++attempt) {
    temp = stem + Digits(g_saves++) + Affix(kTempSuffix);
    if (CreateNew(temp, file)) break;
    if (attempt >= 100 || !Exists(temp)) return Outcome::kFailed;
  }
  bool written = WriteAll(file, bytes, size);
  written = file.Close() && written;
  if (written && Replace(temp, target)) return Outcome::kSaved;
  Remove(temp);
  return Outcome::kFailed;
}
