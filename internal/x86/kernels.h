// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// kernels.h - the x86-64 kernels behind swap64 and diff64, and the lists of
// kernels that both the load-time choice and the kernel tests walk.
#pragma once

#include "../counters.h"
#include "../swap64.h"

namespace statscl::internal {

void swap64_ssse3(byte *dst, const byte *src, std::size_t count);
void swap64_avx2(byte *dst, const byte *src, std::size_t count);
void diff64_avx2(const byte *older, const byte *newer, byte *out, std::size_t count);
void diff64_sse2(const byte *older, const byte *newer, byte *out, std::size_t count);

// The CPU tests run while the dynamic loader relocates the library, before
// any constructor: they must touch nothing that a sanitizer instruments.
#define STATSCL_LOADER_SAFE __attribute__((no_sanitize("address", "thread", "undefined")))

STATSCL_LOADER_SAFE inline bool cpu_has_avx2() { return __builtin_cpu_supports("avx2"); }
STATSCL_LOADER_SAFE inline bool cpu_has_ssse3() { return __builtin_cpu_supports("ssse3"); }
STATSCL_LOADER_SAFE inline bool cpu_has_x86_64() { return true; }

/// Best first; the portable kernel, which every CPU runs, ends the list.
inline constexpr swap64_kernel swap64_kernels[] = {
    {"avx2", cpu_has_avx2, swap64_avx2},
    {"ssse3", cpu_has_ssse3, swap64_ssse3},
    {"scalar", cpu_has_x86_64, swap64_scalar},
};

using diff64_fn = void (*)(const byte *older, const byte *newer, byte *out, std::size_t count);

/// Best first; SSE2, which every x86-64 CPU has, ends the list.
inline constexpr kernel<diff64_fn> diff64_kernels[] = {
    {"avx2", cpu_has_avx2, diff64_avx2},
    {"sse2", cpu_has_x86_64, diff64_sse2},
};

} // namespace statscl::internal
