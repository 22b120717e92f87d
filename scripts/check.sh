#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# check.sh - the test command: the workflows of the release and sanitize
# presets and of the four cross targets' presets, ppc32-be, ppc64-be, aarch64
# and armhf (configure, build, test; the cross builds' tests under their
# qemu), then every gate in scripts/checks/ in name order.  Installs the Debian
# packages it needs when they are missing.  Prints a line per workflow and
# gate with its time, and exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=lib.sh
. scripts/lib.sh
install_missing build ccache tests tool ppc cross python || { echo "check: could not install the build tools"; exit 1; }
build_settings
mkdir -p build
failures=()

presets=(release sanitize ppc32-be ppc64-be aarch64 armhf) gates=(scripts/checks/*.sh)
for preset in "${presets[@]}"; do
    run_logged "check: workflow $preset" "build/$preset.log" cmake --workflow --preset "$preset" ||
        failures+=("$preset")
done

# The gates print their own results.
for gate in "${gates[@]}"; do
    start=$SECONDS name=$(basename "$gate" .sh)
    if bash "$gate"; then
        echo "check: gate $name passed ($((SECONDS - start)) s)"
    else
        echo "check: gate $name FAILED ($((SECONDS - start)) s)"
        failures+=("$name")
    fi
done

echo "check: $((SECONDS / 60)) min $((SECONDS % 60)) s${failures[*]:+; FAILED: ${failures[*]}}"
echo "check: $((${#presets[@]} + ${#gates[@]} - ${#failures[@]})) passed, ${#failures[@]} failed"
[ ${#failures[@]} -eq 0 ]
