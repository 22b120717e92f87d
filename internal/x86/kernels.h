// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// kernels.h - the x86-64 kernels and the CPU tests that choose among them.
#pragma once

#include "../kernels.h"
#include "../portable/kernels.h"

namespace statscl::internal {

void swap64_ssse3(byte *dst, const byte *src, std::size_t count);
void swap64_avx2(byte *dst, const byte *src, std::size_t count);
void swap64_avx512(byte *dst, const byte *src, std::size_t count);
void diff64_avx2(const byte *older, const byte *newer, byte *out, std::size_t count);
void diff64_avx512(const byte *older, const byte *newer, byte *out, std::size_t count);
void copy64_avx512(byte *to, const byte *from, std::size_t count);

/// The portable kernel out of line, for the vector kernels' last values:
/// inlined, its registers cost the records that end on a whole vector an
/// instruction.
[[gnu::noinline]] inline void swap64_tail(byte *dst, const byte *src, std::size_t count) {
    swap64_portable(dst, src, count);
}

// The CPU tests run while the dynamic loader relocates the library, before
// any constructor: they must touch nothing that a sanitizer instruments.
#define STATSCL_LOADER_SAFE __attribute__((no_sanitize("address", "thread", "undefined")))

STATSCL_LOADER_SAFE inline bool cpu_has_avx512bw() { return __builtin_cpu_supports("avx512bw"); }
STATSCL_LOADER_SAFE inline bool cpu_has_avx2() { return __builtin_cpu_supports("avx2"); }
STATSCL_LOADER_SAFE inline bool cpu_has_ssse3() { return __builtin_cpu_supports("ssse3"); }

} // namespace statscl::internal
