#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 08-licence.sh - every file states its copyright and licence the way tools
# read them: `reuse lint` over the repository (SPDX lines at the top of each
# source, script and build file; .reuse/dep5 for data files; LICENSES/).
set -uo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=../lib.sh
. scripts/lib.sh
install_missing licence || { echo "licence: could not install reuse"; exit 1; }
if reuse lint >build/licence.log 2>&1; then
    echo "licence: $(grep -c . <(git ls-files)) files, reuse lint passed"
else
    sed -n '/^# MISSING\|have no\|Bad\|Missing/,/^$/p' build/licence.log | head -30
    echo "licence: FAILED: reuse lint (log build/licence.log)"
    exit 1
fi
