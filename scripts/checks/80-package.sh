#!/usr/bin/env bash
# 80-package.sh - install, consume, package.
#  - A build for /usr with Debian's build flags (build/package), installed
#    under build/stage: the files each package needs are where they belong.
#  - A build as a user makes it (Release, default prefix), installed with
#    `cmake --install --prefix` into a prefix outside the linker's
#    directories: examples/qos_host built there with nothing but pkg-config's
#    flags, and through find_package, both run without LD_LIBRARY_PATH; the
#    installed statscl runs too.
#  - The same from a PowerPC build: examples/qos_host cross-built through
#    find_package and run under qemu-ppc, with the same output as natively.
#  - The Debian packages built by CPack, each held to lintian (no error, no
#    warning); the API reference built without a Doxygen warning when
#    doxygen is there.  Prints the host's build lines and the packages.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build tool ppc package || { echo "package: could not install the packaging tools"; exit 1; }
install_missing docs || echo "package: doxygen could not be installed: no API reference"
build_settings

out=$PWD/build/package
stage=$out/stage
failures=0
fail() {
    echo "package: FAILED $*"
    failures=$((failures + 1))
}
# Runs a command with its output in $out/log, shown when it fails.
quiet() {
    "$@" >>"$out/log" 2>&1 || { tail -20 "$out/log"; return 1; }
}
# Configures and builds one build folder, warnings as errors as in the matrix.
build() {
    local dir=$1
    shift
    quiet cmake -S . -B "$dir" -DSTATSCL_WERROR=ON -DSTATSCL_BUILD_TESTS=OFF "$@" &&
        quiet cmake --build "$dir"
}
rm -rf "$out"
mkdir -p "$out"

# For /usr, with Debian's flags as debhelper passes them.
(
    debian_build_flags
    build "$out/usr" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr
) || { echo "package: build for /usr failed"; exit 1; }
DESTDIR=$stage quiet cmake --install "$out/usr" || fail "cmake --install"
libdir=$(dirname "$(dirname "$(find "$stage" -name statscl_convert.pc)")")
[ -f "$stage/usr/include/statscl_convert.h" ] || fail "no header installed"
[ -f "$libdir/cmake/statscl_convert/statscl_convertConfig.cmake" ] || fail "no CMake package"
[ "$(readlink "$libdir/libstatcl_convert.so")" = libstatcl_convert.so.1 ] || fail "link name"
objdump -p "$libdir/libstatcl_convert.so.1" | grep 'SONAME *libstatcl_convert.so.1$' >/dev/null || fail "SONAME"
! objdump -p "$libdir/libstatcl_convert.so.1" | grep 'RUNPATH' >/dev/null || fail "a run path in the library for /usr"

# A prefix of the user's own, natively and for PowerPC.
host=examples/qos_host
prefix=$out/prefix ppc_prefix=$out/prefix-ppc
toolchain=$PWD/cmake/ppc32-be.cmake
build "$out/native" -DCMAKE_BUILD_TYPE=Release && quiet cmake --install "$out/native" --prefix "$prefix" ||
    { echo "package: native build and install failed"; exit 1; }
build "$out/ppc" -DCMAKE_BUILD_TYPE=Release -DSTATSCL_BUILD_TOOL=OFF -DCMAKE_TOOLCHAIN_FILE="$toolchain" &&
    quiet cmake --install "$out/ppc" --prefix "$ppc_prefix" ||
    { echo "package: PowerPC build and install failed"; exit 1; }
unset LD_LIBRARY_PATH
pc_flags() { PKG_CONFIG_PATH=$prefix/lib/pkgconfig pkg-config "$@" statscl_convert; }
echo "package: hosts built against $prefix (PowerPC: $ppc_prefix):"
echo "  cc -std=c99 $host/qos_host.c \$(pkg-config --cflags --libs statscl_convert) -Wl,-rpath,$prefix/lib"
# shellcheck disable=SC2046 # the flags are words
cc -std=c99 -Wall -Wextra -Wpedantic -Werror "$host/qos_host.c" -o "$out/qos_host-pkg-config" \
    $(pc_flags --cflags --libs) -Wl,-rpath,"$prefix/lib" &&
    "$out/qos_host-pkg-config" >"$out/pkg-config.out" 2>>"$out/log" || fail "qos_host with pkg-config"
echo "  cmake -S $host -B qos_host -DCMAKE_PREFIX_PATH=$prefix"
quiet cmake -S "$host" -B "$out/qos_host" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release &&
    quiet cmake --build "$out/qos_host" && "$out/qos_host/qos_host" >"$out/find_package.out" 2>>"$out/log" ||
    fail "qos_host with find_package"
echo "  cmake -S $host -B qos_host-ppc -DCMAKE_PREFIX_PATH=$ppc_prefix -DCMAKE_TOOLCHAIN_FILE=$toolchain"
quiet cmake -S "$host" -B "$out/qos_host-ppc" -DCMAKE_PREFIX_PATH="$ppc_prefix" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release &&
    quiet cmake --build "$out/qos_host-ppc" &&
    qemu-ppc -L /usr/powerpc-linux-gnu "$out/qos_host-ppc/qos_host" >"$out/ppc.out" 2>>"$out/log" ||
    fail "qos_host for PowerPC with find_package"
grep -q '^handler: statscl_qos_save_pss_hdlr called$' "$out/pkg-config.out" || fail "no handler called"
cmp -s "$out/pkg-config.out" "$out/find_package.out" || fail "find_package's host prints otherwise"
cmp -s "$out/pkg-config.out" "$out/ppc.out" || fail "PowerPC's host prints otherwise than x86-64's"
"$prefix/bin/statscl" decode --type qos >/dev/null || fail "installed statscl"

# Debian packages, each held to lintian.
(cd "$out/usr" && quiet cpack -G DEB) || fail "cpack"
debs=("$out"/usr/*.deb)
[ ${#debs[@]} -eq 4 ] || fail "expected 4 packages, got ${#debs[@]}"
lintian_failures=$failures
for deb in "${debs[@]}"; do
    report=$(lintian --fail-on error,warning "$deb" 2>&1)
    status=$?
    grep -v 'running with root privileges' <<<"$report"
    [ "$status" -eq 0 ] || fail "lintian $deb"
done
[ "$failures" -ne "$lintian_failures" ] || echo "package: lintian: no error, no warning"
dpkg-deb -c "$out"/usr/libstatcl-convert1_*.deb | grep -- '/libstatcl_convert.so.1 -> ' >/dev/null ||
    fail "runtime package lacks the SONAME link"
dpkg-deb -c "$out"/usr/libstatcl-convert-dev_*.deb | grep -- '/libstatcl_convert.so -> ' >/dev/null ||
    fail "dev package lacks the link name"
echo "package: Debian packages"
for deb in "${debs[@]}"; do
    printf '  %-44s %6s bytes  Depends: %s\n' "$(basename "$deb")" "$(stat -c %s "$deb")" \
        "$(dpkg-deb -f "$deb" Depends)"
done

# API reference.
if command -v doxygen >/dev/null; then
    quiet cmake --build "$out/usr" --target docs || fail "docs"
    [ ! -s "$out/usr/docs/doxygen-warnings.log" ] ||
        { cat "$out/usr/docs/doxygen-warnings.log"; fail "doxygen warnings"; }
fi

[ "$failures" -eq 0 ] && echo "package: install, hosts from a prefix (x86-64 and PowerPC), packages and lintian ok"
[ "$failures" -eq 0 ]
