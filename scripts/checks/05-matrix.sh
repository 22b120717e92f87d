#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 05-matrix.sh - the build matrix: each configuration built as a user types
# it, with plain cmake (no preset) from a clean folder build/matrix/<name>,
# warnings as errors (STATSCL_WERROR): the library, the tool, the tests and
# the examples, then the tests, PowerPC's under qemu-ppc.  Prints each
# configuration's result and time; fails if any configuration fails.  The
# cross targets at -O2 are the workflows' (scripts/check.sh); here PowerPC is
# built as a switch image is, MinSizeRel, while its Release build is the
# package gate's; a GCC Debug build is the sanitize workflow's.  GCC's
# Release and MinSizeRel are left to be named (`05-matrix.sh gcc-release
# gcc-minsizerel`), in the time CI has: Debian's flags build with GCC and
# plain cmake at -O2 as Release does, the release workflow builds Release,
# and PowerPC's MinSizeRel build holds the library, tests and tool to -Os.
# `05-matrix.sh NAME...` runs only the configurations named.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build tests tool ppc clang package || { echo "matrix: could not install the compilers"; exit 1; }
build_settings

ppc=-DCMAKE_TOOLCHAIN_FILE=cmake/ppc32-be.cmake
clang="-DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14"
declare -A configs=(
    [gcc-release]="-DCMAKE_BUILD_TYPE=Release"
    [gcc-minsizerel]="-DCMAKE_BUILD_TYPE=MinSizeRel"
    [clang14-release]="-DCMAKE_BUILD_TYPE=Release $clang"
    [debian-flags]="-DCMAKE_BUILD_TYPE=None"
    [ppc-minsizerel]="-DCMAKE_BUILD_TYPE=MinSizeRel $ppc"
)
order=(clang14-release debian-flags ppc-minsizerel)
[ $# -eq 0 ] || order=("$@")

# One configuration from a clean folder, in a subshell of its own (Debian's
# flags stay in it).
build_and_test() (
    local name=$1 dir=build/matrix/$1
    rm -rf "$dir"
    [ "$name" != debian-flags ] || debian_build_flags
    # shellcheck disable=SC2086 # the arguments are words
    cmake -S . -B "$dir" ${configs[$name]} -DSTATSCL_WERROR=ON &&
        cmake --build "$dir" &&
        ctest --test-dir "$dir" --output-on-failure -E '^program\.'
)

mkdir -p build/matrix
failed=()
for name in "${order[@]}"; do
    [ -n "${configs[$name]:-}" ] || { echo "matrix: no configuration $name"; exit 2; }
    run_logged "matrix $name" "build/matrix/$name.log" build_and_test "$name" || failed+=("$name")
done
[ ${#failed[@]} -eq 0 ] && echo "matrix: ${#order[@]} configurations passed" ||
    { echo "matrix: FAILED ${failed[*]}"; exit 1; }
