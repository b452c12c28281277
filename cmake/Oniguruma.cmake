# Oniguruma, the regular-expression library, as the target `linsift_onig`.
# Native builds link Debian's libonig-dev (6.9.8). The Windows build compiles the same version
# from Debian's source package, which scripts/fetch_deps.sh unpacks into LINSIFT_DEPS_DIR, and
# links it statically; its licence is copied beside the programs.
if(WIN32)
  set(LINSIFT_DEPS_DIR "$ENV{HOME}/.cache/linsift/deps" CACHE PATH
      "Folder holding the pinned Debian sources (scripts/fetch_deps.sh)")
  set(onig_source ${LINSIFT_DEPS_DIR}/oniguruma-6.9.8)
  if(NOT EXISTS ${onig_source}/CMakeLists.txt)
    message(FATAL_ERROR "Oniguruma 6.9.8 sources not found in ${onig_source}: run "
                        "scripts/fetch_deps.sh (or scripts/setup.sh), or set LINSIFT_DEPS_DIR")
  endif()
  # A static library, without its documentation or samples.
  set(BUILD_SHARED_LIBS OFF CACHE BOOL "Oniguruma as a static library" FORCE)
  set(INSTALL_DOCUMENTATION OFF CACHE BOOL "" FORCE)
  add_subdirectory(${onig_source} ${CMAKE_BINARY_DIR}/oniguruma EXCLUDE_FROM_ALL SYSTEM)
  add_library(linsift_onig INTERFACE)
  target_link_libraries(linsift_onig INTERFACE onig)
  configure_file(${onig_source}/COPYING ${CMAKE_BINARY_DIR}/bin/COPYING.oniguruma.txt COPYONLY)
else()
  find_path(LINSIFT_ONIG_INCLUDE oniguruma.h)
  find_library(LINSIFT_ONIG_LIBRARY onig)
  if(NOT LINSIFT_ONIG_INCLUDE OR NOT LINSIFT_ONIG_LIBRARY)
    message(FATAL_ERROR "Oniguruma not found: install Debian's libonig-dev (scripts/setup.sh)")
  endif()
  add_library(linsift_onig INTERFACE)
  target_include_directories(linsift_onig SYSTEM INTERFACE ${LINSIFT_ONIG_INCLUDE})
  target_link_libraries(linsift_onig INTERFACE ${LINSIFT_ONIG_LIBRARY})
endif()
