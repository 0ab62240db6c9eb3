# Debian packages of a release build, made by `cpack -G DEB` (or plain `cpack`) in the build directory:
#   libvistrel-dev  component Development: headers, library, CMake package, pkg-config file
#   vistrel         component Programs: the shell and the demo with its shaders, the license, the README
# The packages come from the default static build, so the programs depend on system libraries only.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vistrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the Vistrel authors")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Development)
if(TARGET vistrel OR TARGET vistrel-demo)
    list(APPEND CPACK_COMPONENTS_ALL Programs)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(VISTREL_DEB_MAINTAINER "Vistrel maintainers <maintainers@vistrel.invalid>"
    CACHE STRING "Maintainer field of the Debian packages")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VISTREL_DEB_MAINTAINER})

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libvistrel-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# The CMake package and the pkg-config file hand GLEW and GL on to the consumer's build.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libglew-dev, libgl-dev")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "OpenGL object wrappers for C++ (development files)
Vistrel wraps the GL objects a graphics program needs: shaders and programs,
textures and sampler state, render-state records, framebuffer objects and an
offscreen render target, vertex buffers and a GL error check. This package
holds the headers (include/vistrel/), the static library, the CMake package
(find_package(Vistrel), target Vistrel::gl) and the pkg-config file (vistrel).")
# Every package carries the license; this copy is made for the package alone, not by `cmake --install`.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/libvistrel-dev
        RENAME copyright COMPONENT Development EXCLUDE_FROM_ALL)

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME vistrel)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION "OpenGL window shell and demo
vistrel opens a GLUT window that renders continuously and shows its frame
rate. vistrel-demo draws a rotating cube, textured, lit and mirroring a sky,
offscreen with every unit of the Vistrel library and shows it in a window.")

include(CPack)
