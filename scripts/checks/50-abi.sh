#!/usr/bin/env bash
# 50-abi.sh - compares the ABI of fresh builds of the library with the
# recorded ABI of version 1.0 on both targets: x86-64 (build/abi) against
# abi/statcl_convert-1.0.abi and 32-bit big-endian PowerPC (build/abi-ppc32,
# cmake/ppc32-be.cmake) against abi/statcl_convert-1.0-ppc32.abi.  Fails on
# any difference in the exported interface on either: a symbol removed or
# added, a changed function signature, a changed layout of statscl_convert_t
# or of the tables.  The PowerPC record catches what only a 32-bit target
# shows (4-byte pointers, 64-bit values in register pairs).  `50-abi.sh
# --update` records the ABI of both fresh builds instead (for a deliberate
# change of the interface, with a new version).  Each library's dynamic
# symbols must also be exactly abi/exported_symbols.txt, checked by the unit
# tests' own export check (tests/check_exports.cmake).
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build ppc abi || { echo "abi: could not install abigail-tools and the PowerPC compiler"; exit 1; }
build_settings

targets=(x86-64 ppc32)
declare -A dirs=([x86-64]=build/abi [ppc32]=build/abi-ppc32)
declare -A toolchains=([x86-64]="" [ppc32]=cmake/ppc32-be.cmake)
declare -A records=([x86-64]=abi/statcl_convert-1.0.abi [ppc32]=abi/statcl_convert-1.0-ppc32.abi)
# Only what the public header declares and the library exports.
scope=(--headers-dir include --drop-private-types --exported-interfaces-only)

# Both libraries first, so that --update never leaves one record behind the other.
declare -A libraries
for target in "${targets[@]}"; do
    dir=${dirs[$target]}
    toolchain=()
    [ -z "${toolchains[$target]}" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE="$PWD/${toolchains[$target]}")
    build_library "$dir" "${toolchain[@]}" || { echo "abi $target: build failed"; exit 1; }
    libraries[$target]=$(readlink -f "$dir/libstatcl_convert.so")
done

if [ "${1:-}" = --update ]; then
    mkdir -p abi
    for target in "${targets[@]}"; do
        recorded=${records[$target]}
        # No paths of this checkout: the record must compare equal from any clone.
        abidw "${scope[@]}" --no-corpus-path --no-comp-dir-path --no-show-locs --no-elf-needed \
            "${libraries[$target]}" | sed "s|path='$PWD/|path='|" >"$recorded" ||
            { echo "abi $target: abidw failed"; exit 1; }
        echo "abi $target: recorded $(grep -c '<elf-symbol ' "$recorded") symbols in $recorded"
    done
    exit 0
fi

failed=()
exports=abi/exported_symbols.txt
for target in "${targets[@]}"; do
    # The unit tests' export check, with the nm of the library's build.
    nm=$(sed -n 's/^CMAKE_NM:FILEPATH=//p' "${dirs[$target]}/CMakeCache.txt")
    if ! cmake -DNM="$nm" -DLIBRARY="${libraries[$target]}" -DEXPECTED="$exports" \
        -P tests/check_exports.cmake >"${dirs[$target]}/exports.log" 2>&1; then
        sed "s/^/abi $target: /" "${dirs[$target]}/exports.log"
        echo "abi $target: FAILED: exported symbols differ from $exports"
        failed+=("$target")
    fi
    recorded=${records[$target]}
    report=${dirs[$target]}/abidiff.txt
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
    echo "abi $target: FAILED: abidiff status $status ($( ((status & 8)) && echo 'incompatible change' ||
        { ((status & 4)) && echo 'ABI change' || echo 'abidiff error'; })) against $recorded"
    failed+=("$target")
done
[ ${#failed[@]} -eq 0 ] && { echo "abi: both targets match their records"; exit 0; }
mapfile -t failed < <(printf '%s\n' "${failed[@]}" | sort -u)
echo "abi: FAILED on ${failed[*]}"
exit 1
