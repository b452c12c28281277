// NativePath: long-path-ready paths for the platform's file calls.
#include "strings/NativePath.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#endif

NativePath::String NativePath::Of(const char* path) {
  if (path == nullptr || path[0] == '\0') return String();
#ifdef _WIN32
  const int units = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
  if (units <= 1) return String();
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, wide.data(), units);
  wide.resize(static_cast<size_t>(units - 1));
  if (wide.rfind(L"\\\\?\\", 0) == 0) return wide;  // already in the long form
  // The absolute path, with "." and ".." resolved and '/' made '\', as the long form needs.
  const DWORD need = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (need == 0) return String();
  std::wstring full(need, L'\0');
  const DWORD got = GetFullPathNameW(wide.c_str(), need, full.data(), nullptr);
  if (got == 0 || got >= need) return String();
  full.resize(got);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
#else
  return String(path);
#endif
}

std::FILE* NativePath::Open(const char* path, const char* mode) {
  const String native = Of(path);
  if (native.empty()) {
    errno = ENOENT;
    return nullptr;
  }
#ifdef _WIN32
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(native.c_str(), wideMode.c_str());
#else
  return std::fopen(native.c_str(), mode);
#endif
}
