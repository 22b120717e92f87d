#!/usr/bin/env bash
# 70-static.sh - clang-tidy (checks in .clang-tidy) and cppcheck over the
# library's own sources, core/, types/ and platform/, with the release
# preset's compile commands (configured in build/static).  Fails on any
# finding of either.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build static || { echo "static: could not install the analysers"; exit 1; }

dir=build/static
cmake --preset release -B "$dir" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null ||
    { echo "static: configure failed"; exit 1; }
mapfile -t sources < <(find core types platform -name '*.cpp' | sort)
status=0

log=$dir/clang-tidy.log
printf '%s\n' "${sources[@]}" | xargs -P"$(nproc)" -n 3 clang-tidy -p "$dir" --quiet >"$log" 2>&1
tidy=$?
findings=$(grep -cE '(warning|error): .*\[[a-z0-9.,-]+\]$' "$log")
if [ $tidy -eq 0 ] && [ "$findings" -eq 0 ]; then
    echo "static clang-tidy: ${#sources[@]} files, no finding"
else
    grep -E -A3 '(warning|error): ' "$log" | head -40
    echo "static clang-tidy: FAILED, $findings findings (log $log)"
    status=1
fi

log=$dir/cppcheck.log
if cppcheck --enable=warning,performance,portability --error-exitcode=1 --inline-suppr --std=c++20 \
    --language=c++ -I include -I core -q "${sources[@]}" >"$log" 2>&1; then
    echo "static cppcheck: ${#sources[@]} files, no finding"
else
    head -40 "$log"
    echo "static cppcheck: FAILED (log $log)"
    status=1
fi
exit $status
