#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 70-static.sh - clang-tidy (checks in .clang-tidy, every finding an error)
# and cppcheck (--error-exitcode) over the library's own sources, core/,
# internal/, types/ and platform/, run by CMake on each source as it compiles
# (the static preset, in build/static, which builds the library alone): a
# finding fails the build.
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing build static || { echo "static: could not install the analysers"; exit 1; }
# CMake runs the analysers before the compiler: ccache skips neither.
build_settings

# A clean build: every source is analysed again.
rm -rf build/static && mkdir -p build
run_logged "static: clang-tidy and cppcheck" build/static.log cmake --workflow --preset static
