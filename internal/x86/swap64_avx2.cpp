// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// swap64_avx2.cpp - 64-bit byte reversal with AVX2 byte shuffles.
#include <immintrin.h>

#include "kernels.h"

namespace statscl::internal {

__attribute__((target("avx2"))) void swap64_avx2(byte *dst, const byte *src, std::size_t count) {
    // The shuffle works within each 16-byte lane, and a 64-bit value never
    // crosses one.
    const __m256i reverse =
        _mm256_setr_epi8(7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8, //
                         7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8);
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) { // 128 bytes: four loads, then four stores
        const auto *s = reinterpret_cast<const __m256i_u *>(src + 8 * i);
        auto *d = reinterpret_cast<__m256i_u *>(dst + 8 * i);
        const __m256i a = _mm256_loadu_si256(s), b = _mm256_loadu_si256(s + 1);
        const __m256i c = _mm256_loadu_si256(s + 2), e = _mm256_loadu_si256(s + 3);
        _mm256_storeu_si256(d, _mm256_shuffle_epi8(a, reverse));
        _mm256_storeu_si256(d + 1, _mm256_shuffle_epi8(b, reverse));
        _mm256_storeu_si256(d + 2, _mm256_shuffle_epi8(c, reverse));
        _mm256_storeu_si256(d + 3, _mm256_shuffle_epi8(e, reverse));
    }
    for (; i + 4 <= count; i += 4) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i_u *>(src + 8 * i));
        _mm256_storeu_si256(reinterpret_cast<__m256i_u *>(dst + 8 * i),
                            _mm256_shuffle_epi8(a, reverse));
    }
    if (i < count) // no call when the values end on a whole vector
        swap64_tail(dst + 8 * i, src + 8 * i, count - i);
}

} // namespace statscl::internal
