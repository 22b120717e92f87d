#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# example.sh - builds everything (the library, its tests, the example host
# and the statscl tool), runs the example host, and decodes the built-in qos
# sample with statscl.  Installs the Debian packages it needs when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=lib.sh
. scripts/lib.sh
install_missing build tests tool
build_settings
cmake --preset release >/dev/null
cmake --build --preset release
./build/release/examples/host_walk
echo
./build/release/tools/statscl decode --type qos
