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
#    held to lintian (no error, no warning); the library packages' symbols
#    files held to their libraries (dpkg-gensymbols), and a host built against
#    the packages given its dependency by dpkg-shlibdeps, which must be
#    libstatcl-convert1 (>= 1.0); the Python package run from the packages'
#    files, and installed by pip into a virtual environment, offline, where
#    the README's Python example runs; the API reference, built with the rest
#    (it fails on any Doxygen warning) and installed by the dev package.
#  - A switch build's packages (build/package-switch): 32-bit PowerPC for
#    /usr, MinSizeRel, against a platform library of its own
#    (libswitch_platform.so.1, the stand-in cross-compiled under that name)
#    whose package STATSCL_PLATFORM_PACKAGE names: each package labelled
#    powerpc (the Python package all), the library's depending on the
#    platform's beside libc, all clean under lintian.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build tool ppc package docs python pip || { echo "package: could not install the packaging tools"; exit 1; }
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
[ -f "$stage/usr/share/doc/libstatcl-convert-dev/html/index.html" ] || fail "no API reference installed"

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

# The library packages survive a fix release: their symbols files are exactly
# what the libraries export, and a host package built against them depends
# on the runtime package from the version of the symbols it uses, not on this
# build.  The packages are unpacked in a tree of their own where
# dpkg-shlibdeps finds them (-S) as it would in a package's build.
host=$out/host-package root=$out/host-package/root
rm -rf "$host" && mkdir -p "$host/debian/host/DEBIAN" "$host/debian/host/usr/bin"
for deb in "$out"/lib*.deb; do dpkg-deb -x "$deb" "$root"; done
for deb in "$out"/lib*[0-9]_*.deb; do
    pkg=$host/$(dpkg-deb -f "$deb" Package)
    dpkg-deb -R "$deb" "$pkg"
    for lib in "$pkg"/usr/lib/*/*.so.*.*; do
        quiet dpkg-gensymbols -q -c4 -v"$(dpkg-deb -f "$deb" Version)" -p"${pkg##*/}" -P"$pkg" -e"$lib" \
            -I"$pkg/DEBIAN/symbols" -O"$pkg.symbols" || fail "${pkg##*/}: symbols file differs from $lib"
    done
done
hostlib=$(dirname "$(find "$root" -name libstatcl_convert.so)")
printf 'Source: host\n\nPackage: host\nArchitecture: any\n' >"$host/debian/control"
quiet cc -o "$host/debian/host/usr/bin/qos_host" examples/qos_host/qos_host.c -I"$root/usr/include" \
    -L"$hostlib" -lstatcl_convert -Wl,-rpath-link,"$hostlib" \
    -Wl,--dynamic-list="$root/usr/share/statscl_convert/host_exports.list" || fail "host against the packages"
depends=$(cd "$host" && dpkg-shlibdeps -O -S"$host/libstatcl-convert1" -l"$hostlib" debian/host/usr/bin/qos_host 2>>"$out/log")
echo "  a host package built against them: $depends"
grep -q 'libstatcl-convert1 (>= 1.0)' <<<"$depends" || fail "host package dependency: $depends"

# The Python package from the packages' files, the library where the loader looks.
tree=$out/tree && mkdir -p "$tree" && for deb in "${debs[@]}"; do dpkg-deb -x "$deb" "$tree"; done
(
    lib=$(dirname "$(find "$tree" -name libstatcl_convert.so.1)") && cd "$tree" && export LD_LIBRARY_PATH=$lib
    usr/bin/statscl decode -t qos --json | usr/bin/statscl encode -t qos - >qos.bin &&
        env -u STATSCL_LIBRARY PYTHONPATH=usr/lib/python3/dist-packages /usr/bin/python3 -c \
            "import statscl; print(statscl.kind('qos').decode(open('qos.bin','rb').read())['block_0'])" |
        grep -qx '\[1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007\]'
) || fail "python3-statscl from the packages' files"
for script in postinst:py3compile prerm:py3clean; do
    dpkg-deb -I "$out"/python3-statscl_*.deb "${script%:*}" | grep -q "^ *${script#*:} -p python3-statscl$" ||
        fail "python3-statscl's ${script%:*} does not run ${script#*:}"
done
# `pip install ./python` as the Python guide gives it, offline into a virtual
# environment, and the README's Python example run there on two qos payloads
# that the package makes, the library found by its SONAME.
(
    readme=$PWD/README.md venv=$out/venv && rm -rf "$venv" "$out/python" && cp -rL python "$out/python" &&
        /usr/bin/python3 -m venv --system-site-packages "$venv" &&
        quiet "$venv/bin/pip" install --no-index --no-build-isolation "$out/python" &&
        lib=$(dirname "$(find "$tree" -name libstatcl_convert.so.1)") && export LD_LIBRARY_PATH=$lib && cd "$out" &&
        env -u STATSCL_LIBRARY "$venv/bin/python" -c 'import statscl, sys
assert statscl.__file__.startswith(sys.prefix), statscl.__file__
qos = statscl.kind("qos")
open("qos_then.bin", "wb").write(qos.encode({"block_2": [7] * 8}))
open("qos_now.bin", "wb").write(qos.encode({"block_2": [7] * 7 + [12], "block_5": [1] + [0] * 7}))' &&
        sed -n '/^## Python$/,/^## /{/^```python$/,/^```$/{/^```/d;p}}' "$readme" >example.py &&
        env -u STATSCL_LIBRARY "$venv/bin/python" example.py | diff -u <(printf 'block_2[7] +5\nblock_5[0] +1\n') -
) || fail "pip install ./python, and the README's Python example"
quiet cmake --build "$out" --target docs || fail "docs (a Doxygen warning)"

switch=$PWD/build/package-switch platform=$PWD/build/package-switch/platform
rm -rf "$switch" && mkdir -p "$platform"
(
    quiet powerpc-linux-gnu-gcc -shared -fPIC -Os -Iplatform_api -Wl,-soname,libswitch_platform.so.1 \
        -o "$platform/libswitch_platform.so.1" platform_api/standin.c &&
        quiet cmake -S . -B "$switch" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/ppc32-be.cmake" -DSTATSCL_WERROR=ON \
            -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_INSTALL_PREFIX=/usr -DSTATSCL_BUILD_TESTS=OFF \
            -DSTATSCL_PLATFORM_LIBRARY="$platform/libswitch_platform.so.1" \
            -DSTATSCL_PLATFORM_PACKAGE="libswitch-platform1 (>= 1.0)" &&
        quiet cmake --build "$switch" && cd "$switch" && quiet cpack -G DEB
) || fail "switch packages"
debs=("$switch"/*.deb)
[ ${#debs[@]} -eq 4 ] || fail "expected 4 switch packages, got ${#debs[@]}"
lintian --fail-on error,warning "${debs[@]}" >"$switch/lintian" 2>&1 || { cat "$switch/lintian"; fail "lintian, switch"; }
for deb in "${debs[@]}"; do
    arch=$(dpkg-deb -f "$deb" Architecture) want=powerpc
    [[ $deb != */python3-* ]] || want=all
    [ "$arch" = "$want" ] || fail "${deb##*/}: Architecture $arch, not $want"
    printf '  %-44s Depends: %s\n' "${deb##*/}" "$(dpkg-deb -f "$deb" Depends)"
done
depends=$(dpkg-deb -f "$switch"/libstatcl-convert1_*.deb Depends)
[ "$depends" = "libc6 (>= 2.34), libswitch-platform1 (>= 1.0)" ] || fail "switch library package depends on $depends"

[ "$failures" -eq 0 ] && echo "package: hosts from a prefix (x86-64 and PowerPC), packages, lintian, symbols, a dependent package, API reference and a switch build's packages ok"
[ "$failures" -eq 0 ]
