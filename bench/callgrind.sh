#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# callgrind.sh - instructions per call of every row's stats_hton and
# stats_ntoh, and of diff and clear with every counter selected, counted by
# valgrind's callgrind (repeatable on a busy machine).
# Counts the library as built (the kernel the loader picks on this CPU) and a
# build without the vector kernels, which is what a CPU without SSSE3 runs.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
install_missing build valgrind >/dev/null
build_settings

count() { # build dir -> "function bytes instructions" lines
    local dir=$1 out
    out=$(mktemp -d)
    "$dir/bench/statscl_count_calls" >"$out/sizes"
    LD_BIND_NOW=1 valgrind --tool=callgrind --callgrind-out-file="$out/cg" \
        "$dir/bench/statscl_count_calls" >/dev/null 2>&1
    callgrind_annotate --inclusive=yes --threshold=100 "$out/cg" 2>/dev/null |
        awk 'NR == FNR { size[$1] = $2; next }
             { for (f in size) if (index($0, ":" f " ") || $0 ~ (":" f "$")) { gsub(",", "", $1); ir[f] = $1 } }
             END { for (f in size) print f, size[f], ir[f] }' "$out/sizes" - | sort
    rm -rf "$out"
}

cmake --preset bench >/dev/null
cmake --build --preset bench --target statscl_count_calls >/dev/null
cmake --preset bench -B build/bench-scalar -DSTATSCL_VECTOR_KERNELS=OFF >/dev/null
cmake --build build/bench-scalar --target statscl_count_calls >/dev/null

join <(count build/bench) <(count build/bench-scalar | awk '{ print $1, $3 }') |
    awk 'BEGIN { printf "%-32s %6s %14s %14s\n", "function", "bytes", "instr (this CPU)", "instr (scalar)" }
         { printf "%-32s %6d %14d %14d\n", $1, $2, $3, $4 }'
