cmake_minimum_required(VERSION 3.18)

# Builds and runs the example application of examples/consumer the two ways
# an application reaches the library. Run with cmake -P and:
#   MODE          installed: install the built library into a fresh prefix
#                 and find it as a package; subdirectory: build the library
#                 from source inside the application's tree
#   SOURCE_DIR    the library's source tree
#   BINARY_DIR    the library's build tree (installed mode)
#   WORK_DIR      scratch directory, emptied first
#   GENERATOR, CXX_COMPILER, COMPILER_LAUNCHER, SANITIZE  how to build

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    string(REPLACE ";" " " cmd "${ARGN}")
    message(FATAL_ERROR "failed (${rc}): ${cmd}\n${out}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(consumer ${SOURCE_DIR}/examples/consumer)
set(configure ${CMAKE_COMMAND} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX_COMPILER})
if(COMPILER_LAUNCHER)
  list(APPEND configure -DCMAKE_CXX_COMPILER_LAUNCHER=${COMPILER_LAUNCHER})
endif()

if(MODE STREQUAL "installed")
  set(prefix ${WORK_DIR}/prefix)
  run(${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${prefix})
  # The library it links was built with the sanitizers: the application must
  # load their runtime first.
  if(SANITIZE)
    list(APPEND configure -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined)
  endif()
  list(APPEND configure -DCMAKE_PREFIX_PATH=${prefix})

  # What the package installs besides the library and its headers.
  file(GLOB sonames ${prefix}/lib*/libvantrel_gui.so.0)
  file(GLOB pkgconfig ${prefix}/lib*/pkgconfig/vantrel.pc)
  foreach(f sonames pkgconfig)
    if(NOT ${f})
      message(FATAL_ERROR "the install has no ${f} file")
    endif()
  endforeach()
  file(STRINGS ${pkgconfig} pc_version REGEX "^Version: ")
  if(NOT pc_version STREQUAL "Version: 0.1.0")
    message(FATAL_ERROR "vantrel.pc says '${pc_version}'")
  endif()
  foreach(h include/vantrel/Version.h include/vantrel/view/GUI_ViewState.h
            include/vantrel/host/RE/RE_OffscreenContext.h include/vantrel/host/UT/SYS_Visibility.h)
    if(NOT EXISTS ${prefix}/${h})
      message(FATAL_ERROR "the install has no ${h}")
    endif()
  endforeach()

  # Asking for another major version is refused by the version file.
  execute_process(COMMAND ${configure} -DVANTREL_WANTED_VERSION=1.0
                          -S ${consumer} -B ${WORK_DIR}/wrong-version
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(rc EQUAL 0 OR NOT out MATCHES "compatible with requested version")
    message(FATAL_ERROR "a request for Vantrel 1.0 was not refused:\n${out}")
  endif()
elseif(MODE STREQUAL "subdirectory")
  # The library's own tests, demo and benchmarks stay off in a parent
  # project, so their packages must not be needed at all.
  list(APPEND configure -DVANTREL_SOURCE_DIR=${SOURCE_DIR}
       -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
       -DCMAKE_DISABLE_FIND_PACKAGE_CLI11=ON
       -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)
else()
  message(FATAL_ERROR "MODE must be installed or subdirectory")
endif()

run(${configure} -S ${consumer} -B ${WORK_DIR}/build)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build -j 2)
if(MODE STREQUAL "subdirectory" AND EXISTS ${WORK_DIR}/build/vantrel/vantrel-view)
  message(FATAL_ERROR "the demo was built inside a parent project")
endif()

find_program(consumer_exe vantrel-consumer PATHS ${WORK_DIR}/build NO_DEFAULT_PATH)
# The example leaves leak checking to the library's own test programs.
set(ENV{ASAN_OPTIONS} "detect_leaks=0")
run(${consumer_exe} ${WORK_DIR}/frame.png)
if(NOT EXISTS ${WORK_DIR}/frame.png)
  message(FATAL_ERROR "the example wrote no frame")
endif()
