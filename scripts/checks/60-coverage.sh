#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 60-coverage.sh - line and branch coverage of the library's own sources
# (core/, internal/, types/, platform/; less the kernels this CPU cannot run)
# by every unit test, built with the coverage preset and measured with gcovr,
# which fails below 98 % of lines or 90 % of branches; the report is
# build/coverage/coverage.txt.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build tests tool coverage || { echo "coverage: could not install gcovr"; exit 1; }
build_settings

dir=build/coverage
# Counts of this run only.
mkdir -p "$dir" && find "$dir" -name '*.gcda' -delete
run_logged "coverage: workflow" "$dir/workflow.log" cmake --workflow --preset coverage || exit 1
# A kernel that this CPU cannot run is never called (the kernel test skips
# it): its file is left out of the figures, and the gate says so.
unrun=()
for kernel in avx512bw:internal/x86/avx512.cpp avx2:'internal/x86/.*_avx2.cpp' ssse3:internal/x86/swap64_ssse3.cpp; do
    grep -qw "${kernel%%:*}" /proc/cpuinfo && continue
    unrun+=(--exclude "${kernel#*:}")
    echo "coverage: leaves out ${kernel#*:}, which this CPU cannot run"
done
gcovr --root . --object-directory "$dir" --filter 'core/' --filter 'internal/' --filter 'types/' --filter 'platform/' \
    "${unrun[@]}" --exclude-throw-branches --exclude-unreachable-branches --txt "$dir/coverage.txt" \
    --print-summary --fail-under-line 98 --fail-under-branch 90 >"$dir/gcovr.log" 2>&1
status=$?
grep -E '^(lines|branches):' "$dir/gcovr.log" | sed 's/^/coverage /'
[ $status -eq 0 ] || { tail -3 "$dir/gcovr.log"; echo "coverage: FAILED (gcovr status $status; report $dir/coverage.txt)"; exit 1; }
