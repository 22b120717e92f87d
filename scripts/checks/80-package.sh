#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 80-package.sh - install, consume, package.
#  - The package workflows: a build as a user makes it (Release, default
#    prefix), natively and for PowerPC, installed under a prefix of its own
#    and consumed there by examples/qos_host, through find_package and with
#    nothing but pkg-config's flags, in C and C++, run without
#    LD_LIBRARY_PATH (PowerPC's under qemu-ppc); see tests/package/.
#  - A build for /usr with Debian's build flags (build/package-usr), staged
#    under build/package-usr/stage; its Debian packages built by CPack, each
#    held to lintian (no error, no warning); the Python package run from the
#    packages' files; the API reference built, which fails on any Doxygen
#    warning.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build tool ppc package docs python || { echo "package: could not install the packaging tools"; exit 1; }
build_settings

failures=0
fail() {
    echo "package: FAILED $*"
    failures=$((failures + 1))
}
mkdir -p build
for preset in package package-ppc32-be; do
    run_logged "package: workflow $preset" "build/$preset.log" cmake --workflow --preset "$preset" || fail "$preset"
done

out=$PWD/build/package-usr stage=$PWD/build/package-usr/stage
rm -rf "$out" && mkdir -p "$out"
# Runs a command with its output in $out/log, shown when it fails.
quiet() {
    "$@" >>"$out/log" 2>&1 || { tail -20 "$out/log"; return 1; }
}
(
    debian_build_flags
    quiet cmake -S . -B "$out" -DSTATSCL_WERROR=ON -DSTATSCL_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=None \
        -DCMAKE_INSTALL_PREFIX=/usr && quiet cmake --build "$out"
) || { echo "package: build for /usr failed"; exit 1; }
DESTDIR=$stage quiet cmake --install "$out" || fail "cmake --install"
libdir=$(dirname "$(dirname "$(find "$stage" -name statscl_convert.pc)")")
[ -f "$stage/usr/include/statscl_convert.h" ] || fail "no header installed"
[ -f "$libdir/cmake/statscl_convert/statscl_convertConfig.cmake" ] || fail "no CMake package"

(cd "$out" && quiet cpack -G DEB) || fail "cpack"
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 5 ] || fail "expected 5 packages, got ${#debs[@]}"
for deb in "${debs[@]}"; do
    lintian --fail-on error,warning "$deb" >"$deb.lintian" 2>&1 || { cat "$deb.lintian"; fail "lintian $deb"; }
done
# lintian also holds the library to its SONAME, the runtime package to its
# SONAME link, the dev package to its link name, and refuses a run path.
for deb in "${debs[@]}"; do
    printf '  %-44s %6s bytes  Depends: %s\n' "${deb##*/}" "$(stat -c %s "$deb")" "$(dpkg-deb -f "$deb" Depends)"
done
# The Python package from the packages' files, the library where the loader looks.
tree=$out/tree && mkdir -p "$tree" && for deb in "${debs[@]}"; do dpkg-deb -x "$deb" "$tree"; done
(
    lib=$(dirname "$(find "$tree" -name libstatcl_convert.so.1)") && cd "$tree" && export LD_LIBRARY_PATH=$lib
    usr/bin/statscl decode -t qos --json | usr/bin/statscl encode -t qos - >qos.bin &&
        env -u STATSCL_LIBRARY PYTHONPATH=usr/lib/python3/dist-packages /usr/bin/python3 -c \
            "import statscl; print(statscl.kind('qos').decode(open('qos.bin','rb').read())['block_0'])" |
        grep -qx '\[1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007\]'
) || fail "python3-statscl from the packages' files"
quiet cmake --build "$out" --target docs || fail "docs (a Doxygen warning)"

[ "$failures" -eq 0 ] && echo "package: hosts from a prefix (x86-64 and PowerPC), packages, lintian and API reference ok"
[ "$failures" -eq 0 ]
