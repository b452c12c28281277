// Run-time loading of nkf32: the program's one use of the platform's library loader.
#include "binding/ConverterLibrary.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
using Handle = HMODULE;
Handle Open(const char* path) { return LoadLibraryA(path); }
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
#endif

}  // namespace

ConverterLibrary::EntryPoints ConverterLibrary::Load(const char* path) {
  EntryPoints entries;
  if (path == nullptr || path[0] == '\0') return entries;
  Handle handle = Open(path);
  if (handle == nullptr) return entries;
  entries.setOption = Symbol<SetNkfOptionFn>(handle, "SetNkfOption");
  entries.convert = Symbol<NkfConvertFn>(handle, "NkfConvert");
  if (entries.setOption == nullptr || entries.convert == nullptr) {
    Close(handle);
    return EntryPoints();
  }
  // Deliberately never closed: the entry points serve until the process ends.
  return entries;
}

ConverterLibrary::EntryPoints ConverterLibrary::LoadDefault() {
#ifdef _WIN32
  // LoadLibraryA searches the executable's directory first.
  return Load("nkf32");
#else
  const std::string directory = ExecutableDirectory();
  if (!directory.empty()) {
    const EntryPoints beside = Load((directory + "libnkf32.so").c_str());
    if (beside.convert != nullptr) return beside;
  }
  return Load("libnkf32.so");
#endif
}
