# The one version of Linsift is the project's version (CMakeLists.txt). It reaches the code as a
# generated header (linsift_version), the Windows binaries as a VERSIONINFO resource
# (linsift_add_version_info) and the package names through PROJECT_VERSION.
if(WIN32)
  enable_language(RC)
endif()
if(NOT PROJECT_VERSION_PATCH)
  set(PROJECT_VERSION_PATCH 0)
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/version/LinsiftVersion.h.in
               ${CMAKE_BINARY_DIR}/generated/version/LinsiftVersion.h @ONLY)
add_library(linsift_version INTERFACE)
target_include_directories(linsift_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

# linsift_add_version_info(TARGET FILE_NAME DESCRIPTION [EXTRA_RC file.rc [DEPENDS files...]])
# Gives TARGET (Windows only) a VERSIONINFO resource naming FILE_NAME and DESCRIPTION (ASCII),
# plus the resources of EXTRA_RC (a manifest, an icon) when given. The resource compiler
# reports no dependencies, so EXTRA_RC and the files it takes in are named in DEPENDS.
function(linsift_add_version_info target file_name description)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "EXTRA_RC" "DEPENDS" ${ARGN})
  set(LINSIFT_RC_FILE_NAME ${file_name})
  set(LINSIFT_RC_DESCRIPTION ${description})
  set(LINSIFT_RC_FILE_TYPE VFT_APP)
  if(file_name MATCHES "\\.dll$")
    set(LINSIFT_RC_FILE_TYPE VFT_DLL)
  endif()
  set(LINSIFT_RC_EXTRA "")
  if(ARG_EXTRA_RC)
    set(LINSIFT_RC_EXTRA "#include \"${ARG_EXTRA_RC}\"")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version/VersionInfo.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  if(ARG_EXTRA_RC)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${ARG_EXTRA_RC};${ARG_DEPENDS}")
  endif()
endfunction()
