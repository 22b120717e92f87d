#!/usr/bin/env bash
# example.sh - builds the library and runs the example host program.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)" --target host_walk
./build/release/examples/host_walk
