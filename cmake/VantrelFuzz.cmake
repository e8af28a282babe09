# libFuzzer targets (fuzz/fuzz_*.cpp), one program each. Built only with
# clang and -DVANTREL_FUZZ=ON, which `./dev fuzz` sets together with the
# sanitizers and coverage flags for the whole build.
option(VANTREL_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(VANTREL_FUZZ)
  file(GLOB VANTREL_FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/fuzz_*.cpp)
  foreach(source ${VANTREL_FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE vantrel_internal)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    # The sanitizers of the rest of the build, at link time too: the
    # internal archive is instrumented and needs their runtime.
    vantrel_target_flags(${name})
  endforeach()
endif()
