# GoogleTest is built from Debian's source package, so the same sources serve the
# native, sanitizer and MinGW builds; nothing is downloaded.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
if(WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
set(LINSIFT_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
add_subdirectory(${LINSIFT_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# linsift_add_test(NAME SOURCES... [LIBS ...] [ENV ...] [PREFIX text])
# One test executable per area; every case becomes its own ctest entry, named behind PREFIX.
# Under Wine the cases are listed at test time through the cross-compiling emulator.
function(linsift_add_test name)
  cmake_parse_arguments(ARG "" "PREFIX" "SOURCES;LIBS;ENV;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest linsift_test_main
                        linsift_test_support linsift_options)
  set(props TIMEOUT 600)
  if(ARG_ENV)
    list(APPEND props ENVIRONMENT "${ARG_ENV}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 TEST_PREFIX "${ARG_PREFIX}"
                       PROPERTIES ${props} ${ARG_PROPERTIES})
endfunction()
