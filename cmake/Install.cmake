# Install rules, the exported CMake package (find_package(Vel)) and the pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS velhost velzbar vel velbatch velformats EXPORT VelTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# The designer's side is a run-time dependency of veldesign and the design package only: no
# headers, not part of the exported package.
if(BUILD_SHARED_LIBS)
    install(TARGETS veldesigner LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()

set(VEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Vel)
install(EXPORT VelTargets NAMESPACE Vel:: DESTINATION ${VEL_CMAKE_DIR})
# The Qt integration is a set of its own, which the package loads only where Qt 6 is found.
if(VEL_QT)
    install(TARGETS velqt EXPORT VelQtTargets
            LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
            FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
    install(EXPORT VelQtTargets NAMESPACE Vel:: DESTINATION ${VEL_CMAKE_DIR})
endif()
configure_package_config_file(cmake/VelConfig.cmake.in ${PROJECT_BINARY_DIR}/VelConfig.cmake
                              INSTALL_DESTINATION ${VEL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VelConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VelConfig.cmake ${PROJECT_BINARY_DIR}/VelConfigVersion.cmake
        DESTINATION ${VEL_CMAKE_DIR})

set(VEL_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH VEL_PC_PREFIX_FROM_PCDIR /prefix/${VEL_PC_DIR} /prefix)
# A shared install links its picture libraries itself, so its vel.pc names none of them (and
# pkg-config needs no -dev package of theirs); a static install hands them to the consumer.
set(VEL_PC_PRIVATE "")
if(NOT BUILD_SHARED_LIBS)
    list(JOIN VEL_PC_CODEC_MODULES " " VEL_PC_REQUIRES)
    # zxing-cpp's pkg-config module is named zxing.
    if(VEL_HAVE_ZXING)
        string(APPEND VEL_PC_REQUIRES " zxing")
    endif()
    list(JOIN VEL_PC_CODEC_LIBS " " VEL_PC_LIBS)
    set(VEL_PC_PRIVATE "Requires.private: ${VEL_PC_REQUIRES}\nLibs.private: ${VEL_PC_LIBS} -ldl\n")
endif()
configure_file(cmake/vel.pc.in ${PROJECT_BINARY_DIR}/vel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vel.pc DESTINATION ${VEL_PC_DIR})
