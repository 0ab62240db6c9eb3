#!/bin/sh
# check-package.sh MODE SOURCE_DIR BUILD_DIR CXX ["CXXFLAGS"]
# Builds programs against the library as its users get it, in a scratch directory, and runs them.
#   consumer    BUILD_DIR installed into a fresh prefix; the quick start (consumer/) built through the
#               CMake package and through pkg-config
#   subproject  SOURCE_DIR built inside the project in subproject/, where only OpenGL and GLEW can be
#               found; installing that project installs nothing of Vistrel's
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
