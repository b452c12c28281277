# Scintilla, the text component of the window's pane, built as a static library from the
# sources scripts/fetch_deps.sh unpacks (the version is pinned there). Windows build only.
# LINSIFT_DEPS_DIR names the cache; it defaults to the script's own default.
set(_linsift_deps_default "$ENV{LINSIFT_DEPS_DIR}")
if(NOT _linsift_deps_default)
  set(_linsift_deps_default "$ENV{HOME}/.cache/linsift/deps")
endif()
set(LINSIFT_DEPS_DIR "${_linsift_deps_default}"
    CACHE PATH "Folder holding the unpacked dependency sources (scripts/fetch_deps.sh)")
# The folder's name, version and all, comes from the pin in scripts/fetch_deps.sh, the one
# place the version is written.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             "${PROJECT_SOURCE_DIR}/scripts/fetch_deps.sh")
file(STRINGS "${PROJECT_SOURCE_DIR}/scripts/fetch_deps.sh" _scintilla_pin REGEX "^ *\"scite ")
string(REGEX MATCH "scintilla-[0-9.]+\"" _scintilla_name "${_scintilla_pin}")
string(REPLACE "\"" "" _scintilla_name "${_scintilla_name}")
set(SCINTILLA_DIR "${LINSIFT_DEPS_DIR}/${_scintilla_name}")

if(NOT EXISTS "${SCINTILLA_DIR}/win32/ScintillaWin.cxx")
  message(FATAL_ERROR "Scintilla's sources are not in ${SCINTILLA_DIR}: run scripts/setup.sh "
                      "(or scripts/fetch_deps.sh) once with access to Debian's archive")
endif()

file(GLOB _scintilla_src CONFIGURE_DEPENDS "${SCINTILLA_DIR}/src/*.cxx")
add_library(scintilla STATIC
  ${_scintilla_src}
  "${SCINTILLA_DIR}/win32/HanjaDic.cxx"
  "${SCINTILLA_DIR}/win32/PlatWin.cxx"
  "${SCINTILLA_DIR}/win32/ScintillaWin.cxx")
target_include_directories(scintilla SYSTEM PUBLIC "${SCINTILLA_DIR}/include"
                           PRIVATE "${SCINTILLA_DIR}/src")
target_compile_definitions(scintilla PRIVATE NDEBUG)
# Its own code, not ours: built as its makefile builds it, without our warnings.
target_compile_options(scintilla PRIVATE -w)
target_link_libraries(scintilla PUBLIC gdi32 user32 imm32 ole32 uuid oleaut32 msimg32)
