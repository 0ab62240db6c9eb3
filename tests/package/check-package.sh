#!/bin/sh
# check-package.sh MODE SOURCE_DIR BUILD_DIR CXX ["CXXFLAGS"]
# Builds programs against the library as its users get it, in a scratch directory, and runs them. The
# trace of commands shows which check failed.
#   consumer    BUILD_DIR installed; the quick start (consumer/) built through the CMake package and
#               through pkg-config; the programs' component installed alone, the demo run from there
#   shared      SOURCE_DIR built as a shared library alone and installed; the quick start both ways
#   deb         SOURCE_DIR built as a distribution builds it (shared, for /usr) and its Debian packages:
#               lintian, control fields and file lists, then all three unpacked into a scratch root, the
#               quick start built against it (also statically) and the demo run; the demo also run from
#               the programs' component installed alone
#   subproject  SOURCE_DIR built inside the project in subproject/, where only OpenGL and GLEW can be
#               found; installing that project installs nothing of Vistrel's. Then built shared with the
#               demo, whose component installed alone runs
set -eux
mode=$1
source=$2
build=$3
cxx=$4
# CTest drops an empty argument, as the flags are without the sanitizers.
flags=${5:-}
here=$(cd "$(dirname "$0")" && pwd)
version=$(sed -n 's/^project(Vistrel VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)

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
    # The programs built here read the quick start's shaders from beside themselves.
    cp "$here/consumer/quickstart.vert" "$here/consumer/quickstart.frag" "$work/"
    # shellcheck disable=SC2046,SC2086
    "$cxx" $flags -std=c++17 "$here/consumer/main.cpp" $(pkg-config --cflags --libs vistrel) -lglut \
        -o "$work/quickstart-pc"
    LD_LIBRARY_PATH=$(pkg-config --variable=libdir vistrel) "$work/quickstart-pc"
    # Code written when the headers were included by their bare names keeps compiling.
    # shellcheck disable=SC2046
    echo '#include "glProgram.h"' | "$cxx" -std=c++17 -fsyntax-only -x c++ - $(pkg-config --cflags vistrel)
    # The version header gives the version that project() declares.
    # shellcheck disable=SC2046,SC2086
    printf '%s\n' '#include <vistrel/version.h>' '#include <cstdio>' 'int main() {' \
        '    printf("%d.%d.%d %s", VISTREL_VERSION_MAJOR, VISTREL_VERSION_MINOR, VISTREL_VERSION_PATCH,' \
        '           VISTREL_VERSION_STRING);' '}' |
        "$cxx" $flags -x c++ - $(pkg-config --cflags vistrel) -o "$work/version"
    test "$("$work/version")" = "$version $version"
}

# run_demo PREFIX: the demo installed under PREFIX finds its library and shaders and keeps drawing until
# it is stopped.
run_demo() {
    status=0
    timeout 3 "$1/bin/vistrel-demo" || status=$?
    test "$status" -eq 124
}

case $mode in
consumer)
    cmake --install "$build" --prefix "$work/prefix" >/dev/null
    test -f "$work/prefix/share/doc/vistrel/LICENSE"
    consume "$work/prefix"
    cmake --install "$build" --component Programs --prefix "$work/programs" >/dev/null
    run_demo "$work/programs"
    ;;
shared)
    cmake -S "$source" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
        -DVISTREL_BUILD_SHELL=OFF -DVISTREL_BUILD_TOOLS=OFF -DVISTREL_BUILD_EXAMPLES=OFF \
        -DVISTREL_BUILD_TESTS=OFF -DVISTREL_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "$work/build" -j 2 >/dev/null
    cmake --install "$work/build" --prefix "$work/prefix" >/dev/null
    library=$(find "$work/prefix" -name libvistrel.so.0)
    readelf -d "$library" | grep -q 'SONAME.*\[libvistrel\.so\.0\]'
    test "$(readlink "$library")" = "libvistrel.so.$version"
    # Packages come only from a shared build for /usr.
    if cpack -G DEB --config "$work/build/CPackConfig.cmake" -B "$work/debs" >/dev/null 2>&1; then exit 1; fi
    # The interface leaves the library, the units' internal helpers do not.
    nm -DC --defined-only "$library" >"$work/symbols"
    grep -q 'CglOffscreenBuffer::Create' "$work/symbols"
    grep -q 'glForgetCurrentContext' "$work/symbols"
    test "$(grep -c -e glEntryPoints -e glContext "$work/symbols")" -eq 0
    consume "$work/prefix"
    readelf -d "$work/cmake/quickstart" | grep -q 'NEEDED.*\[libvistrel\.so\.0\]'
    readelf -d "$work/quickstart-pc" | grep -q 'NEEDED.*\[libvistrel\.so\.0\]'
    ;;
