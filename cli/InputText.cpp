// Reading linsift-cli's input straight into its final buffer: one allocation sized from the
// file's size, filled by read() with no intermediate copy.
#include "cli/InputText.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#define LINSIFT_READ(fd, buf, n) _read(fd, buf, static_cast<unsigned>(n))
#define LINSIFT_OPEN(path) _open(path, _O_RDONLY | _O_BINARY)
#define LINSIFT_CLOSE _close
using StatBuf = struct _stat64;
#define LINSIFT_FSTAT _fstat64
#define LINSIFT_STAT _stat64
#define LINSIFT_TELL(fd) _lseeki64(fd, 0, SEEK_CUR)
#else
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>
#define LINSIFT_READ(fd, buf, n) ::read(fd, buf, n)
#define LINSIFT_OPEN(path) ::open(path, O_RDONLY)
#define LINSIFT_CLOSE ::close
using StatBuf = struct stat;
#define LINSIFT_FSTAT ::fstat
#define LINSIFT_STAT ::stat
#define LINSIFT_TELL(fd) static_cast<long long>(::lseek(fd, 0, SEEK_CUR))
#endif

namespace {

// Closes the file it holds.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) LINSIFT_CLOSE(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

constexpr size_t kHugePage = size_t{2} << 20;

}  // namespace

void InputText::Free::operator()(char* p) const { std::free(p); }

void InputText::Unmap::operator()(char* p) const {
#ifdef __linux__
  munmap(p, size);
#else
  (void)p;
#endif
}

#ifdef __linux__
namespace {
extern "C" void OnBusError(int) {
  static const char kMessage[] = "linsift-cli: the input file changed while it was read\n";
  const ssize_t ignored = write(2, kMessage, sizeof kMessage - 1);
  (void)ignored;
  _exit(1);
}
}  // namespace
#endif

bool InputText::Map(int fd, size_t size) {
#ifdef __linux__
  if (size == 0) return false;
  void* p = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  if (p == MAP_FAILED) return false;
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = OnBusError;
  sigaction(SIGBUS, &action, nullptr);
  mapped_ = std::unique_ptr<char, Unmap>(static_cast<char*>(p), Unmap{size});
  size_ = size;
  return true;
#else
  (void)fd;
  (void)size;
  return false;
#endif
}

char* InputText::Allocate(size_t capacity) {
  if (capacity == 0) capacity = 1;
#ifdef __linux__
  // A large text is faulted in 2 MB pages where the kernel allows it: far fewer page faults
  // than 4 KB pages for the same bytes.
  if (capacity >= kHugePage) {
    const size_t rounded = (capacity + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, rounded);
    if (p != nullptr) madvise(p, rounded, MADV_HUGEPAGE);
    return static_cast<char*>(p);
  }
#endif
  return static_cast<char*>(std::malloc(capacity));
}

bool InputText::Load(const char* path, std::string& error) {
  const bool standardInput = path == nullptr || std::strcmp(path, "-") == 0;
  const std::string name = standardInput ? "standard input" : path;
  if (standardInput) {
#ifdef _WIN32
    _setmode(0, _O_BINARY);
#endif
    // A redirected file is read from where standard input stands, not always from its start.
    StatBuf info;
    const bool regular = LINSIFT_FSTAT(0, &info) == 0 && (info.st_mode & S_IFMT) == S_IFREG;
    const long long offset = regular ? LINSIFT_TELL(0) : 0;
    const unsigned long long left = regular && offset >= 0 && offset <= info.st_size
                                        ? static_cast<unsigned long long>(info.st_size - offset)
                                        : 0;
    if (left > kMaxBytes) {
      error = name + ": larger than 40,000,000 bytes";
      return false;
    }
    if (!ReadStream(0, static_cast<size_t>(left), error)) {
      error = name + error;
      return false;
    }
    return true;
  }

  FileDescriptor file(LINSIFT_OPEN(path));
  if (file.Get() < 0) {
    const int cause = errno;
    StatBuf info;
    if (LINSIFT_STAT(path, &info) == 0 && (info.st_mode & S_IFMT) == S_IFDIR) {
      error = name + ": is a directory";  // Windows refuses to open a directory at all
    } else if (cause == ENOENT) {
      error = name + ": no such file";
    } else {
      error = name + ": cannot be opened: " + std::strerror(cause);
    }
    return false;
  }
  StatBuf info;
  if (LINSIFT_FSTAT(file.Get(), &info) != 0) {
    error = name + ": " + std::strerror(errno);
    return false;
  }
  if ((info.st_mode & S_IFMT) == S_IFDIR) {
    error = name + ": is a directory";
    return false;
  }
  if ((info.st_mode & S_IFMT) == S_IFREG &&
      static_cast<unsigned long long>(info.st_size) > kMaxBytes) {
    error = name + ": larger than 40,000,000 bytes";
    return false;
  }
  const bool regular = (info.st_mode & S_IFMT) == S_IFREG;
  const size_t expected = regular ? static_cast<size_t>(info.st_size) : 0;
  if (regular && Map(file.Get(), expected)) return true;
  if (!ReadStream(file.Get(), expected, error)) {
    error = name + error;
    return false;
  }
  return true;
}

// Reads fd to its end. expected is the size when known (a regular file); the buffer then has
// room for one byte more, so a file that grew while it was read is still caught by the cap.
bool InputText::ReadStream(int fd, size_t expected, std::string& error) {
  size_t capacity = expected > 0 ? expected + 1 : size_t{1} << 16;
  data_.reset(Allocate(capacity));
  size_ = 0;
  for (;;) {
    if (size_ == capacity) {
      if (capacity > kMaxBytes) break;  // more than the cap has arrived
      const size_t grown = capacity * 2 > kMaxBytes + 1 ? kMaxBytes + 1 : capacity * 2;
      char* bigger = static_cast<char*>(std::realloc(data_.get(), grown));
      if (bigger == nullptr) {
        error = ": out of memory";
        return false;
      }
      data_.release();
      data_.reset(bigger);
      capacity = grown;
    }
    const auto got = LINSIFT_READ(fd, data_.get() + size_, capacity - size_);
    if (got < 0) {
      if (errno == EINTR) continue;
      error = std::string(": cannot be read: ") + std::strerror(errno);
      return false;
    }
    if (got == 0) break;
    size_ += static_cast<size_t>(got);
  }
  if (size_ > kMaxBytes) {
    error = ": larger than 40,000,000 bytes";
    return false;
  }
  return true;
}
