/* nkf32: line-at-a-time conversion of Japanese text to Shift_JIS (CP932).
 *
 * The library exports two plain C entry points. A program loads it at run time
 * (LoadLibraryA("nkf32") / dlopen("libnkf32.so")) and looks them up by name, or
 * links it directly.
 *
 *   SetNkfOption("-s");          once: Shift_JIS output (the default anyway)
 *   NkfConvert(out, line);       per line; out holds 2 * strlen(line) + 1 bytes
 *
 * Every call guesses the input encoding afresh (ASCII, ISO-2022-JP, EUC-JP,
 * Shift_JIS/CP932, UTF-8); nothing carries over from one NkfConvert call to the
 * next. Both entry points are safe to call from any thread.
 */
#ifndef NKF32_NKF32_H
#define NKF32_NKF32_H

/* Calling convention of the entry points: __stdcall on Windows (it matters only
 * on 32-bit x86), nothing elsewhere. */
#if defined(_WIN32)
#define NKF32_CALL __stdcall
#else
#define NKF32_CALL
#endif

/* Export marker, used only while building the library itself. */
#if defined(NKF32_BUILDING_LIBRARY)
#if defined(_WIN32)
#define NKF32_API __declspec(dllexport)
#else
#define NKF32_API __attribute__((visibility("default")))
#endif
#else
#define NKF32_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Sets the options for every later NkfConvert call in this process.
 * "-s" (or "s"): Shift_JIS output, the default. "-x": keep half-width katakana
 * instead of widening them. Letters may be combined ("-sx") or given as several
 * blank-separated words ("-s -x"); a leading '-' is optional. Unknown options
 * are ignored. Returns 0 (also for a null pointer, which changes nothing). */
NKF32_API int NKF32_CALL SetNkfOption(const char* option);

/* Converts the NUL-terminated text `in` (one line, read up to its first NUL) to
 * Shift_JIS and writes it NUL-terminated into `out`, which must hold
 * 2 * strlen(in) + 1 bytes; the output never goes past that. An empty input
 * gives an empty text. Characters with no CP932 form, and byte sequences that
 * fit no encoding, become the geta mark (0x81 0xAC). A null `out` does nothing;
 * a null `in` is taken as an empty text. */
NKF32_API void NKF32_CALL NkfConvert(char* out, const char* in);

/* Pointer types for run-time binding (GetProcAddress / dlsym). */
typedef int(NKF32_CALL* SetNkfOptionFn)(const char*);
typedef void(NKF32_CALL* NkfConvertFn)(char*, const char*);

#ifdef __cplusplus
}
#endif

#endif /* NKF32_NKF32_H */
