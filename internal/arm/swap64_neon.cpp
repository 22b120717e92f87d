// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// swap64_neon.cpp - 64-bit byte reversal with NEON.
#include <arm_neon.h>

#include "kernels.h"

namespace statscl::internal {

// One instruction loads or stores four registers, 64 bytes.
inline uint8x16x4_t reversed(uint8x16x4_t v) {
    return {{vrev64q_u8(v.val[0]), vrev64q_u8(v.val[1]), vrev64q_u8(v.val[2]),
             vrev64q_u8(v.val[3])}};
}

void swap64_neon(byte *dst, const byte *src, std::size_t count) {
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) { // 128 bytes: both loads, then both stores
        const uint8x16x4_t a = vld1q_u8_x4(src + 8 * i), b = vld1q_u8_x4(src + 8 * i + 64);
        vst1q_u8_x4(dst + 8 * i, reversed(a));
        vst1q_u8_x4(dst + 8 * i + 64, reversed(b));
    }
    if (i + 8 <= count) {
        vst1q_u8_x4(dst + 8 * i, reversed(vld1q_u8_x4(src + 8 * i)));
        i += 8;
    }
    for (; i + 2 <= count; i += 2)
        vst1q_u8(dst + 8 * i, vrev64q_u8(vld1q_u8(src + 8 * i)));
    if (i < count)
        store(dst + 8 * i, byteswap(load<uint64_t>(src + 8 * i)));
}

} // namespace statscl::internal
