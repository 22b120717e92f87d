#!/usr/bin/env bash
# check.sh - every test on every preset: native, sanitizers, and 32-bit
# big-endian PowerPC under qemu-ppc; then every gate in scripts/checks/.
# Installs the Debian packages it needs when they are missing.  Exits
# non-zero on any failure; the last line counts the tests and gates.
set -uo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=lib.sh
. scripts/lib.sh
packages=(cmake g++ libgtest-dev g++-powerpc-linux-gnu qemu-user libcli11-dev nlohmann-json3-dev libfmt-dev bats bats-assert bats-support)

passed=0
failed=0
failures=()

# Runs one preset: configure, build, test; adds its counts to the totals.
run_preset() {
    local preset=$1 log
    echo "== $preset"
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j"$(nproc)"; then
        failures+=("$preset: build")
        return
    fi
    log=$(mktemp)
    ctest --preset "$preset" -j"$(nproc)" 2>&1 | tee "$log" | grep -vE '^ *(Start|[0-9]+/[0-9]+ Test) ' || true
    local summary
    summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
    if [ -z "$summary" ]; then
        failures+=("$preset: no test summary")
    else
        local total bad
        total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
        bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$summary")
        passed=$((passed + total - bad))
        failed=$((failed + bad))
        [ "$bad" -eq 0 ] || failures+=("$preset: $bad failed")
    fi
    rm -f "$log"
}

install_missing "${packages[@]}" || { echo "check: could not install ${packages[*]}"; exit 1; }

for preset in release sanitize ppc32-be; do
    run_preset "$preset"
done

# Further gates, one script each in scripts/checks/, run in name order; each
# installs what it needs and exits non-zero on failure.
for gate in scripts/checks/*.sh; do
    [ -e "$gate" ] || continue
    echo "== $(basename "$gate" .sh)"
    if bash "$gate"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        failures+=("$(basename "$gate" .sh)")
    fi
done

echo
for f in "${failures[@]}"; do echo "check: FAILED $f"; done
echo "check: $passed passed, $failed failed"
[ ${#failures[@]} -eq 0 ]
