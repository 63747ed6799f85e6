# Install rules, the exported CMake package (find_package(Vel)) and the pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS velhost vel EXPORT VelTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY host/include/ zbar/include/ component/include/
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(VEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Vel)
install(EXPORT VelTargets NAMESPACE Vel:: DESTINATION ${VEL_CMAKE_DIR})
configure_package_config_file(cmake/VelConfig.cmake.in ${PROJECT_BINARY_DIR}/VelConfig.cmake
                              INSTALL_DESTINATION ${VEL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VelConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VelConfig.cmake ${PROJECT_BINARY_DIR}/VelConfigVersion.cmake
        DESTINATION ${VEL_CMAKE_DIR})

configure_file(cmake/vel.pc.in ${PROJECT_BINARY_DIR}/vel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
