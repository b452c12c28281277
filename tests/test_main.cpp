// Entry point of every test program.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <cstdio>

// Under Wine an unhandled exception either hangs on the crash dialog or exits with
// a random code; end the process with a fixed one so ctest reports the crash.
static LONG WINAPI OnCrash(EXCEPTION_POINTERS* e) {
  std::fprintf(stderr, "FATAL: exception 0x%08lx\n",
               static_cast<unsigned long>(e->ExceptionRecord->ExceptionCode));
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 70);
  return EXCEPTION_EXECUTE_HANDLER;
}
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  SetUnhandledExceptionFilter(OnCrash);
#endif
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
