// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// fuzz.cpp - a libFuzzer target over a set of kinds: the first input byte
// picks the kind, the rest drive the same checks as the unit tests.  Built
// twice: over the table's fifteen kinds (STATSCL_FUZZ_FIRST 0) and over the
// five platform-dependent ones (STATSCL_FUZZ_FIRST 15).
#include "oracle.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    using namespace statscl::oracle;
    if (size == 0)
        return 0;
    constexpr std::size_t first = STATSCL_FUZZ_FIRST, count = first == 0 ? 15 : 5;
    reader in({data + 1, size - 1});
    try {
        check(kinds[first + data[0] % count], in);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "broken expectation: %s\n", e.what());
        std::abort();
    }
    return 0;
}
