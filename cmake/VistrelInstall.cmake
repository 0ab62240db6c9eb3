# Installs the library as a package (component Development): headers under include/vistrel/, the
# library, a CMake package giving Vistrel::gl (its GLEW and OpenGL dependencies found for the consumer)
# and a pkg-config file. Component Programs: the shell and the demo (whose rules are beside it) when
# they are built, with the license and the README.
include(CMakePackageConfigHelpers)

set(VISTREL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Vistrel)

install(TARGETS vistrel_gl EXPORT VistrelTargets COMPONENT Development)
# Headers that only the library's sources include stay behind.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/gl/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vistrel
        COMPONENT Development
        FILES_MATCHING PATTERN "*.h" PATTERN "glEntryPoints.h" EXCLUDE PATTERN "glContext.h" EXCLUDE)
install(EXPORT VistrelTargets NAMESPACE Vistrel:: DESTINATION ${VISTREL_CMAKE_DIR} COMPONENT Development)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/VistrelConfig.cmake.in
    ${PROJECT_BINARY_DIR}/VistrelConfig.cmake INSTALL_DESTINATION ${VISTREL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VistrelConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VistrelConfig.cmake ${PROJECT_BINARY_DIR}/VistrelConfigVersion.cmake
        DESTINATION ${VISTREL_CMAKE_DIR} COMPONENT Development)

# The file finds its prefix from where it lies, so the package can be installed under any prefix.
file(RELATIVE_PATH VISTREL_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
configure_file(${PROJECT_SOURCE_DIR}/cmake/vistrel.pc.in ${PROJECT_BINARY_DIR}/vistrel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vistrel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
        COMPONENT Development)

if(TARGET vistrel)
    install(TARGETS vistrel COMPONENT Programs)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/vistrel COMPONENT Programs)
