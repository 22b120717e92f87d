#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 50-abi.sh - compares the ABI of a fresh build of the library for every
# target (x86-64, 32-bit and 64-bit big-endian PowerPC, 64-bit and 32-bit
# ARM; see targets in scripts/lib.sh) with its recorded ABI of version 1.0,
# abi/statcl_convert-1.0.abi for x86-64 and abi/statcl_convert-1.0-TARGET.abi
# for the others.  Fails on any difference in the exported interface on any
# of them: a symbol removed or added, a changed function signature, a changed
# layout of statscl_convert_t or of the tables.  The 32-bit records catch what
# only a 32-bit target shows (4-byte pointers, 64-bit values in register
# pairs), the big-endian ones what only that byte order shows.  `50-abi.sh
# --update` records the ABI of every fresh build instead (for a deliberate
# change of the interface, with a new version); `50-abi.sh --update TARGET...`
# records only those named (a new target's first record).  Each library's dynamic
# symbols must also be exactly abi/exported_symbols.txt, checked by the unit
# tests' own export check (tests/check_exports.cmake).
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build ppc cross abi || { echo "abi: could not install abigail-tools and the cross compilers"; exit 1; }
build_settings

# The record of a target.
record() { [ "$1" = x86-64 ] && echo abi/statcl_convert-1.0.abi || echo "abi/statcl_convert-1.0-$1.abi"; }
# Only what the public header declares and the library exports.
scope=(--headers-dir include --drop-private-types --exported-interfaces-only)

# Every library first, so that --update never leaves one record behind another.
declare -A libraries
for target in "${targets[@]}"; do
    build_target "$target" || { echo "abi $target: build failed"; exit 1; }
    libraries[$target]=$(readlink -f "build/targets/$target/libstatcl_convert.so")
done

if [ "${1:-}" = --update ]; then
    shift
    [ $# -eq 0 ] || targets=("$@")
    for target in "${targets[@]}"; do
        [ -n "${libraries[$target]:-}" ] || { echo "abi: no target $target"; exit 2; }
        recorded=$(record "$target")
        # No paths of this checkout or of the build folder (ccache makes them
        # relative to it): the record must compare equal from any clone.
        abidw "${scope[@]}" --no-corpus-path --no-comp-dir-path --no-show-locs --no-elf-needed \
            "${libraries[$target]}" | sed "s|path='$PWD/|path='|; s|path='\(\.\./\)*|path='|" >"$recorded" ||
            { echo "abi $target: abidw failed"; exit 1; }
        echo "abi $target: recorded $(grep -c '<elf-symbol ' "$recorded") symbols in $recorded"
    done
    exit 0
fi

failed=()
exports=abi/exported_symbols.txt
for target in "${targets[@]}"; do
    dir=build/targets/$target
    # The unit tests' export check, with the nm of the library's build.
    nm=$(sed -n 's/^CMAKE_NM:FILEPATH=//p' "$dir/CMakeCache.txt")
    cmake -DNM="$nm" -DLIBRARY="${libraries[$target]}" -DEXPECTED="$exports" -P tests/check_exports.cmake \
        >"$dir/exports.log" 2>&1 || { sed "s/^/abi $target: /" "$dir/exports.log"; failed+=("$target exports"); }
    # A target without a record fails here too: 50-abi.sh --update TARGET records it.
    recorded=$(record "$target") report=$dir/abidiff.txt
    # No --headers-dir2: the records carry no source locations, so abidiff would
    # take the row type for a private one and filter out every change of its
    # layout that leaves the tables' sizes alone (two fields swapped, say).
    abidiff --drop-private-types --exported-interfaces-only "$recorded" "${libraries[$target]}" >"$report" 2>&1
    status=$?
    # abidiff's status is a bit field: 1 error, 2 usage, 4 ABI change, 8 incompatible change.
    if [ $status -eq 0 ]; then
        echo "abi $target: $(grep -c '<elf-symbol ' "$recorded") symbols, no change from $recorded"
        continue
    fi
    sed "s/^/abi $target: /" "$report"
    # abidiff's status is a bit field: 1 error, 2 usage, 4 ABI change, 8 incompatible change.
    echo "abi $target: FAILED: abidiff status $status against $recorded"
    failed+=("$target")
done
[ ${#failed[@]} -eq 0 ] && { echo "abi: all ${#targets[@]} targets match their records"; exit 0; }
echo "abi: FAILED on ${failed[*]}"
exit 1