deb)
    cmake -S "$source" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
        -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_COMPILER="$cxx" -DVISTREL_BUILD_TOOLS=OFF \
        -DVISTREL_BUILD_TESTS=OFF -DVISTREL_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "$work/build" -j 2 >/dev/null
    cpack -G DEB --config "$work/build/CPackConfig.cmake" -B "$work/debs" >/dev/null
    arch=$(dpkg --print-architecture)
    runtime=$work/debs/libvistrel0_${version}_$arch.deb
    dev=$work/debs/libvistrel-dev_${version}_$arch.deb
    programs=$work/debs/vistrel_${version}_$arch.deb
    lintian --pedantic --fail-on error,warning "$runtime" "$dev" "$programs"
    for deb in "$runtime" "$dev" "$programs"; do
        test "$(dpkg-deb -f "$deb" Version)" = "$version"
        # Each field present and not empty; a description's further lines start with a space.
        test "$(dpkg-deb -f "$deb" Section Maintainer Description | grep -c '^[A-Z][a-z]*: .')" -eq 3
        package=$(dpkg-deb -f "$deb" Package)
        dpkg-deb -c "$deb" | awk '{ print $6 }' >"$work/$package.files"
        grep -q "/usr/share/doc/$package/copyright\$" "$work/$package.files"
        grep -q "/usr/share/doc/$package/changelog.gz\$" "$work/$package.files"
    done
    test "$(dpkg-deb -f "$dev" Depends)" = "libvistrel0 (= $version), libglew-dev, libgl-dev"
    # Computed from the libraries the programs and the library load, with the versions they need.
    dpkg-deb -f "$programs" Depends | grep -q "^libvistrel0 (= $version), libc6 (>= .*libglut"
    dpkg-deb -f "$runtime" Depends | grep -q 'libglew'
    test "$(dpkg-deb -I "$runtime" shlibs)" = "libvistrel 0 libvistrel0 (>= $version)"

    lib=/usr/lib/$multiarch
    test "$(grep -v /usr/share/doc/ "$work/libvistrel0.files" | grep -c -v /\$)" -eq 2
    grep -q "$lib/libvistrel.so.$version\$" "$work/libvistrel0.files"
    for file in /include/vistrel/glProgram.h /include/vistrel/glRenderState.h /include/vistrel/glError.h \
        /include/vistrel/glCurrentContext.h /include/vistrel/version.h $lib/libvistrel.a $lib/libvistrel.so $lib/cmake/Vistrel/VistrelConfig.cmake \
        $lib/pkgconfig/vistrel.pc; do
        grep -q "$file\$" "$work/libvistrel-dev.files"
    done
    for file in /bin/vistrel /bin/vistrel-demo /share/vistrel/scene.vert /share/doc/vistrel/LICENSE \
        /man1/vistrel.1.gz /man1/vistrel-demo.1.gz; do
        grep -q "$file\$" "$work/vistrel.files"
    done
    test "$(grep -c -e glEntryPoints -e glContext -e glChecks -e Internal.h -e /bin/ -e so.0 "$work/libvistrel-dev.files")" -eq 0
    test "$(grep -c -e /include/ -e /lib/ "$work/vistrel.files")" -eq 0

    for deb in "$runtime" "$dev" "$programs"; do
        dpkg-deb -x "$deb" "$work/root"
    done
    consume "$work/root/usr"
    # The static library links the quick start without the shared one.
    # shellcheck disable=SC2046
    "$cxx" -std=c++17 "$here/consumer/main.cpp" $(pkg-config --cflags vistrel) "$work/root$lib/libvistrel.a" \
        $(pkg-config --libs glew gl) -lglut -o "$work/quickstart-static"
    "$work/quickstart-static"
    test "$(readelf -d "$work/quickstart-static" | grep -c libvistrel)" -eq 0
    readelf -d "$work/root/usr/bin/vistrel-demo" | grep -q "RUNPATH.*\[\$ORIGIN/../lib/$multiarch\]"
    run_demo "$work/root/usr"
    cmake --install "$work/build" --component Programs --prefix "$work/programs" >/dev/null
    run_demo "$work/programs"
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
    # A parent that builds the library shared and installs the demo with it.
    cmake -S "$here/subproject" -B "$work/shared" -DVISTREL_SOURCE_DIR="$source" -DCMAKE_CXX_COMPILER="$cxx" \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
        -DBUILD_SHARED_LIBS=ON -DVISTREL_BUILD_EXAMPLES=ON -DVISTREL_INSTALL=ON >/dev/null
    cmake --build "$work/shared" -j 2 >/dev/null
    cmake --install "$work/shared" --component Programs --prefix "$work/programs" >/dev/null
    run_demo "$work/programs"
    ;;
*)
    exit 2
    ;;
esac
