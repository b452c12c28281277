/* A stand-in for the converter library, for tests only: it records the option it was given
 * and turns each line of two bytes or more into "<LINE>" with ASCII letters upper-cased
 * (shorter lines stay as they are), so a test can see which lines went through it. */
#define NKF32_BUILDING_LIBRARY
#include <string.h>

#include "nkf32/nkf32.h"

static char g_option[64];
static int g_option_calls;

NKF32_API int NKF32_CALL SetNkfOption(const char* option) {
  ++g_option_calls;
  if (option != NULL) {
    strncpy(g_option, option, sizeof g_option - 1);
  }
  return 0;
}

NKF32_API void NKF32_CALL NkfConvert(char* out, const char* in) {
  size_t n = strlen(in);
  size_t i;
  if (n < 2) { /* "<x>" would not fit the 3 bytes given for one byte */
    out[0] = n == 1 ? in[0] : '\0';
    out[n] = '\0';
    return;
  }
  out[0] = '<';
  for (i = 0; i < n; ++i) {
    char c = in[i];
    out[i + 1] = (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
  }
  out[n + 1] = '>';
  out[n + 2] = '\0';
}

/* What SetNkfOption last received, and how often it was called. */
NKF32_API const char* FakeNkfOption(void) { return g_option; }
NKF32_API int FakeNkfOptionCalls(void) { return g_option_calls; }
