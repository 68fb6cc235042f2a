# `cmake --install` puts the public headers, libgralith.a and a CMake package `Gralith` exporting
# Gralith::gralith. The package config re-finds the system libraries the engine links as
# GralithLib:: targets (cmake/GralithPkg.cmake).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# An instrumented library needs the sanitizer runtimes wherever it is linked.
if(GRALITH_SANITIZE)
  target_link_options(gralith INTERFACE -fsanitize=address,undefined)
endif()

install(TARGETS gralith EXPORT GralithTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# The public headers only; the backends' classes and the sources' helpers stay in the build.
include(${PROJECT_SOURCE_DIR}/cmake/PublicHeaders.cmake)
foreach(header ${GRALITH_PUBLIC_HEADERS})
  get_filename_component(dir ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${dir})
endforeach()
install(EXPORT GralithTargets NAMESPACE Gralith:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Gralith)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/GralithConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/GralithConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Gralith)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/GralithConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/GralithConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/GralithConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Gralith)

get_property(pkg_calls GLOBAL PROPERTY GRALITH_PKG_CALLS)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/GralithDependencies.cmake "${pkg_calls}")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/GralithDependencies.cmake ${PROJECT_SOURCE_DIR}/cmake/GralithPkg.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Gralith)
