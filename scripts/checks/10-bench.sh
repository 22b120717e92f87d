#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 10-bench.sh - builds the benchmark suite (the bench preset, by bench/run.sh)
# and runs it once, briefly, and the callgrind counting program, so that both
# keep building and running; the figures of such a short run mean nothing.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
once() { bench/run.sh --quick && build/bench/bench/statscl_count_calls; }
mkdir -p build
run_logged "bench: built and ran once" build/bench.log once
