// The two exported entry points over Converter.
#define NKF32_BUILDING_LIBRARY
#include "nkf32/nkf32.h"

#include <atomic>
#include <cstring>

#include "nkf32/Converter.h"

namespace {
// The options of the last SetNkfOption call; read once per conversion.
std::atomic<bool> keepHalfwidthKanaOption{false};
}  // namespace

extern "C" NKF32_API int NKF32_CALL SetNkfOption(const char* option) {
  if (!option) return 0;
  keepHalfwidthKanaOption.store(nkf32::Converter::ParseOptions(option).keepHalfwidthKana);
  return 0;
}

extern "C" NKF32_API void NKF32_CALL NkfConvert(char* out, const char* in) {
  if (!out) return;
  size_t n = in ? std::strlen(in) : 0;
  nkf32::ConvertOptions options;
  options.keepHalfwidthKana = keepHalfwidthKanaOption.load();
  nkf32::Converter(options).Convert(in ? in : "", n, out, nkf32::Converter::RequiredCapacity(n));
}
