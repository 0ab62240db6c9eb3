# Installs the library as a package (component Development): headers under include/vistrel/ with the
# generated version.h, the library (a shared build adds the static one), a CMake package giving
# Vistrel::gl (its GLEW and OpenGL dependencies found for the consumer) and a pkg-config file.
# Component Programs: the shell and the demo (whose rules are beside it) when they are built, their
# manual pages, the license and the README, and in a shared build the runtime library the demo loads,
# so that the programs installed alone start.
include(CMakePackageConfigHelpers)

set(VISTREL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Vistrel)
set(VISTREL_SHARED OFF)
if(VISTREL_LIBRARY_TYPE STREQUAL "SHARED_LIBRARY")
    set(VISTREL_SHARED ON)
endif()

# Component Runtime holds the shared library's runtime files (libvistrel.so.0 and the file it names),
# the Debian runtime package's whole content.
install(TARGETS vistrel_gl EXPORT VistrelTargets
        LIBRARY COMPONENT Runtime NAMELINK_COMPONENT Development
        ARCHIVE COMPONENT Development)
if(TARGET vistrel_gl_static)
    install(TARGETS vistrel_gl_static EXPORT VistrelTargets ARCHIVE COMPONENT Development)
endif()
# Headers that only the library's sources include stay behind.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/gl/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vistrel
        COMPONENT Development
        FILES_MATCHING PATTERN "*.h" PATTERN "glEntryPoints.h" EXCLUDE PATTERN "glContext.h" EXCLUDE
        PATTERN "glChecks.h" EXCLUDE
        PATTERN "glTextureInternal.h" EXCLUDE)
install(FILES ${PROJECT_BINARY_DIR}/generated/vistrel/version.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vistrel COMPONENT Development)
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
if(TARGET vistrel-demo AND VISTREL_SHARED)
    # The demo finds the library relative to itself, so the installed tree works under any prefix and
    # wherever it is moved; the shell links none of it and needs no run path.
    file(RELATIVE_PATH bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
    set_target_properties(vistrel-demo PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_lib}")
    install(TARGETS vistrel_gl LIBRARY COMPONENT Programs NAMELINK_SKIP)
endif()
# Manual pages are installed compressed, as Debian keeps them; -n leaves the time out, so that the same
# page always makes the same file.
foreach(program vistrel vistrel-demo)
    if(TARGET ${program})
        set(page ${PROJECT_SOURCE_DIR}/docs/man/${program}.1)
        file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/man)
        execute_process(COMMAND gzip -9nc ${page} OUTPUT_FILE ${PROJECT_BINARY_DIR}/man/${program}.1.gz
                        COMMAND_ERROR_IS_FATAL ANY)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${page})
        install(FILES ${PROJECT_BINARY_DIR}/man/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
                COMPONENT Programs)
    endif()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/vistrel COMPONENT Programs)
