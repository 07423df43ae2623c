# Install rules of the engine (component "development") and the Velmor
# package: the libraries as Velmor::<name>, the
# headers under include/velmor/ in the source layout (so "core/Core.h" reads
# the same inside and outside the tree), and a config that finds what the
# libraries link against.
include(CMakePackageConfigHelpers)
set(VELMOR_CONFIG_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Velmor)

get_property(VELMOR_PACKAGE_TARGETS GLOBAL PROPERTY VELMOR_PACKAGE_TARGETS)
install(TARGETS ${VELMOR_PACKAGE_TARGETS} EXPORT VelmorTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
        INCLUDES DESTINATION ${VELMOR_INCLUDE_INSTALL_DIR})
# The headers of the installed libraries only: not a backend this build
# does not have (the harness of the tests and tools is in tests/, which is
# not installed), and not WindowsApi.h, which only .cpp files include.
set(VELMOR_HEADER_EXCLUDES PATTERN WindowsApi.h EXCLUDE)
if(NOT TARGET velmor_sdl)
  list(APPEND VELMOR_HEADER_EXCLUDES PATTERN sdl EXCLUDE)
endif()
if(NOT TARGET velmor_win32)
  list(APPEND VELMOR_HEADER_EXCLUDES PATTERN win32 EXCLUDE)
endif()
install(DIRECTORY ai components core game graphics objects physics platform
        DESTINATION ${VELMOR_INCLUDE_INSTALL_DIR} COMPONENT development
        FILES_MATCHING PATTERN "*.h" ${VELMOR_HEADER_EXCLUDES})
install(EXPORT VelmorTargets NAMESPACE Velmor:: DESTINATION ${VELMOR_CONFIG_INSTALL_DIR} COMPONENT development)

# Read by the config template.
if(TARGET velmor_sdl)
  set(VELMOR_HAS_SDL ON)
else()
  set(VELMOR_HAS_SDL OFF)
endif()
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VelmorConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/VelmorConfig.cmake
                              INSTALL_DESTINATION ${VELMOR_CONFIG_INSTALL_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VelmorConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VelmorConfig.cmake ${PROJECT_BINARY_DIR}/VelmorConfigVersion.cmake
        DESTINATION ${VELMOR_CONFIG_INSTALL_DIR} COMPONENT development)
