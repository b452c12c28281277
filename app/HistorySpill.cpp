// HistorySpill: texts in a temporary file, with a first-fit list of the space given back.
#include "app/HistorySpill.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

namespace fs = std::filesystem;

std::atomic<unsigned> g_stores{0};

unsigned long ProcessId() {
#ifdef _WIN32
  return GetCurrentProcessId();
#else
  return static_cast<unsigned long>(getpid());
#endif
}

// False only when the process id surely names no running process.
bool Runs(unsigned long pid) {
#ifdef _WIN32
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  const bool running = !GetExitCodeProcess(process, &code) || code == STILL_ACTIVE;
  CloseHandle(process);
  return running;
#else
  return kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
#endif
}

bool Seek(std::FILE* file, std::int64_t offset) {
#ifdef _WIN32
  return _fseeki64(file, offset, SEEK_SET) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

std::FILE* OpenFresh(const fs::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"w+b");
#else
  return std::fopen(path.c_str(), "w+b");
#endif
}

}  // namespace

HistorySpill::~HistorySpill() {
  if (!file_) return;
  file_.reset();
  std::error_code ignored;
  fs::remove(fs::u8path(path_), ignored);
}

bool HistorySpill::Open() {
  if (file_) return true;
  std::error_code error;
  const fs::path folder = fs::temp_directory_path(error);
  if (error) return false;
  const fs::path path =
      folder / (kPrefix + std::to_string(ProcessId()) + "-" + std::to_string(g_stores++) + kSuffix);
  file_.reset(OpenFresh(path));
  if (!file_) return false;
  path_ = path.u8string();
  return true;
}

bool HistorySpill::Put(const char* bytes, std::size_t size, Extent& where) {
  if (!Open()) return false;
  const std::int64_t need = static_cast<std::int64_t>(size);
  // First fit among the space given back, else at the end.
  std::int64_t offset = end_;
  auto fit = std::find_if(free_.begin(), free_.end(),
                          [need](const auto& space) { return space.second >= need; });
  if (fit != free_.end()) offset = fit->first;
  if (!Seek(file_.get(), offset) ||
      (size > 0 && std::fwrite(bytes, 1, size, file_.get()) != size) ||
      std::fflush(file_.get()) != 0) {
    std::clearerr(file_.get());
    return false;
  }
  if (fit != free_.end()) {
    fit->first += need;
    fit->second -= need;
    if (fit->second == 0) free_.erase(fit);
  } else {
    end_ += need;
  }
  stored_ += need;
  where = Extent{offset, size};
  return true;
}

std::unique_ptr<B2String1> HistorySpill::Get(const Extent& where) {
  if (!file_ || !where.Valid() || where.size > static_cast<std::size_t>(B2String1::kMaxLength)) {
    return nullptr;
  }
  auto text = std::make_unique<B2String1>();
  if (where.size == 0) return text;
  std::unique_ptr<char[]> bytes(new char[where.size]);
  if (!Seek(file_.get(), where.offset) ||
      std::fread(bytes.get(), 1, where.size, file_.get()) != where.size) {
    std::clearerr(file_.get());
    return nullptr;
  }
  if (!text->Set(bytes.get(), static_cast<int>(where.size))) return nullptr;
  return text;
}

void HistorySpill::Free(Extent& where) {
  if (!where.Valid()) return;
  const std::int64_t offset = where.offset;
  const std::int64_t size = static_cast<std::int64_t>(where.size);
  stored_ -= size;
  where = Extent();
  if (size == 0) return;
  if (stored_ == 0) {
    // Nothing stored: the file starts over empty, giving its space back to the disk.
    free_.clear();
    end_ = 0;
    file_.reset(OpenFresh(fs::u8path(path_)));
    return;
  }
  auto at = std::lower_bound(free_.begin(), free_.end(), std::make_pair(offset, std::int64_t{0}));
  at = free_.insert(at, {offset, size});
  // Joins the neighbours it touches.
  if (at + 1 != free_.end() && at->first + at->second == (at + 1)->first) {
    at->second += (at + 1)->second;
    free_.erase(at + 1);
  }
  if (at != free_.begin() && (at - 1)->first + (at - 1)->second == at->first) {
    (at - 1)->second += at->second;
    at = free_.erase(at) - 1;
  }
  if (at->first + at->second == end_) {
    end_ = at->first;
    free_.erase(at);
  }
}

int HistorySpill::RemoveLeftovers() {
  std::error_code error;
  const fs::path folder = fs::temp_directory_path(error);
  if (error) return 0;
  int removed = 0;
  const std::string prefix = kPrefix;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().u8string();
    if (name.rfind(prefix, 0) != 0) continue;
    const char* digits = name.c_str() + prefix.size();
    char* rest = nullptr;
    const unsigned long pid = std::strtoul(digits, &rest, 10);
    if (rest == digits || *rest != '-' || pid == ProcessId() || Runs(pid)) continue;
    std::error_code ignored;
    if (fs::remove(it->path(), ignored)) ++removed;
  }
  return removed;
}
