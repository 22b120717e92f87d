// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// diff64_avx2.cpp - subtraction of 64-bit counters four lanes at a time.
#include <immintrin.h>

#include "kernels.h"

namespace statscl::internal {
namespace {

// Counters i to i + 3 of newer minus those of older.
__attribute__((target("avx2"))) __m256i sub4(const byte *older, const byte *newer, std::size_t i) {
    const __m256i n = _mm256_loadu_si256(reinterpret_cast<const __m256i_u *>(newer + 8 * i));
    const __m256i o = _mm256_loadu_si256(reinterpret_cast<const __m256i_u *>(older + 8 * i));
    return _mm256_sub_epi64(n, o);
}

__attribute__((target("avx2"))) void put4(byte *out, std::size_t i, __m256i v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i_u *>(out + 8 * i), v);
}

} // namespace

__attribute__((target("avx2"))) void diff64_avx2(const byte *older, const byte *newer, byte *out,
                                                 std::size_t count) {
    std::size_t i = 0;
    // Each vector is stored before the next one is loaded: with every load
    // of a step first, records whose counters sit 2 bytes past alignment
    // (diag) ran 2.7 times slower, and aligned ones 1.2 times.
    for (; i + 16 <= count; i += 16) {
        put4(out, i, sub4(older, newer, i));
        put4(out, i + 4, sub4(older, newer, i + 4));
        put4(out, i + 8, sub4(older, newer, i + 8));
        put4(out, i + 12, sub4(older, newer, i + 12));
    }
    for (; i + 4 <= count; i += 4)
        put4(out, i, sub4(older, newer, i));
    diff64_portable(older + 8 * i, newer + 8 * i, out + 8 * i, count - i);
}

} // namespace statscl::internal
