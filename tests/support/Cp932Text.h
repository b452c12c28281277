// Decoding of Shift_JIS (code page 932) bytes for the tests that check shown texts.
#pragma once

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

/// The bytes decoded from code page 932 and written as UTF-8; "<invalid>" when a byte
/// sequence has no character (a mistyped escape), "<no CP932>" without a converter.
inline std::string Cp932ToUtf8(const std::string& bytes) {
  if (bytes.empty()) return std::string();
#ifdef _WIN32
  const int n = static_cast<int>(bytes.size());
  const int wide = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), n, nullptr, 0);
  if (wide <= 0) return "<invalid>";
  std::wstring text(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), n, &text[0], wide);
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, &out[0], size, nullptr, nullptr);
  return out;
#else
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "<no CP932>";
  std::string in = bytes;
  std::string out(in.size() * 4 + 4, '\0');
  char* inPtr = &in[0];
  char* outPtr = &out[0];
  size_t inLeft = in.size();
  size_t outLeft = out.size();
  const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return "<invalid>";
  out.resize(out.size() - outLeft);
  return out;
#endif
}
