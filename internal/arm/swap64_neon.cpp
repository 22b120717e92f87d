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
    if (count >= 16) {
        // 128 bytes a step: both loads, then both stores.  The last 128
        // bytes are taken before anything is stored and stored last: in
        // place they may overlap the last step, and no shorter step follows.
        const std::size_t last = 8 * count - 128;
        const uint8x16x4_t y = reversed(vld1q_u8_x4(src + last));
        const uint8x16x4_t z = reversed(vld1q_u8_x4(src + last + 64));
        // Each pointer moves after each access, which the loads and stores
        // do themselves (post-indexed): no address is computed apart.
        byte *d = dst;
        for (const byte *s = src, *end = src + last; s < end;) {
            const uint8x16x4_t a = vld1q_u8_x4(s);
            s += 64;
            const uint8x16x4_t b = vld1q_u8_x4(s);
            s += 64;
            vst1q_u8_x4(d, reversed(a));
            d += 64;
            vst1q_u8_x4(d, reversed(b));
            d += 64;
        }
        vst1q_u8_x4(dst + last, y);
        vst1q_u8_x4(dst + last + 64, z);
        return;
    }
    std::size_t i = 0;
    if (count >= 8) {
        vst1q_u8_x4(dst, reversed(vld1q_u8_x4(src)));
        i = 8;
    }
    for (; i + 2 <= count; i += 2)
        vst1q_u8(dst + 8 * i, vrev64q_u8(vld1q_u8(src + 8 * i)));
    if (i < count)
        store(dst + 8 * i, byteswap(load<uint64_t>(src + 8 * i)));
}

} // namespace statscl::internal
