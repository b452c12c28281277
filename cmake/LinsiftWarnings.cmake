# Warnings on for our own targets, and the sanitizers when asked for.
add_library(linsift_options INTERFACE)
target_compile_options(linsift_options INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion>)
if(WIN32)
  # Plain Win32 ANSI calls throughout; no <windows.h> min/max macros.
  target_compile_definitions(linsift_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX)
endif()
if(LINSIFT_SANITIZE)
  target_compile_options(linsift_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(linsift_options INTERFACE -fsanitize=address,undefined)
endif()
