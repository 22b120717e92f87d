#!/usr/bin/env bash
# Builds the benchmark suite and runs it once, briefly, so that it keeps
# building and running; the figures of such a short run mean nothing.
set -euo pipefail
cd "$(dirname "$0")/../.."
bench/run.sh --benchmark_repetitions=1 --benchmark_min_time=0.0001 >/dev/null
build/bench/bench/statscl_count_calls >/dev/null
echo "bench: built and ran once"
