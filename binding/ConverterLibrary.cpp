// Run-time loading of nkf32: the program's one use of the platform's library loader.
#include "binding/ConverterLibrary.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
using Handle = HMODULE;
// A damaged or empty file is a failed load, not a system error box.
Handle Open(const char* path) {
  DWORD previous = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous);
  Handle handle = LoadLibraryA(path);
  SetThreadErrorMode(previous, nullptr);
  return handle;
}
void Close(Handle h) { FreeLibrary(h); }
template <typename Fn>
Fn Symbol(Handle h, const char* name) {
  // Through the generic function pointer type, which any function pointer converts from.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(h, name)));
}
#else
using Handle = void*;
Handle Open(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }
void Close(Handle h) { dlclose(h); }
template <typename Fn>
Fn Symbol(Handle h, const char* name) {
  return reinterpret_cast<Fn>(dlsym(h, name));
}

// The directory of the running executable, with a trailing '/', or "" when it cannot be told.
std::string ExecutableDirectory() {
  std::string path(4096, '\0');
  const ssize_t size = readlink("/proc/self/exe", &path[0], path.size());
  if (size <= 0 || static_cast<size_t>(size) >= path.size()) return std::string();
  path.resize(static_cast<size_t>(size));
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool Exists(const char* path) {
  struct stat info;
  return stat(path, &info) == 0;
}
#endif

#ifdef _WIN32
std::string ExecutableDirectory() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD size = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (size == 0) return std::string();
    if (size < path.size()) {
      path.resize(size);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }
#endif

// Only a path with a folder in it can be looked for as a file; a bare name is searched.
bool HasFolder(const char* path) {
  return std::string(path).find_first_of("\\/") != std::string::npos;
}

}  // namespace

ConverterLibrary::EntryPoints ConverterLibrary::Load(const char* path) {
  EntryPoints entries;
  if (path == nullptr || path[0] == '\0') return entries;
  entries.file = path;
  Handle handle = Open(path);
  if (handle == nullptr) {
    if (HasFolder(path) && Exists(path)) entries.problem = Problem::kNotAConverter;
    return entries;
  }
  entries.setOption = Symbol<SetNkfOptionFn>(handle, "SetNkfOption");
  entries.convert = Symbol<NkfConvertFn>(handle, "NkfConvert");
  if (entries.setOption == nullptr || entries.convert == nullptr) {
    Close(handle);
    entries.setOption = nullptr;
    entries.convert = nullptr;
    entries.problem = Problem::kNotAConverter;
    return entries;
  }
  // Deliberately never closed: the entry points serve until the process ends.
  entries.problem = Problem::kNone;
  return entries;
}

ConverterLibrary::EntryPoints ConverterLibrary::LoadDefault() {
#ifdef _WIN32
  const char* const name = "nkf32.dll";
#else
  const char* const name = "libnkf32.so";
#endif
  const EntryPoints beside = Load((ExecutableDirectory() + name).c_str());
  if (beside.convert != nullptr) return beside;
  const EntryPoints searched = Load(name);
  return searched.convert != nullptr ? searched : beside;
}
