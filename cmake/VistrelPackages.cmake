# Debian packages of a shared release build installed to /usr, made by `cpack -G DEB` (or plain `cpack`)
# in the build directory:
#   libvistrel0     component Runtime: the shared library, named after its SONAME
#   libvistrel-dev  component Development: headers, the .so link, the static library, the CMake package,
#                   the pkg-config file
#   vistrel         component Programs: the shell and the demo with its shaders and manual pages, the
#                   license, the README and the changelog
# Each carries a copyright file and a changelog of its own in /usr/share/doc/<package>/.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vistrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the Vistrel authors")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
if(TARGET vistrel OR TARGET vistrel-demo)
    list(APPEND CPACK_COMPONENTS_ALL Programs)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(VISTREL_DEB_MAINTAINER "Vistrel maintainers <maintainers@vistrel.invalid>"
    CACHE STRING "Maintainer field of the Debian packages")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VISTREL_DEB_MAINTAINER})
# Debian ships binaries without their symbol tables.
set(CPACK_STRIP_FILES ON)
# The file says what cpack does to the staged files, and to the packages once made.
configure_file(${PROJECT_SOURCE_DIR}/cmake/VistrelCPackSteps.cmake.in
               ${PROJECT_BINARY_DIR}/VistrelCPackSteps.cmake @ONLY)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_BINARY_DIR}/VistrelCPackSteps.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_BINARY_DIR}/VistrelCPackSteps.cmake)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libvistrel${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# Any later release of the same major version serves a program built against this one.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "OpenGL object wrappers for C++ (shared library)
Vistrel wraps the GL objects a graphics program needs: shaders and programs,
textures and sampler state, render-state records, framebuffer objects and an
offscreen render target, vertex buffers and a GL error check.
.
This package holds the shared library that programs built with Vistrel load.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libvistrel-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# The CMake package and the pkg-config file hand GLEW and GL on to the consumer's build; the component
# dependency adds libvistrel0 of this very version.
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS Runtime)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libglew-dev, libgl-dev")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "OpenGL object wrappers for C++ (development files)
Vistrel wraps the GL objects a graphics program needs: shaders and programs,
textures and sampler state, render-state records, framebuffer objects and an
offscreen render target, vertex buffers and a GL error check.
.
This package holds the headers (include/vistrel/), the shared library's link,
the static library, the CMake package (find_package(Vistrel), target
Vistrel::gl) and the pkg-config file (vistrel).")

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME vistrel)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION graphics)
set(CPACK_COMPONENT_PROGRAMS_DEPENDS Runtime)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SHLIBDEPS ON)
# The demo's own library is found in the build tree; libvistrel0 is its dependency already.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/gl)
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION "OpenGL window shell and demo
vistrel opens a GLUT window that renders continuously and shows its frame
rate. vistrel-demo draws a rotating cube, textured, lit and mirroring a sky,
offscreen with every unit of the Vistrel library and shows it in a window.")

# The copyright file in Debian's machine-readable form, from the license.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${license}")
set(VISTREL_COPYRIGHT "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*\n\n(Permission)" "\\1" license "${license}")
string(STRIP "${license}" license)
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " VISTREL_LICENSE_TEXT "${license}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/copyright.in ${PROJECT_BINARY_DIR}/debian/copyright @ONLY)

# The Debian changelog, one entry for each section of CHANGELOG.md, whose newest must be this version.
# Semicolons and brackets would change how CMake splits the list of lines, so they travel as placeholders.
file(READ ${PROJECT_SOURCE_DIR}/CHANGELOG.md changelog)
string(REPLACE ";" "<semicolon>" changelog "${changelog}")
string(REPLACE "[" "<open>" changelog "${changelog}")
string(REPLACE "]" "<close>" changelog "${changelog}")
string(REPLACE "\n" ";" lines "${changelog}")
set(debian_changelog "")
set(trailer "")
foreach(line IN LISTS lines)
    if(line MATCHES "^## ([0-9.]+) - ([0-9-]+)$")
        if(NOT debian_changelog AND NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
            message(FATAL_ERROR "CHANGELOG.md's newest section is ${CMAKE_MATCH_1}, not ${PROJECT_VERSION}")
        endif()
        execute_process(COMMAND date -R -u -d ${CMAKE_MATCH_2} OUTPUT_VARIABLE date
                        OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        string(APPEND debian_changelog "${trailer}vistrel (${CMAKE_MATCH_1}) unstable; urgency=medium\n\n")
        set(trailer "\n -- ${VISTREL_DEB_MAINTAINER}  ${date}\n\n")
    elseif(debian_changelog AND line MATCHES "^- (.*)")
        string(APPEND debian_changelog "  * ${CMAKE_MATCH_1}\n")
    elseif(debian_changelog AND line MATCHES "^  (.*)")
        string(APPEND debian_changelog "    ${CMAKE_MATCH_1}\n")
    endif()
endforeach()
if(NOT debian_changelog)
    message(FATAL_ERROR "CHANGELOG.md has no section for ${PROJECT_VERSION}")
endif()
string(REPLACE "<semicolon>" ";" debian_changelog "${debian_changelog}${trailer}")
string(REPLACE "<open>" "[" debian_changelog "${debian_changelog}")
string(REPLACE "<close>" "]" debian_changelog "${debian_changelog}")
string(STRIP "${debian_changelog}" debian_changelog)
file(WRITE ${PROJECT_BINARY_DIR}/debian/changelog "${debian_changelog}\n")
execute_process(COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/debian/changelog
                OUTPUT_FILE ${PROJECT_BINARY_DIR}/debian/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/CHANGELOG.md)

# Made for the packages alone, not by `cmake --install`.
foreach(component Runtime Development Programs)
    string(TOUPPER ${component} upper)
    install(FILES ${PROJECT_BINARY_DIR}/debian/copyright ${PROJECT_BINARY_DIR}/debian/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME}
            COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()

include(CPack)
