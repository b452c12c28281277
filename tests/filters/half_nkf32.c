/* A converter library that lacks NkfConvert, for tests only: binding it must fail without
 * calling its SetNkfOption, which counts its calls. */
#define NKF32_BUILDING_LIBRARY
#include "nkf32/nkf32.h"

static int g_option_calls;

NKF32_API int NKF32_CALL SetNkfOption(const char* option) {
  (void)option;
  ++g_option_calls;
  return 0;
}

NKF32_API int FakeNkfOptionCalls(void) { return g_option_calls; }
