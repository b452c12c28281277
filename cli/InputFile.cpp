// Opening linsift-cli's inputs, with the reasons a user can act on.
#include "cli/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#define LINSIFT_OPEN(path) _open(path, _O_RDONLY | _O_BINARY)
#define LINSIFT_CLOSE _close
using StatBuf = struct _stat64;
#define LINSIFT_FSTAT _fstat64
#define LINSIFT_STAT _stat64
#else
#include <unistd.h>
#define LINSIFT_OPEN(path) ::open(path, O_RDONLY)
#define LINSIFT_CLOSE ::close
using StatBuf = struct stat;
#define LINSIFT_FSTAT ::fstat
#define LINSIFT_STAT ::stat
#endif

InputFile::~InputFile() {
  if (owned_ && fd_ >= 0) LINSIFT_CLOSE(fd_);
}

bool InputFile::Open(const std::string& path, std::string& error) {
  if (path == "-") {
#ifdef _WIN32
    _setmode(0, _O_BINARY);
#endif
    name_ = kStandardInputName;
    fd_ = 0;
    return true;
  }
  name_ = path;
  fd_ = LINSIFT_OPEN(path.c_str());
  if (fd_ < 0) {
    const int cause = errno;
    StatBuf info;
    if (LINSIFT_STAT(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == S_IFDIR) {
      error = name_ + ": is a directory";  // Windows refuses to open a directory at all
    } else if (cause == ENOENT) {
      error = name_ + ": no such file";
    } else {
      error = name_ + ": cannot be opened: " + std::strerror(cause);
    }
    return false;
  }
  owned_ = true;
  StatBuf info;
  if (LINSIFT_FSTAT(fd_, &info) == 0 && (info.st_mode & S_IFMT) == S_IFDIR) {
    error = name_ + ": is a directory";
    return false;
  }
#if defined(POSIX_FADV_SEQUENTIAL)
  posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);  // only advice: a larger read-ahead
#endif
  return true;
}

bool InputFile::IsSameFileAs(int fd) const {
  StatBuf input;
  StatBuf other;
  if (fd_ < 0 || LINSIFT_FSTAT(fd_, &input) != 0 || LINSIFT_FSTAT(fd, &other) != 0) return false;
  if ((input.st_mode & S_IFMT) != S_IFREG || (other.st_mode & S_IFMT) != S_IFREG) return false;
#ifdef _WIN32
  // Windows gives no inode through fstat: the volume and the file index tell a file.
  BY_HANDLE_FILE_INFORMATION a{};
  BY_HANDLE_FILE_INFORMATION b{};
  if (!GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(fd_)), &a) ||
      !GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &b)) {
    return false;
  }
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
#else
  return input.st_dev == other.st_dev && input.st_ino == other.st_ino;
#endif
}
