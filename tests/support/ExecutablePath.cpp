// ExecutableDirectory: GetModuleFileNameA on Windows, /proc/self/exe elsewhere.
#include "support/ExecutablePath.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace testsupport {

std::string ExecutableDirectory() {
#ifdef _WIN32
  char path[MAX_PATH];
  const DWORD size = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string exe(path, size < MAX_PATH ? size : 0);
#else
  char path[4096];
  const ssize_t size = readlink("/proc/self/exe", path, sizeof path);
  const std::string exe(path, size > 0 ? static_cast<size_t>(size) : 0);
#endif
  const size_t slash = exe.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

}  // namespace testsupport
