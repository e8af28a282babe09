# Install rules: the shared library, the headers an application compiles
# against (under include/vantrel/, keeping their folders), the demo, a CMake
# package with the target Vantrel::gui, and a pkg-config file.
include(CMakePackageConfigHelpers)

set(VANTREL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Vantrel)

install(TARGETS vantrel_gui EXPORT VantrelTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

vantrel_public_headers(VANTREL_PUBLIC_HEADERS)
foreach(header ${VANTREL_PUBLIC_HEADERS})
  get_filename_component(header_dir ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/${header}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vantrel/${header_dir})
endforeach()
install(FILES ${PROJECT_BINARY_DIR}/include/vantrel/Version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vantrel)

if(TARGET vantrel-view)
  install(TARGETS vantrel-view RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(EXPORT VantrelTargets NAMESPACE Vantrel:: DESTINATION ${VANTREL_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/VantrelConfig.cmake.in
  ${PROJECT_BINARY_DIR}/VantrelConfig.cmake
  INSTALL_DESTINATION ${VANTREL_CMAKE_DIR})
# A request for another major version is refused by CMake's own check.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VantrelConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VantrelConfig.cmake ${PROJECT_BINARY_DIR}/VantrelConfigVersion.cmake
  DESTINATION ${VANTREL_CMAKE_DIR})

configure_file(${PROJECT_SOURCE_DIR}/cmake/vantrel.pc.in ${PROJECT_BINARY_DIR}/vantrel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vantrel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
