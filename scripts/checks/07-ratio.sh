#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 07-ratio.sh - the size of the tests against the code they test: cloc code
# lines of tests/ and fuzz/ over those of everything else in the repository
# (Markdown, JSON and the ABI records abi/*.abi left out, build/ and .git
# skipped).  Fails above 0.35.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing ratio || { echo "ratio: could not install cloc"; exit 1; }

# Code lines of the given paths, as cloc sums them.
code_lines() {
    cloc --quiet --csv --exclude-lang=Markdown,JSON --not-match-f='\.abi$' --exclude-dir=build,.git "$@" |
        awk -F, '$2 == "SUM" { print $5 }'
}
tests=$(code_lines tests fuzz) all=$(code_lines .)
[ -n "$tests" ] && [ -n "$all" ] || { echo "ratio: cloc gave no count"; exit 1; }
awk -v t="$tests" -v r="$((all - tests))" -v limit=0.35 'BEGIN {
    ok = t / r <= limit
    printf "ratio: %s%d test lines against %d lines of code, %.2f (limit %s)\n", ok ? "" : "FAILED: ", t, r, t / r, limit
    exit !ok }'
