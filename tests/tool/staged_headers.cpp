// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// staged_headers.cpp - compiled with the tool's cross-build options: the
// first three are found in the build tree, the last (which only the build
// machine's /usr/include has) must not be.
#include <CLI/CLI.hpp>
#include <fmt/format.h>
#include <fmt/ranges.h>
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>
