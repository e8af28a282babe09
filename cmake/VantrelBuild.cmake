# Helpers shared by the project's CMake files.

# find_package that stops with the Debian package to install when the
# package is missing. Extra arguments go to find_package (COMPONENTS ...).
macro(vantrel_find_package name debian_packages)
  find_package(${name} ${ARGN} QUIET)
  set(_vantrel_missing OFF)
  if(NOT ${name}_FOUND)
    set(_vantrel_missing ON)
  endif()
  if("${name}" STREQUAL "OpenGL" AND NOT (OpenGL_OpenGL_FOUND AND OpenGL_EGL_FOUND))
    set(_vantrel_missing ON)
  endif()
  if(_vantrel_missing)
    message(FATAL_ERROR "Vantrel needs ${name}, which was not found. "
      "On Debian install it with: apt-get install ${debian_packages}")
  endif()
endmacro()

# Warnings, and the sanitizers when asked for, on one of our targets only:
# a parent project's own targets and flags are left as they are.
function(vantrel_target_flags target)
  target_compile_features(${target} PRIVATE cxx_std_17)
  set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(VANTREL_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    get_target_property(kind ${target} TYPE)
    if(NOT kind STREQUAL "OBJECT_LIBRARY" AND NOT kind STREQUAL "STATIC_LIBRARY")
      target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    if(kind STREQUAL "EXECUTABLE")
      target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/sanitizer_defaults.cpp)
    endif()
  endif()
endfunction()
