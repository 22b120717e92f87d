#!/usr/bin/env bash
# qemu_ppc.sh - instructions per call on 32-bit big-endian PowerPC: each
# filled row's stats_ntoh out of place and in place, and memmove of the same
# bytes, counted from qemu-ppc's execution trace with one instruction per
# translation block.  Builds the library as the ppc32-be preset does (-O2)
# with bench/trace_calls.cpp, in build/ppc-trace, and prints one table.
set -uo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=../scripts/lib.sh
. scripts/lib.sh
install_missing build ppc || { echo "qemu_ppc: could not install the cross tools"; exit 1; }
build_settings

dir=build/ppc-trace
cmake --preset ppc32-be -B "$dir" -DSTATSCL_BUILD_BENCH=ON -DSTATSCL_BUILD_TESTS=OFF \
    -DSTATSCL_BUILD_TOOL=OFF >/dev/null && cmake --build "$dir" --target statscl_trace_calls >/dev/null ||
    { echo "qemu_ppc: build failed"; exit 1; }

# The trace has one line per instruction, the guest's pc between its first
# two slashes.  The count of a call is the number of instructions from one
# entry of mark() to the next, less that of two marks with nothing between.
trace=$dir/trace.log
qemu-ppc -L /usr/powerpc-linux-gnu -E LD_BIND_NOW=1 -singlestep -d exec,nochain -D "$trace" \
    "$dir/bench/statscl_trace_calls" >"$dir/calls.txt" || { echo "qemu_ppc: the program failed"; exit 1; }
awk -F/ '
    FNR == NR { if ($0 ~ /^mark /) { mark = $0; sub(/^mark 0x0*/, "", mark) } else kind[k++] = $0; next }
    /^Trace/ { n++; pc = $2; sub(/^0+/, "", pc); if (pc == mark) at[m++] = n }
    END {
        base = at[3] - at[2]
        printf "%-12s %6s %10s %14s %8s %10s\n", "kind", "bytes", "stats_ntoh", "ntoh in place", "memmove", "x memmove"
        for (j = 0; j < k; j++) {
            split(kind[j], f, " ")
            i = 8 * j + 8
            out = at[i + 1] - at[i] - base; in_place = at[i + 2] - at[i + 1] - base
            copy = at[i + 3] - at[i + 2] - base
            printf "%-12s %6d %10d %14d %8d %10.2f\n", f[1], f[2], out, in_place, copy, out / copy
        }
    }' "$dir/calls.txt" "$trace"
rm -f "$trace"
