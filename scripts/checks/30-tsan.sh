#!/usr/bin/env bash
# 30-tsan.sh - the unit tests under ThreadSanitizer (the tsan preset), the
# thread stress test among them with STATSCL_STRESS_ROUNDS rounds per thread
# (default here 400); fails on any report.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build || { echo "tsan: could not install the compiler"; exit 1; }
build_settings

cmake --preset tsan >/dev/null && cmake --build --preset tsan --target statscl_tests >/dev/null ||
    { echo "tsan: build failed"; exit 1; }
export STATSCL_STRESS_ROUNDS=${STATSCL_STRESS_ROUNDS:-400}
log=build/tsan/statscl_tests.log
if TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 build/tsan/tests/statscl_tests >"$log" 2>&1 &&
    ! grep -q 'ThreadSanitizer' "$log"; then
    passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log")
    echo "tsan: $passed tests passed, $STATSCL_STRESS_ROUNDS stress rounds per thread, no report"
else
    grep -E 'WARNING: ThreadSanitizer|SUMMARY|FAILED' "$log" | head -20
    echo "tsan: FAILED (log $log)"
    exit 1
fi
