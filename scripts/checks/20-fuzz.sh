#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 20-fuzz.sh - builds the fuzz preset (clang 14, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs every target for FUZZ_SECONDS each
# (default 30) from the committed seed corpus: the library over the table's
# kinds (table) and the platform-dependent ones (pd), and check-host's ELF
# reader (host).  Fails on any finding; the input that caused it is left in
# build/fuzz/findings/.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build clang tool || { echo "fuzz: could not install clang and libelf"; exit 1; }
build_settings

seconds=${FUZZ_SECONDS:-30}
cmake --preset fuzz >/dev/null &&
    cmake --build --preset fuzz --target statscl_fuzz_table statscl_fuzz_pd statscl_fuzz_host >/dev/null ||
    { echo "fuzz: build failed"; exit 1; }

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for target in table pd host; do
    work=build/fuzz/corpus/$target findings=build/fuzz/findings/$target
    mkdir -p "$work" "$findings"
    log=build/fuzz/$target.log
    # New inputs go to the work corpus; the committed seeds stay as they are.
    if build/fuzz/fuzz/statscl_fuzz_$target -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
        echo "fuzz $target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") executions in ${seconds} s, no finding"
    else
        echo "fuzz $target: FINDING (log $log, input in $findings/)"
        grep -E 'ERROR|broken expectation|SUMMARY|deadly signal' "$log" | head -5
        status=1
    fi
done
exit $status
