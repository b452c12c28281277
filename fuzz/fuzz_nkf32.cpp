// Fuzzes the converter the way the program calls it: one line, a buffer of
// exactly 2n+1 bytes on the heap (so ASan sees any overrun), and checks that
// the text is complete, NUL-terminated, free of inner NUL bytes and valid CP932.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "nkf32/Converter.h"
#include "nkf32/Cp932Table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte picks the options; the rest is the line up to its first NUL,
  // as the C entry point reads it.
  if (size == 0) return 0;
  nkf32::ConvertOptions options;
  options.keepHalfwidthKana = data[0] & 1;
  const char* in = reinterpret_cast<const char*>(data + 1);
  const void* nul = std::memchr(in, 0, size - 1);
  size_t n = nul ? static_cast<size_t>(static_cast<const char*>(nul) - in) : size - 1;

  const size_t cap = nkf32::Converter::RequiredCapacity(n);
  std::unique_ptr<char[]> out(new char[cap]);
  bool complete = false;
  size_t len = nkf32::Converter(options).Convert(in, n, out.get(), cap, &complete);
  if (!complete || len >= cap || out[len] != '\0' || std::memchr(out.get(), 0, len) != nullptr ||
      !nkf32::Cp932Table::Get().IsValidText(out.get(), len)) {
    std::fprintf(stderr, "bad output: complete=%d len=%zu cap=%zu\n", complete, len, cap);
    std::abort();
  }
  return 0;
}
