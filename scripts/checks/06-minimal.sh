#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 06-minimal.sh - the library needs CMake, the compilers and libc alone.
# Configured with every optional dependency hidden
# (CMAKE_DISABLE_FIND_PACKAGE_<Name>), configure must name each part it left
# out; the library then builds (warnings as errors) and installs under a
# prefix of its own, and examples/first_host.c, compiled with nothing but
# pkg-config's flags from that install, must print its line.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build || { echo "minimal: could not install the compilers"; exit 1; }
build_settings

dir=$PWD/build/minimal prefix=$PWD/build/minimal/prefix
hidden=()
for name in GTest CLI11 nlohmann_json fmt libelf Doxygen Python3 benchmark; do
    hidden+=("-DCMAKE_DISABLE_FIND_PACKAGE_$name=ON")
done
minimal() {
    rm -rf "$dir" && mkdir -p "$dir" &&
        cmake -S . -B "$dir" --no-warn-unused-cli "${hidden[@]}" -DSTATSCL_WERROR=ON \
            -DCMAKE_INSTALL_PREFIX="$prefix" | tee "$dir/configure.out" || return 1
    local part flags
    for part in "the tests" "the statscl tool" "statscl check-host" "the API reference" "the Python package"; do
        grep -q "^-- Left out $part" "$dir/configure.out" ||
            { echo "minimal: error: configure did not name $part as left out"; return 1; }
    done
    cmake --build "$dir" && cmake --install "$dir" || return 1
    flags=$(PKG_CONFIG_PATH=$prefix/lib/pkgconfig pkg-config --cflags --libs statscl_convert) || return 1
    # shellcheck disable=SC2086 # the flags are words
    cc -Wall -Wextra -Werror -o "$dir/first_host" examples/first_host.c $flags -Wl,-rpath,"$prefix/lib" &&
        "$dir/first_host" >"$dir/first_host.out" || return 1
    [ "$(cat "$dir/first_host.out")" = "block_3[5] since the clear: 2" ] ||
        { echo "minimal: error: first_host printed: $(cat "$dir/first_host.out")"; return 1; }
}
mkdir -p build
run_logged "minimal: the library without its optional parts, and first_host against its install" \
    build/minimal.log minimal
