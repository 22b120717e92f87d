// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// swap64_ssse3.cpp - 64-bit byte reversal with SSSE3 byte shuffles.
#include <immintrin.h>

#include "kernels.h"

namespace statscl::internal {

__attribute__((target("ssse3"))) void swap64_ssse3(byte *dst, const byte *src, std::size_t count) {
    const __m128i reverse = _mm_setr_epi8(7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8);
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) { // 64 bytes: four loads, then four stores
        const auto *s = reinterpret_cast<const __m128i_u *>(src + 8 * i);
        auto *d = reinterpret_cast<__m128i_u *>(dst + 8 * i);
        const __m128i a = _mm_loadu_si128(s), b = _mm_loadu_si128(s + 1);
        const __m128i c = _mm_loadu_si128(s + 2), e = _mm_loadu_si128(s + 3);
        _mm_storeu_si128(d, _mm_shuffle_epi8(a, reverse));
        _mm_storeu_si128(d + 1, _mm_shuffle_epi8(b, reverse));
        _mm_storeu_si128(d + 2, _mm_shuffle_epi8(c, reverse));
        _mm_storeu_si128(d + 3, _mm_shuffle_epi8(e, reverse));
    }
    for (; i + 2 <= count; i += 2) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i_u *>(src + 8 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i_u *>(dst + 8 * i), _mm_shuffle_epi8(a, reverse));
    }
    if (i < count) // no call when the values end on a whole vector
        swap64_tail(dst + 8 * i, src + 8 * i, count - i);
}

} // namespace statscl::internal
