#!/usr/bin/env bash
# 07-ratio.sh - the size of the tests against the code they test: cloc code
# lines of tests/ and fuzz/ over those of everything else in the repository
# (Markdown, JSON and the ABI records abi/*.abi left out, build/ and .git
# skipped).  Fails above 0.36.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing ratio || { echo "ratio: could not install cloc"; exit 1; }

limit=0.36
# Code lines of the given paths, as cloc sums them.
code_lines() {
    cloc --quiet --csv --exclude-lang=Markdown,JSON --not-match-f='\.abi$' --exclude-dir=build,.git "$@" |
        awk -F, '$2 == "SUM" { print $5 }'
}
tests=$(code_lines tests fuzz)
all=$(code_lines .)
if [ -z "$tests" ] || [ -z "$all" ]; then
    echo "ratio: cloc gave no count"
    exit 1
fi
rest=$((all - tests))
ratio=$(awk -v t="$tests" -v r="$rest" 'BEGIN { printf "%.2f", t / r }')
if awk -v t="$tests" -v r="$rest" -v l="$limit" 'BEGIN { exit !(t / r <= l) }'; then
    echo "ratio: $tests test lines against $rest lines of code, $ratio (limit $limit)"
else
    echo "ratio: FAILED: $tests test lines against $rest lines of code, $ratio, above $limit"
    exit 1
fi
