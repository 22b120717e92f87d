#!/usr/bin/env bash
# 40-memcheck.sh - the unit test programs and the example hosts, each run
# once as a whole under valgrind memcheck by CTest's memory checking (the
# memcheck preset, in build/memcheck); fails on any error or definite leak.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build valgrind || { echo "memcheck: could not install valgrind"; exit 1; }
build_settings

dir=build/memcheck
cmake --preset memcheck >/dev/null && cmake --build --preset memcheck >/dev/null ||
    { echo "memcheck: build failed"; exit 1; }
log=$dir/memcheck.log
# -T runs from the build folder: --test-dir says where it is.
if ctest --preset memcheck --test-dir "$dir" -T memcheck >"$log" 2>&1; then
    echo "memcheck: $(grep -c "MemCheck.*Passed" "$log") programs, no error, no definite leak"
else
    grep -E 'Failed|Defect|tests passed' "$log"
    echo "memcheck: FAILED (log $log; valgrind's: $dir/Testing/Temporary/MemoryChecker.*.log)"
    exit 1
fi
