# The soak run (apps/vantrel-soak): a long draw loop that fails when display
# objects or resident memory grow. Its scene and meter are a small archive
# so the tests can check them too; it links the internal archive because it
# reads the render context's statistics.
if(VANTREL_BUILD_TESTS OR VANTREL_BUILD_BENCH)
  file(GLOB VANTREL_SOAK_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/apps/vantrel-soak/Soak*.cpp)
  add_library(vantrel_soak_parts STATIC EXCLUDE_FROM_ALL ${VANTREL_SOAK_SOURCES})
  target_link_libraries(vantrel_soak_parts PUBLIC vantrel_internal)
  vantrel_target_flags(vantrel_soak_parts)
  add_executable(vantrel-soak ${PROJECT_SOURCE_DIR}/apps/vantrel-soak/main.cpp)
  target_link_libraries(vantrel-soak PRIVATE vantrel_soak_parts)
  vantrel_target_flags(vantrel-soak)
endif()
