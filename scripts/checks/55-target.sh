#!/usr/bin/env bash
# 55-target.sh - holds the 32-bit big-endian PowerPC library (built in
# build/target with cmake/ppc32-be.cmake) to its target contract, as the
# README's "Target contract" section states it:
#  - instruction set: integer instructions only; fails on any floating-point
#    (classic FPU, decimal, paired-single), AltiVec, VSX or SPE instruction,
#    and on any word that objdump cannot decode;
#  - C library: prints the glibc symbol versions the library requires and
#    fails on any that the README's list does not name.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build ppc || { echo "target: could not install the PowerPC toolchain"; exit 1; }
build_settings

dir=build/target
build_library "$dir" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/ppc32-be.cmake" || { echo "target: build failed"; exit 1; }
library=$dir/libstatcl_convert.so
status=0

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

# The README's list: the "Required from libc.so.6" line of its Target contract section.
mapfile -t listed < <(sed -n '/^## Target contract/,/^## /p' README.md | grep 'Required from `libc.so.6`' |
    grep -oE 'GLIBC_[0-9]+(\.[0-9]+)*' | sort -uV)
# "GLIBC_2.34 dlsym" for every versioned reference of the dynamic symbol table.
required=$(powerpc-linux-gnu-objdump -T "$library" |
    awk '/\*UND\*/ && match($0, /GLIBC_[0-9.]+[0-9]/) { print substr($0, RSTART, RLENGTH), $NF }' | sort -uV)
mapfile -t versions < <(cut -d' ' -f1 <<<"$required" | sort -uV)
unlisted=()
for version in "${versions[@]}"; do
    echo "target glibc: $version: $(grep "^$version " <<<"$required" | cut -d' ' -f2 | paste -sd' ')"
    [[ " ${listed[*]} " == *" $version "* ]] || unlisted+=("$version")
done
if [ ${#listed[@]} -eq 0 ]; then
    echo "target glibc: FAILED: README.md has no 'Required from \`libc.so.6\`' line under '## Target contract'"
    status=1
elif [ ${#unlisted[@]} -gt 0 ]; then
    echo "target glibc: FAILED: ${unlisted[*]} not in README.md's Target contract (${listed[*]}); update it"
    status=1
else
    echo "target glibc: ${#versions[@]} symbol versions, all listed in README.md (${listed[*]})"
fi
exit $status
