#!/usr/bin/env bash
# 10-bench.sh - builds the benchmark suite (the bench preset, by bench/run.sh)
# and runs it once, briefly, and the callgrind counting program, so that both
# keep building and running; the figures of such a short run mean nothing.
set -uo pipefail
cd "$(dirname "$0")/../.."
if bench/run.sh --benchmark_repetitions=1 --benchmark_min_time=0.0001 >/dev/null &&
    build/bench/bench/statscl_count_calls >/dev/null; then
    echo "bench: built and ran once"
else
    echo "bench: FAILED"
    exit 1
fi
