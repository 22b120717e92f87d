// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// swap64.cpp - the portable kernel, and swap64 where it is the only one.
#include "swap64.h"

namespace statscl::internal {

// Four values are read before four are written: in place stays correct, and
// the loads and stores pair up without a dependency between them.
void swap64_scalar(byte *dst, const byte *src, std::size_t count) {
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

#if !defined(STATSCL_X86_KERNELS) && !defined(STATSCL_NEON_KERNEL)
void swap64(byte *dst, const byte *src, std::size_t count) { swap64_scalar(dst, src, count); }
#endif

} // namespace statscl::internal
