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
    for (; i + 16 <= count; i += 16) { // 128 bytes of each: every load, then every store
        const __m256i a = sub4(older, newer, i), b = sub4(older, newer, i + 4);
        const __m256i c = sub4(older, newer, i + 8), d = sub4(older, newer, i + 12);
        put4(out, i, a);
        put4(out, i + 4, b);
        put4(out, i + 8, c);
        put4(out, i + 12, d);
    }
    for (; i + 4 <= count; i += 4)
        put4(out, i, sub4(older, newer, i));
    diff64_portable(older + 8 * i, newer + 8 * i, out + 8 * i, count - i);
}

void diff64_sse2(const byte *older, const byte *newer, byte *out, std::size_t count) {
    diff64_portable(older, newer, out, count);
}

} // namespace statscl::internal
