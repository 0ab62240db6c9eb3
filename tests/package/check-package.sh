#!/bin/sh
# check-package.sh BUILD_DIR CONSUMER_DIR CXX ["CXXFLAGS"]
# Installs the library from BUILD_DIR into a fresh prefix, then builds the quick start against it twice,
# through the CMake package and through pkg-config, and runs both builds.
set -eu
build=$1
consumer=$2
cxx=$3
# CTest drops an empty argument, as the flags are without the sanitizers.
flags=${4:-}

# The driver unloads itself at exit, leaving its own leaks without a library name to suppress them by;
# the library's leaks are checked by the GL tests, which keep the driver loaded.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
export ASAN_OPTIONS

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
test -f "$work/prefix/include/vistrel/glProgram.h"
test -f "$work/prefix/share/doc/vistrel/LICENSE"

cmake -S "$consumer" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
cmake --build "$work/cmake" >/dev/null
"$work/cmake/quickstart"

pc=$(find "$work/prefix" -name vistrel.pc)
PKG_CONFIG_PATH=$(dirname "$pc")
export PKG_CONFIG_PATH
# shellcheck disable=SC2046,SC2086
"$cxx" $flags -std=c++17 "$consumer/main.cpp" $(pkg-config --cflags --libs vistrel) -lglut -o "$work/quickstart-pc"
# Code written when the headers were included by their bare names keeps compiling.
# shellcheck disable=SC2046
echo '#include "glProgram.h"' | "$cxx" -std=c++17 -fsyntax-only -x c++ - $(pkg-config --cflags vistrel)
"$work/quickstart-pc"
# Code written when the headers were included by their bare names keeps compiling.
# shellcheck disable=SC2046
echo '#include "glProgram.h"' | "$cxx" -std=c++17 -fsyntax-only -x c++ - $(pkg-config --cflags vistrel)
