#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 30-tsan.sh - the unit tests under ThreadSanitizer: the tsan workflow, whose
# test preset sets TSAN_OPTIONS (halt on the first report, which fails the
# test) and the thread stress test's STATSCL_STRESS_ROUNDS (400 rounds per
# thread).
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build tests tool || { echo "tsan: could not install the compiler and the libraries"; exit 1; }
build_settings

mkdir -p build
run_logged "tsan: workflow" build/tsan.log cmake --workflow --preset tsan
