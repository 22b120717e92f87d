#!/usr/bin/env bash
# 50-abi.sh - compares the ABI of a fresh build (the release preset, in
# build/abi) with the recorded ABI of version 1.0, abi/statcl_convert-1.0.abi.
# Fails on any difference in the exported interface: a symbol removed or
# added, a changed function signature, a changed layout of statscl_convert_t
# or of the tables.  `50-abi.sh --update` records the ABI of the fresh build
# instead (for a deliberate change of the interface, with a new version).
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build abi || { echo "abi: could not install abigail-tools"; exit 1; }

recorded=abi/statcl_convert-1.0.abi
dir=build/abi
cmake --preset release -B "$dir" >/dev/null && cmake --build "$dir" -j"$(nproc)" --target statscl_convert >/dev/null ||
    { echo "abi: build failed"; exit 1; }
library=$(readlink -f "$dir/libstatcl_convert.so")
# Only what the public header declares and the library exports.
scope=(--headers-dir include --drop-private-types --exported-interfaces-only)

if [ "${1:-}" = --update ]; then
    mkdir -p abi
    # No paths of this checkout: the record must compare equal from any clone.
    abidw "${scope[@]}" --no-corpus-path --no-comp-dir-path --no-show-locs --no-elf-needed "$library" |
        sed "s|path='$PWD/|path='|" >"$recorded" || { echo "abi: abidw failed"; exit 1; }
    echo "abi: recorded $(grep -c '<elf-symbol ' "$recorded") symbols in $recorded"
    exit 0
fi

report=$dir/abidiff.txt
abidiff --headers-dir2 include --drop-private-types --exported-interfaces-only "$recorded" "$library" >"$report" 2>&1
status=$?
# abidiff's status is a bit field: 1 error, 2 usage, 4 ABI change, 8 incompatible change.
if [ $status -eq 0 ]; then
    echo "abi: $(grep -c '<elf-symbol ' "$recorded") symbols, no change from $recorded"
    exit 0
fi
cat "$report"
echo "abi: FAILED: abidiff status $status ($( ((status & 8)) && echo 'incompatible change' ||
    { ((status & 4)) && echo 'ABI change' || echo 'abidiff error'; }))"
exit 1
