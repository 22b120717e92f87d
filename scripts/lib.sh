# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# lib.sh - shared by the scripts: installs the Debian packages of the given
# groups of scripts/debian-packages that are missing.
install_missing() {
    local list group packages missing=() p
    list=$(dirname "${BASH_SOURCE[0]}")/debian-packages
    for group in "$@"; do
        packages=$(sed -n "s/^$group:[[:space:]]*//p" "$list")
        [ -n "$packages" ] || { echo "no group '$group' in $list"; return 1; }
        for p in $packages; do
            dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
        done
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "installing the missing Debian packages with ${sudo:+sudo }apt-get: ${missing[*]}"
    $sudo apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Builds and tests from here on use every core, and compile through ccache
# (when it is installed) shared between build folders of the same flags, so
# that the workflows, the matrix and the gates reuse one another's objects.
build_settings() {
    export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
    export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}
    command -v ccache >/dev/null || return 0
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
    export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
}

# The targets whose contract the gates check (the ABI record, the C library
# versions), each with its toolchain file; x86-64 is the native build.
targets=(x86-64 ppc32 ppc64 aarch64 armhf)
declare -A target_toolchains=([x86-64]="" [ppc32]=cmake/ppc32-be.cmake [ppc64]=cmake/ppc64-be.cmake
    [aarch64]=cmake/aarch64.cmake [armhf]=cmake/armhf.cmake)

# `build_target TARGET` builds the library alone (RelWithDebInfo, no tests,
# no tool) for TARGET in build/targets/TARGET, quietly, shared by the gates
# that check it.
build_target() {
    local toolchain=()
    [ -z "${target_toolchains[$1]}" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE="$PWD/${target_toolchains[$1]}")
    cmake -S . -B "build/targets/$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTATSCL_BUILD_TESTS=OFF \
        -DSTATSCL_BUILD_TOOL=OFF "${toolchain[@]}" >/dev/null &&
        cmake --build "build/targets/$1" --target statscl_convert >/dev/null
}

# Debian's build flags, as debhelper passes them to CMake (hardening=+all,
# CPPFLAGS folded into the compilers' flags), exported for what follows.
debian_build_flags() {
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    eval "$(dpkg-buildflags --export=sh)"
    export CFLAGS="$CPPFLAGS $CFLAGS" CXXFLAGS="$CPPFLAGS $CXXFLAGS"
}

# `run_logged LABEL LOG COMMAND...` runs a build (and test) command with its
# output in LOG, then prints "LABEL: passed[, N tests] (T s)", or the log's
# error lines and "LABEL FAILED (T s, log LOG)" and returns non-zero.
run_logged() {
    local label=$1 log=$2 start=$SECONDS tests
    shift 2
    if "$@" >"$log" 2>&1; then
        tests=$(grep -o 'tests failed out of [0-9]*' "$log" | tail -1 | sed 's/.* of /, /')
        echo "$label: passed${tests:+$tests tests} ($((SECONDS - start)) s)"
    else
        grep -E 'error|warning:|Failed|\*\*\*' "$log" | head -20
        echo "$label FAILED ($((SECONDS - start)) s, log $log)"
        return 1
    fi
}
