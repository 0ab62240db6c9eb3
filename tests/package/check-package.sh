#!/bin/sh
# check-package.sh MODE SOURCE_DIR BUILD_DIR CXX ["CXXFLAGS"]
# Builds programs against the library as its users get it, in a scratch directory, and runs them. The
# trace of commands shows which check failed.
#   consumer    BUILD_DIR installed; the quick start (consumer/) built through the CMake package and
#               through pkg-config
#   shared      SOURCE_DIR built as a shared library alone and installed; the quick start both ways
#   deb         the Debian packages of BUILD_DIR: control fields and file lists, then both unpacked into a
#               scratch root, the quick start built against it and the demo run
#   subproject  SOURCE_DIR built inside the project in subproject/, where only OpenGL and GLEW can be
#               found; installing that project installs nothing of Vistrel's
set -eux
mode=$1
source=$2
build=$3
cxx=$4
# CTest drops an empty argument, as the flags are without the sanitizers.
flags=${5:-}
here=$(cd "$(dirname "$0")" && pwd)

# The driver unloads itself at exit, leaving its own leaks without a library name to suppress them by;
# the library's leaks are checked by the GL tests, which keep the driver loaded.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
export ASAN_OPTIONS

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# consume PREFIX: the quick start against the package installed under PREFIX, built both ways and run.
consume() {
    # The package must leave the consumer's choice of GL library alone.
    cmake -S "$here/consumer" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$1" -DCMAKE_CXX_COMPILER="$cxx" \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" -DOpenGL_GL_PREFERENCE=LEGACY >/dev/null
    grep -q '/libGL\.so' "$work/cmake/CMakeFiles/quickstart.dir/link.txt"
    cmake --build "$work/cmake" >/dev/null
    "$work/cmake/quickstart"

    PKG_CONFIG_PATH=$(dirname "$(find "$1" -name vistrel.pc)")
    export PKG_CONFIG_PATH
    # shellcheck disable=SC2046,SC2086
    "$cxx" $flags -std=c++17 "$here/consumer/main.cpp" $(pkg-config --cflags --libs vistrel) -lglut \
        -o "$work/quickstart-pc"
    LD_LIBRARY_PATH=$(pkg-config --variable=libdir vistrel) "$work/quickstart-pc"
    # Code written when the headers were included by their bare names keeps compiling.
    # shellcheck disable=SC2046
    echo '#include "glProgram.h"' | "$cxx" -std=c++17 -fsyntax-only -x c++ - $(pkg-config --cflags vistrel)
}

case $mode in
consumer)
    cmake --install "$build" --prefix "$work/prefix" >/dev/null
    test -f "$work/prefix/share/doc/vistrel/LICENSE"
    consume "$work/prefix"
    ;;
shared)
    cmake -S "$source" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
        -DVISTREL_BUILD_SHELL=OFF -DVISTREL_BUILD_TOOLS=OFF -DVISTREL_BUILD_EXAMPLES=OFF \
        -DVISTREL_BUILD_TESTS=OFF -DVISTREL_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "$work/build" -j 2 >/dev/null
    cmake --install "$work/build" --prefix "$work/prefix" >/dev/null
    library=$(find "$work/prefix" -name libvistrel.so.0)
    readelf -d "$library" | grep -q 'SONAME.*\[libvistrel\.so\.0\]'
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/build/CMakeCache.txt")
    test "$(readlink "$library")" = "libvistrel.so.$version"
    # The interface leaves the library, the units' internal helpers do not.
    nm -DC --defined-only "$library" >"$work/symbols"
    grep -q 'CglOffscreenBuffer::Create' "$work/symbols"
    test "$(grep -c -e glEntryPoints -e glContext "$work/symbols")" -eq 0
    consume "$work/prefix"
    readelf -d "$work/cmake/quickstart" | grep -q 'NEEDED.*\[libvistrel\.so\.0\]'
    readelf -d "$work/quickstart-pc" | grep -q 'NEEDED.*\[libvistrel\.so\.0\]'
    ;;
deb)
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/debs" >/dev/null
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
    dev=$work/debs/libvistrel-dev_${version}_$(dpkg --print-architecture).deb
    programs=$work/debs/vistrel_${version}_$(dpkg --print-architecture).deb
    for deb in "$dev" "$programs"; do
        test "$(dpkg-deb -f "$deb" Version)" = "$version"
        # Each field present and not empty; a description's further lines start with a space.
        test "$(dpkg-deb -f "$deb" Section Maintainer Description | grep -c '^[A-Z][a-z]*: .')" -eq 3
    done
    test "$(dpkg-deb -f "$dev" Depends)" = "libglew-dev, libgl-dev"
    # Computed from the libraries the programs load, with the versions they need.
    dpkg-deb -f "$programs" Depends | grep -q 'libc6 (>= .*libglut'

    dpkg-deb -c "$dev" | awk '{ print $6 }' >"$work/dev.files"
    dpkg-deb -c "$programs" | awk '{ print $6 }' >"$work/programs.files"
    for file in /include/vistrel/glProgram.h /libvistrel.a /cmake/Vistrel/VistrelConfig.cmake /vistrel.pc; do
        grep -q "$file\$" "$work/dev.files"
    done
    for file in /bin/vistrel /bin/vistrel-demo /share/vistrel/scene.vert /share/doc/vistrel/LICENSE; do
        grep -q "$file\$" "$work/programs.files"
    done
    test "$(grep -c -e glEntryPoints -e glContext -e /bin/ "$work/dev.files")" -eq 0
    test "$(grep -c -e /include/ -e /lib/ "$work/programs.files")" -eq 0

    dpkg-deb -x "$dev" "$work/root"
    dpkg-deb -x "$programs" "$work/root"
    consume "$work/root/usr"
    # The unpacked demo finds its shaders and keeps drawing until it is stopped.
    status=0
    timeout 3 "$work/root/usr/bin/vistrel-demo" || status=$?
    test "$status" -eq 124
    ;;
subproject)
    cmake -S "$here/subproject" -B "$work/sub" -DVISTREL_SOURCE_DIR="$source" -DCMAKE_CXX_COMPILER="$cxx" \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" \
        -DCMAKE_DISABLE_FIND_PACKAGE_X11=ON -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON \
        -DCMAKE_DISABLE_FIND_PACKAGE_GLUT=ON -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
        -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
    cmake --build "$work/sub" -j 2 >/dev/null
    cmake --install "$work/sub" --prefix "$work/prefix" >/dev/null
    test "$(find "$work/prefix" -type f)" = "$work/prefix/lib/libplugin.so"
    ;;
*)
    exit 2
    ;;
esac
