#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 06-subproject.sh - built inside another project (add_subdirectory), the
# library keeps to itself: tests/subproject/, a C project, builds it with our
# warnings made errors and runs its own host linked to statscl::convert
# (ctest --build-and-test).  Its CTest must hold its one test and none of
# ours, its build type must stay its own, nothing of ours but the library
# may be built, and its host's compile line must carry none of our warning
# flags or definitions.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build || { echo "subproject: could not install the compilers"; exit 1; }
build_settings

dir=$PWD/build/subproject
subproject() {
    rm -rf "$dir"
    MAKEFLAGS=-j$CMAKE_BUILD_PARALLEL_LEVEL ctest --build-and-test tests/subproject "$dir" \
        --build-generator "Unix Makefiles" --build-noclean \
        --build-options -DSTATSCL_WERROR=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
        --test-command ctest --output-on-failure || return 1
    local tests host ours
    tests=$(ctest --test-dir "$dir" -N | sed -n 's/^Total Tests: //p')
    [ "$tests" = 1 ] || { echo "subproject: error: the parent's CTest holds $tests tests"; return 1; }
    grep -qx 'CMAKE_BUILD_TYPE:STRING=' "$dir/CMakeCache.txt" ||
        { echo "subproject: error: the parent's build type was set"; return 1; }
    if [ -e "$dir/statscl_convert/tools" ] || [ -e "$dir/statscl_convert/docs" ]; then
        echo "subproject: error: more than the library was built"; return 1
    fi
    host=$(grep '"command".*parent_host\.dir' "$dir/compile_commands.json")
    [ -n "$host" ] || { echo "subproject: error: no compile line of the parent's host"; return 1; }
    ours=$(grep -oE -- ' -(Wall|Wextra|Wpedantic|Wshadow|Werror|DSTATSCL_[A-Z0-9_]*)' <<<"$host")
    [ -z "$ours" ] || { echo "subproject: error: ours on the parent's host:$(tr '\n' ' ' <<<"$ours")"; return 1; }
}
mkdir -p build
run_logged "subproject: the library alone inside a parent project" build/subproject.log subproject
