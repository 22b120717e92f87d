#!/usr/bin/env bash
# 70-static.sh - clang-tidy (checks in .clang-tidy) and cppcheck over the
# library's own sources, core/, internal/, types/ and platform/, run by CMake on each
# source as it compiles (the static preset, in build/static, which builds the
# library alone).  Fails on any finding of either.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build static || { echo "static: could not install the analysers"; exit 1; }
# CMake runs the analysers before the compiler: ccache skips neither.
build_settings

dir=build/static log=build/static.log
# A clean build: every source is analysed again.
rm -rf "$dir"
if cmake --workflow --preset static >"$log" 2>&1 && ! grep -qE '(warning|error): |cppcheck reported' "$log"; then
    echo "static: clang-tidy and cppcheck, $(grep -cE 'Building CXX object' "$log") files, no finding"
else
    grep -E -A3 '(warning|error): |cppcheck reported' "$log" | head -40
    echo "static: FAILED (log $log)"
    exit 1
fi
