// Shift_JIS <-> UTF-8 for the command line's texts.
#include "cli/TerminalText.h"

#ifdef _WIN32
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>
#else
#include <iconv.h>
#endif

namespace {

#ifdef _WIN32
bool ToWide(unsigned codePage, DWORD flags, const std::string& in, std::wstring& out) {
  out.clear();
  if (in.empty()) return true;
  const int size =
      MultiByteToWideChar(codePage, flags, in.data(), static_cast<int>(in.size()), nullptr, 0);
  if (size <= 0) return false;
  out.assign(static_cast<size_t>(size), L'\0');
  return MultiByteToWideChar(codePage, flags, in.data(), static_cast<int>(in.size()), &out[0],
                             size) == size;
}

bool FromWide(unsigned codePage, const std::wstring& in, std::string& out, bool strict) {
  out.clear();
  if (in.empty()) return true;
  BOOL lossy = FALSE;
  BOOL* lossyFlag = strict ? &lossy : nullptr;
  const DWORD flags = strict ? WC_NO_BEST_FIT_CHARS : 0;
  const int size = WideCharToMultiByte(codePage, flags, in.data(), static_cast<int>(in.size()),
                                       nullptr, 0, nullptr, lossyFlag);
  if (size <= 0) return false;
  out.assign(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(codePage, flags, in.data(), static_cast<int>(in.size()), &out[0], size,
                      nullptr, lossyFlag);
  return !lossy;
}
#else
// Converts all of in; false at the first byte sequence that cannot be converted.
bool Iconv(const char* to, const char* from, const std::string& in, std::string& out) {
  out.clear();
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string source = in;
  char* inPtr = source.empty() ? nullptr : &source[0];
  size_t inLeft = source.size();
  std::string buffer(source.size() * 4 + 16, '\0');
  char* outPtr = &buffer[0];
  size_t outLeft = buffer.size();
  const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return false;
  buffer.resize(buffer.size() - outLeft);
  out = buffer;
  return true;
}
#endif

}  // namespace

bool TerminalText::Utf8ToShiftJis(const std::string& utf8, std::string& out) {
#ifdef _WIN32
  std::wstring wide;
  return ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, wide) && FromWide(932, wide, out, true);
#else
  return Iconv("CP932", "UTF-8", utf8, out);
#endif
}

std::string TerminalText::ShiftJisToUtf8(const std::string& sjis) {
  std::string out;
#ifdef _WIN32
  std::wstring wide;
  if (ToWide(932, 0, sjis, wide)) FromWide(CP_UTF8, wide, out, false);
#else
  if (!Iconv("UTF-8", "CP932", sjis, out)) {
    // Only the program's own texts come here, and they decode; keep the bytes otherwise.
    out = sjis;
  }
#endif
  return out;
}

#ifdef _WIN32
bool TerminalText::WideArgumentAsShiftJis(int index, std::string& out) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return false;
  const bool ok = index >= 0 && index < count && FromWide(932, wide[index], out, true);
  LocalFree(wide);
  return ok;
}
#endif
