#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# run.sh - builds the bench preset and prints the table of every row's
# operations against memcpy of the same size.  Extra arguments go to Google
# Benchmark (e.g. --benchmark_filter=vq_drop).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
install_missing build bench
build_settings
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
exec build/bench/bench/statscl_bench --benchmark_repetitions=7 --benchmark_min_time=0.05 "$@" 2>/dev/null
