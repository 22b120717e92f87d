#!/usr/bin/env bash
# 80-package.sh - install, consume, package.  Builds for /usr with Debian's
# build flags (in build/package), stages `cmake --install` under build/stage,
# builds the host in tests/consumer against the staged install once with
# find_package and once with pkg-config and runs both, runs the staged
# statscl, builds the Debian packages with CPack and holds each to lintian
# (no errors), and builds the API reference when doxygen is there.  Prints
# the packages' names and sizes.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build tool ppc package ||
    { echo "package: could not install the packaging tools"; exit 1; }
install_missing docs || echo "package: doxygen could not be installed: no API reference"

build=build/package
stage=$PWD/build/stage
failures=0
fail() {
    echo "package: FAILED $*"
    failures=$((failures + 1))
}

rm -rf "$build" "$stage"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { echo "$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get "$1")"; }
if ! CFLAGS=$(flags CFLAGS) CXXFLAGS=$(flags CXXFLAGS) LDFLAGS=$(dpkg-buildflags --get LDFLAGS) \
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DSTATSCL_BUILD_TESTS=OFF >"$build.log" 2>&1 ||
    ! cmake --build "$build" -j"$(nproc)" >>"$build.log" 2>&1; then
    cat "$build.log"
    echo "package: build failed"
    exit 1
fi

# Staged install: every component, under build/stage.
DESTDIR=$stage cmake --install "$build" >/dev/null || fail "cmake --install"
pc=$(find "$stage" -name statscl_convert.pc)
libdir=$(dirname "$(dirname "$pc")")
[ -f "$stage/usr/include/statscl_convert.h" ] || fail "no header installed"
[ -f "$libdir/cmake/statscl_convert/statscl_convertConfig.cmake" ] || fail "no CMake package"
[ "$(readlink "$libdir/libstatcl_convert.so")" = libstatcl_convert.so.1 ] || fail "link name"
objdump -p "$libdir/libstatcl_convert.so.1" | grep 'SONAME *libstatcl_convert.so.1$' >/dev/null ||
    fail "SONAME"

# The consumer, once through find_package and once through pkg-config.  The
# staged library's NEEDED stand-in is not in the linker's default path, hence
# -rpath-link for the pkg-config build (CMake's imported target says so itself).
if ! { cmake -S tests/consumer -B "$build/consumer" -DCMAKE_PREFIX_PATH="$stage/usr" >/dev/null &&
    cmake --build "$build/consumer" >/dev/null &&
    LD_LIBRARY_PATH=$libdir "$build/consumer/consumer"; }; then
    fail "consumer with find_package"
fi
staged_pkg_config() {
    PKG_CONFIG_PATH='' PKG_CONFIG_LIBDIR=$libdir/pkgconfig PKG_CONFIG_SYSROOT_DIR=$stage \
        pkg-config "$@" statscl_convert
}
# shellcheck disable=SC2046 # the flags are words
if ! { cc -std=c11 -Wall -Wextra -Wpedantic -Werror $(staged_pkg_config --cflags) \
    tests/consumer/consumer.c -o "$build/consumer-pkg-config" $(staged_pkg_config --libs) \
    -Wl,-rpath-link,"$libdir" && LD_LIBRARY_PATH=$libdir "$build/consumer-pkg-config"; }; then
    fail "consumer with pkg-config"
fi
LD_LIBRARY_PATH=$libdir "$stage/usr/bin/statscl" decode --type qos >/dev/null ||
    fail "staged statscl"

# Debian packages, each held to lintian.
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; fail "cpack"; }
debs=("$build"/*.deb)
[ ${#debs[@]} -eq 4 ] || fail "expected 4 packages, got ${#debs[@]}"
for deb in "${debs[@]}"; do
    report=$(lintian --fail-on error "$deb" 2>&1)
    status=$?
    grep -v 'running with root privileges' <<<"$report"
    [ "$status" -eq 0 ] || fail "lintian $deb"
done
dpkg-deb -c "$build"/libstatcl-convert1_*.deb | grep -- '/libstatcl_convert.so.1 -> ' >/dev/null ||
    fail "runtime package lacks the SONAME link"
dpkg-deb -c "$build"/libstatcl-convert-dev_*.deb | grep -- '/libstatcl_convert.so -> ' >/dev/null ||
    fail "dev package lacks the link name"
echo "package: Debian packages"
for deb in "${debs[@]}"; do
    printf '  %-44s %6s bytes  Depends: %s\n' "$(basename "$deb")" "$(stat -c %s "$deb")" \
        "$(dpkg-deb -f "$deb" Depends)"
done

# API reference.
if command -v doxygen >/dev/null; then
    cmake --build "$build" --target docs >/dev/null || fail "docs"
    [ ! -s "$build/docs/doxygen-warnings.log" ] ||
        { cat "$build/docs/doxygen-warnings.log"; fail "doxygen warnings"; }
fi

[ "$failures" -eq 0 ] && echo "package: install, consumers, packages and lintian ok"
[ "$failures" -eq 0 ]
