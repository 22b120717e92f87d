#!/usr/bin/env bash
# 30-tsan.sh - the unit tests under ThreadSanitizer: the tsan workflow, whose
# test preset sets TSAN_OPTIONS (halt on the first report) and the thread
# stress test's STATSCL_STRESS_ROUNDS (400 rounds per thread); fails on any
# report.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build || { echo "tsan: could not install the compiler"; exit 1; }
build_settings

mkdir -p build
log=build/tsan.log
if cmake --workflow --preset tsan >"$log" 2>&1 && ! grep -q 'ThreadSanitizer' "$log"; then
    echo "tsan: $(grep 'tests passed' "$log" | tail -1), 400 stress rounds per thread, no report"
else
    grep -E 'WARNING: ThreadSanitizer|SUMMARY|Failed|error' "$log" | head -20
    echo "tsan: FAILED (log $log)"
    exit 1
fi
