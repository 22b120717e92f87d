#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# qemu_counts.sh TARGET - instructions per call on a cross target (ppc32-be,
# the default, ppc64-be or aarch64): each filled row's stats_ntoh out of place and in
# place, each diff and clear, and memcpy and memmove of the same bytes,
# counted from qemu's execution trace with one instruction per translation
# block.  Builds the library as the target's preset does (-O2) with
# bench/trace_calls.cpp, in build/trace-TARGET, and prints one table.
set -uo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=../scripts/lib.sh
. scripts/lib.sh
target=${1:-ppc32-be}
case $target in
ppc32-be) qemu=qemu-ppc triple=powerpc-linux-gnu ;;
ppc64-be) qemu=qemu-ppc64 triple=powerpc64-linux-gnu ;;
aarch64) qemu=qemu-aarch64 triple=aarch64-linux-gnu ;;
*) echo "qemu_counts: unknown target '$target' (ppc32-be, ppc64-be or aarch64)"; exit 1 ;;
esac
install_missing build ppc cross || { echo "qemu_counts: could not install the cross tools"; exit 1; }
command -v "$triple-g++" >/dev/null || { echo "qemu_counts: $triple-g++ is not installed"; exit 1; }
root=/usr/$triple
build_settings

dir=build/trace-$target
cmake --preset "$target" -B "$dir" -DSTATSCL_BUILD_BENCH=ON -DSTATSCL_BUILD_TESTS=OFF \
    -DSTATSCL_BUILD_TOOL=OFF >/dev/null && cmake --build "$dir" --target statscl_trace_calls >/dev/null ||
    { echo "qemu_counts: build failed"; exit 1; }

# The trace has one line per instruction, the guest's pc between its first
# two slashes.  Each call is made twice between two entries of mark(); its
# count is the instructions between the marks of the second call, less that
# of the first line's empty call.
trace=$dir/trace.log
"$qemu" -L "$root" -E LD_BIND_NOW=1 -singlestep -d exec,nochain -D "$trace" \
    "$dir/bench/statscl_trace_calls" >"$dir/calls.txt" || { echo "qemu_counts: the program failed"; exit 1; }
awk -F/ '
    FNR == NR { if ($0 ~ /^mark /) { mark = $0; sub(/^mark 0x0*/, "", mark) } else call[k++] = $0; next }
    /^Trace/ { pc = $2; sub(/^0+/, "", pc); if (pc == mark) at[m++] = n; n++ }
    END {
        for (j = 0; j < k; j++) ir[j] = at[4 * j + 3] - at[4 * j + 2]
        for (j = 1; j < k; j++) {
            split(call[j], f, " ")
            if (f[1] == "-") copy[f[2], f[3]] = ir[j] - ir[0]
        }
        printf "%-12s %-14s %6s %8s %8s %8s %9s %9s\n", "kind", "operation", "bytes", "instr",
               "memcpy", "memmove", "x memcpy", "x memmove"
        for (j = 1; j < k; j++) {
            split(call[j], f, " ")
            if (f[1] == "-") continue
            c = copy["memcpy", f[3]]; v = copy["memmove", f[3]]
            printf "%-12s %-14s %6d %8d %8d %8d %9.2f %9.2f\n", f[1], f[2], f[3], ir[j] - ir[0],
                   c, v, (ir[j] - ir[0]) / c, (ir[j] - ir[0]) / v
        }
    }' "$dir/calls.txt" "$trace"
rm -f "$trace"
