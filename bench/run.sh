#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# run.sh [--quick] [WORD...] - builds the bench preset and prints, for every
# row's operations (or those whose "kind operation" holds one of the words),
# the median and the worst ratio of its speed to memcpy's of the same bytes
# over 64 placements of its records (bench/bench.cpp says how).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
install_missing build
build_settings
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
exec build/bench/bench/statscl_bench "$@"
