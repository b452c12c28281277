# Scintilla, the text component of the window's pane, built as a static library from the
# sources scripts/fetch_deps.sh unpacks (the version is pinned there). Windows build only.
# LINSIFT_DEPS_DIR names the cache; it defaults to the script's own default.
set(_linsift_deps_default "$ENV{LINSIFT_DEPS_DIR}")
if(NOT _linsift_deps_default)
  set(_linsift_deps_default "$ENV{HOME}/.cache/linsift/deps")
endif()
set(LINSIFT_DEPS_DIR "${_linsift_deps_default}"
    CACHE PATH "Folder holding the unpacked dependency sources (scripts/fetch_deps.sh)")
set(SCINTILLA_DIR "${LINSIFT_DEPS_DIR}/scintilla-5.3.3"
    CACHE PATH "Scintilla's unpacked source folder")

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
