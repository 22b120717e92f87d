#!/usr/bin/env bash
# 40-memcheck.sh - the unit test programs and the example host, built as the
# release preset (in build/memcheck), each run once under valgrind memcheck;
# fails on any error or definite leak.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build valgrind || { echo "memcheck: could not install valgrind"; exit 1; }

dir=build/memcheck
programs=(tests/statscl_tests tests/statscl_missing_handler_tests examples/host_walk)
cmake --preset release -B "$dir" >/dev/null &&
    cmake --build "$dir" -j"$(nproc)" --target statscl_tests statscl_missing_handler_tests host_walk >/dev/null ||
    { echo "memcheck: build failed"; exit 1; }
status=0
for program in "${programs[@]}"; do
    log=$dir/$(basename "$program").memcheck.log
    valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
        --track-origins=yes --log-file="$log" "$dir/$program" >"$log.out" 2>&1
    rc=$?
    summary=$(grep -o 'ERROR SUMMARY: [0-9]* errors' "$log" | tail -1)
    if [ $rc -eq 0 ]; then
        echo "memcheck $(basename "$program"): $summary"
        continue
    fi
    status=1
    if [ $rc -eq 99 ] || ! grep -q 'ERROR SUMMARY: 0 errors' "$log"; then
        grep -E 'Invalid|uninitialised|definitely lost|Process terminating' "$log" | head -10
        echo "memcheck $(basename "$program"): FAILED, $summary (log $log)"
    else
        grep -E '^\[  FAILED  \]' "$log.out" | head -5
        echo "memcheck $(basename "$program"): FAILED, the program itself failed (exit $rc, output $log.out)"
    fi
done
exit $status
