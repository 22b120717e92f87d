#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 40-memcheck.sh - the unit test programs and the example hosts, each run
# once as a whole under valgrind memcheck by CTest's memory checking (the
# memcheck preset, in build/memcheck); fails on any error or definite leak.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build tests valgrind || { echo "memcheck: could not install valgrind"; exit 1; }
build_settings

# -T runs from the build folder: --test-dir says where it is.  valgrind's own
# logs: build/memcheck/Testing/Temporary/MemoryChecker.*.log.
memcheck() {
    cmake --preset memcheck && cmake --build --preset memcheck &&
        ctest --preset memcheck --test-dir build/memcheck -T memcheck
}
mkdir -p build
run_logged "memcheck: programs and example hosts under valgrind" build/memcheck.log memcheck
