#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 55-target.sh - holds each target's library (built in build/targets/TARGET,
# see targets in scripts/lib.sh) to its target contract:
#  - instruction set, 32-bit big-endian PowerPC: integer instructions only;
#    fails on any floating-point (classic FPU, decimal, paired-single),
#    AltiVec, VSX or SPE instruction, and on any word that objdump cannot
#    decode;
#  - C library, every target: prints the glibc symbol versions the library
#    requires, with the symbols that require them, and fails unless they are
#    exactly those that abi/glibc-versions.txt lists for the target.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build ppc cross || { echo "target: could not install the cross toolchains"; exit 1; }
build_settings

status=0
for target in "${targets[@]}"; do
    build_target "$target" || { echo "target $target: build failed"; exit 1; }
done

dir=build/targets/ppc32
library=$dir/libstatcl_convert.so

# Mnemonics as powerpc-linux-gnu-objdump prints them with its default (widest)
# dialect, matched from the start.  No integer mnemonic begins with f, v, ev,
# lf, stf, lv, stv, lx, stx or xs/xv/xx; the d... and m... names are spelled
# out because dcbf, divw, mfcr, mtspr and friends are integer.
fpu='f|lf|stf|plf|pstf|mffs|mtfs|mcrfs|m[ft]fpr|mffgpr|mftgpr|ps_|psq_'
fpu+='|d(add|sub|mul|div|cmp|tst|qua|rrnd|rint|ct|cf|rsp|rdpq|ded|enb|xex|iex|sc[lr])'
altivec='v|lv|stv|m[ft]vscr|m[ft]vrsave|m[ft]vr[dw]|dss|dst|bcd'
vsx='x[xsv]|lx|stx|plx|pstx|m[ft]vsr|dmx|pmx'
spe='ev|ef[sd]|brinc|m[ft]spefscr'
listing=$dir/libstatcl_convert.dis
powerpc-linux-gnu-objdump -d --no-show-raw-insn "$library" >"$listing" || { echo "target isa: objdump failed"; exit 1; }
# Instruction lines are "  addr:<TAB>mnemonic operands", each function opens with "addr <name>:".
total=$(grep -cE '^ +[0-9a-f]+:'$'\t' "$listing")
found=$(awk -F'\t' -v pattern="^($fpu|$altivec|$vsx|$spe|[.]long)" '
    /^[0-9a-f]+ <.*>:$/ { function_name = $0; sub(/^[0-9a-f]+ /, "", function_name) }
    NF >= 2 && $1 ~ /:$/ { split($2, word, " "); if (word[1] ~ pattern) print function_name " " $1 " " $2 }
    ' "$listing")
if [ -z "$found" ] && [ "$total" -gt 0 ]; then
    echo "target isa: $total instructions, integer only (no FPU, AltiVec, VSX or SPE)"
else
    head -20 <<<"$found"
    echo "target isa: FAILED: $(grep -c . <<<"$found") of $total instructions are floating-point, vector, SPE or undecoded"
    status=1
fi

# Each target's versions against its line in the list.
list=abi/glibc-versions.txt
for target in "${targets[@]}"; do
    dir=build/targets/$target
    objdump=$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' "$dir/CMakeCache.txt")
    # "GLIBC_2.34 dlsym" for every versioned reference of the dynamic symbol table.
    required=$("$objdump" -T "$dir/libstatcl_convert.so") || { echo "target glibc $target: objdump failed"; exit 1; }
    required=$(awk '/\*UND\*/ && match($0, /GLIBC_[0-9.]+[0-9]/) { print substr($0, RSTART, RLENGTH), $NF }' <<<"$required" | sort -uV)
    versions=$(cut -d' ' -f1 <<<"$required" | sort -uV | paste -sd' ')
    listed=$(awk -v target="$target" '$1 == target { $1 = ""; print substr($0, 2) }' "$list")
    if [ -n "$versions" ] && [ "$versions" = "$listed" ]; then
        echo "target glibc $target: $(paste -sd' ' <<<"$required" | sed 's/ \(GLIBC_\)/, \1/g'), as $list lists"
    else
        echo "target glibc $target: FAILED: the library needs ${versions:-no glibc version}; $list lists ${listed:-none}"
        status=1
    fi
done
exit $status
