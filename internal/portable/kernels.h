// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// kernels.h - the portable 64-bit kernels, which every CPU runs: bound where
// a CPU has nothing better, inlined for short runs, and the tails of the
// vector kernels.
#pragma once

#include <cstring>

#include "../bytes.h"

namespace statscl::internal {

/// swap64 (kernels.h).  Four values are read before four are written: in
/// place stays correct, and the loads and stores pair up without a
/// dependency between them.
inline void swap64_portable(byte *dst, const byte *src, std::size_t count) {
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const uint64_t a = load<uint64_t>(src + 8 * i);
        const uint64_t b = load<uint64_t>(src + 8 * i + 8);
        const uint64_t c = load<uint64_t>(src + 8 * i + 16);
        const uint64_t d = load<uint64_t>(src + 8 * i + 24);
        store(dst + 8 * i, byteswap(a));
        store(dst + 8 * i + 8, byteswap(b));
        store(dst + 8 * i + 16, byteswap(c));
        store(dst + 8 * i + 24, byteswap(d));
    }
    for (; i < count; ++i)
        store(dst + 8 * i, byteswap(load<uint64_t>(src + 8 * i)));
}

// Two 64-bit lanes; the compiler lowers it to whatever the target has (one
// SSE2 register on baseline x86-64, NEON on 64-bit ARM, a pair of scalars on
// 32-bit PowerPC).
using u64x2 = uint64_t __attribute__((vector_size(16)));

/// diff64_kernel (kernels.h), two lanes at a time.
inline void diff64_portable(const byte *older, const byte *newer, byte *out, std::size_t count) {
    const std::size_t whole = count - count % 4;
    for (std::size_t i = 0; i < whole; i += 4) {
        u64x2 n0, n1, o0, o1;
        std::memcpy(&n0, newer + 8 * i, 16);
        std::memcpy(&n1, newer + 8 * i + 16, 16);
        std::memcpy(&o0, older + 8 * i, 16);
        std::memcpy(&o1, older + 8 * i + 16, 16);
        n0 -= o0;
        n1 -= o1;
        std::memcpy(out + 8 * i, &n0, 16);
        std::memcpy(out + 8 * i + 16, &n1, 16);
    }
    for (std::size_t i = whole; i < count; ++i)
        store<uint64_t>(out + 8 * i, load<uint64_t>(newer + 8 * i) - load<uint64_t>(older + 8 * i));
}

/// copy64_kernel (kernels.h): the C library's copy, as wide as the CPU
/// allows.
inline void copy64_portable(byte *to, const byte *from, std::size_t count) {
    std::memmove(to, from, 8 * count);
}

} // namespace statscl::internal
