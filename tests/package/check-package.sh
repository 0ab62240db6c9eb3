#!/bin/sh
# check-package.sh MODE SOURCE_DIR BUILD_DIR CXX ["CXXFLAGS"]
# Builds programs against the library as its users get it, in a scratch directory, and runs them.
#   consumer    BUILD_DIR installed into a fresh prefix; the quick start (consumer/) built through the
#               CMake package and through pkg-config
#   shared      SOURCE_DIR built as a shared library alone, installed, and the quick start built both ways
#               against it
#   deb         the Debian packages of BUILD_DIR, made by cpack: their control fields and file lists, then
#               both unpacked into a scratch root, the quick start built against it and the demo run
#   subproject  SOURCE_DIR built inside the project in subproject/, where only OpenGL and GLEW can be
#               found, and linked into that project's shared object; installing that project installs
#               nothing of Vistrel's
set -eu
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

fail() {
    echo "check-package.sh: $*" >&2
    exit 1
}

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
    readelf -d "$library" | grep -q 'SONAME.*\[libvistrel\.so\.0\]' || fail "no SONAME libvistrel.so.0"
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/build/CMakeCache.txt")
    test "$(readlink "$library")" = "libvistrel.so.$version" || fail "libvistrel.so.0 is not libvistrel.so.$version"
    # The interface leaves the library, the units' internal helpers do not.
    nm -DC --defined-only "$library" >"$work/symbols"
    grep -q 'CglOffscreenBuffer::Create' "$work/symbols" || fail "the offscreen target is not exported"
    if grep -e glEntryPoints -e glContext "$work/symbols"; then
        fail "internal symbols are exported"
    fi
    consume "$work/prefix"
    for program in "$work/cmake/quickstart" "$work/quickstart-pc"; do
        readelf -d "$program" | grep -q 'NEEDED.*\[libvistrel\.so\.0\]' || fail "$program does not load libvistrel.so.0"
    done
    ;;
deb)
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/debs" >/dev/null
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
    dev=$work/debs/libvistrel-dev_${version}_$(dpkg --print-architecture).deb
    programs=$work/debs/vistrel_${version}_$(dpkg --print-architecture).deb
    for deb in "$dev" "$programs"; do
        test "$(dpkg-deb -f "$deb" Version)" = "$version" || fail "$deb: not version $version"
        for field in Section Maintainer Description; do
            test -n "$(dpkg-deb -f "$deb" $field)" || fail "$deb: no $field"
        done
    done
    test "$(dpkg-deb -f "$dev" Depends)" = "libglew-dev, libgl-dev" || fail "$dev: wrong Depends"
    # Computed from the libraries the programs load, with the versions they need.
    dpkg-deb -f "$programs" Depends | grep 'libc6 (>= .*libglut' >/dev/null || fail "$programs: wrong Depends"

    dpkg-deb -c "$dev" | awk '{ print $6 }' >"$work/dev.files"
    dpkg-deb -c "$programs" | awk '{ print $6 }' >"$work/programs.files"
    for file in /include/vistrel/glProgram.h /libvistrel.a /cmake/Vistrel/VistrelConfig.cmake /vistrel.pc; do
        grep -q "$file\$" "$work/dev.files" || fail "$dev lacks $file"
    done
    for file in /bin/vistrel /bin/vistrel-demo /share/vistrel/scene.vert /share/doc/vistrel/LICENSE; do
        grep -q "$file\$" "$work/programs.files" || fail "$programs lacks $file"
    done
    if grep -e glEntryPoints -e glContext -e /bin/ "$work/dev.files" || grep -e /include/ -e /lib/ "$work/programs.files"; then
        fail "files in the wrong package"
    fi

    dpkg-deb -x "$dev" "$work/root"
    dpkg-deb -x "$programs" "$work/root"
    consume "$work/root/usr"
    # The unpacked demo finds its shaders and keeps drawing until it is stopped.
    status=0
    timeout 3 "$work/root/usr/bin/vistrel-demo" 2>"$work/demo.err" || status=$?
    test "$status" -eq 124 || fail "the unpacked demo ended ($status): $(cat "$work/demo.err")"
    ;;
subproject)
    cmake -S "$here/subproject" -B "$work/sub" -DVISTREL_SOURCE_DIR="$source" -DCMAKE_CXX_COMPILER="$cxx" \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" \
        -DCMAKE_DISABLE_FIND_PACKAGE_X11=ON -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON \
        -DCMAKE_DISABLE_FIND_PACKAGE_GLUT=ON -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
        -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
    cmake --build "$work/sub" -j 2 >/dev/null
    "$work/sub/app"
    cmake --install "$work/sub" --prefix "$work/prefix" >/dev/null
    test "$(find "$work/prefix" -type f)" = "$work/prefix/bin/app"
    ;;
*)
    echo "check-package.sh: unknown mode $mode" >&2
    exit 2
    ;;
esac
