// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// avx512.cpp - the 512-bit kernels (AVX-512BW): 64-bit byte reversal,
// subtraction and copy over one walk of a run, 64 bytes a vector.
#include <immintrin.h>

#include <cstdint>
#include <type_traits>

#include "kernels.h"

#define STATSCL_AVX512 __attribute__((target("avx512bw")))

namespace statscl::internal {
namespace {

template <std::size_t W> using width = std::integral_constant<std::size_t, W>;

// W bytes (64, 32, 16 or 8) at p, as one register.
template <std::size_t W> STATSCL_AVX512 inline auto load_at(const byte *p) {
    if constexpr (W == 64)
        return _mm512_loadu_si512(p);
    else if constexpr (W == 32)
        return _mm256_loadu_si256(reinterpret_cast<const __m256i_u *>(p));
    else if constexpr (W == 16)
        return _mm_loadu_si128(reinterpret_cast<const __m128i_u *>(p));
    else
        return load<uint64_t>(p);
}

STATSCL_AVX512 inline void store_at(byte *p, __m512i v) { _mm512_storeu_si512(p, v); }
STATSCL_AVX512 inline void store_at(byte *p, __m256i v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i_u *>(p), v);
}
STATSCL_AVX512 inline void store_at(byte *p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i_u *>(p), v);
}
inline void store_at(byte *p, uint64_t v) { store(p, v); }

// Stores get(at, width<64>) at out + at over a run of 64 to 512 bytes (a
// multiple of 8) as the C library copies one: two, four or eight vectors,
// the second half of them ending at the run's end and overlapping the first
// half where the run is shorter, every load before any store.
template <class Get> STATSCL_AVX512 inline void up_to_eight(byte *out, std::size_t n, Get get) {
    const auto at = [&](std::size_t offset) STATSCL_AVX512 { return get(offset, width<64>{}); };
    if (n <= 128) {
        const __m512i a = at(0), b = at(n - 64);
        store_at(out, a);
        store_at(out + n - 64, b);
    } else if (n <= 256) {
        const __m512i a = at(0), b = at(64), c = at(n - 128), d = at(n - 64);
        store_at(out, a);
        store_at(out + 64, b);
        store_at(out + n - 128, c);
        store_at(out + n - 64, d);
    } else {
        const __m512i a = at(0), b = at(64), c = at(128), d = at(192);
        const __m512i e = at(n - 256), f = at(n - 192), g = at(n - 128), h = at(n - 64);
        store_at(out, a);
        store_at(out + 64, b);
        store_at(out + 128, c);
        store_at(out + 192, d);
        store_at(out + n - 256, e);
        store_at(out + n - 192, f);
        store_at(out + n - 128, g);
        store_at(out + n - 64, h);
    }
}

// Stores get(at, width<W>) at out + at over a run of n bytes (a multiple of
// 8).  From 64 to 512 bytes: up_to_eight, whose loads all come before its
// stores.  Else in pieces that never overlap: 64 bytes a vector from the
// first 64-byte boundary of out where a value starts there (the stores then
// never cross a cache line), from out itself where none does (values shifted
// into aligned stores measured no faster, bench/README.md), four loads
// before four stores; 32, 16 and 8 bytes before and after.  In place every
// piece is read before it is written, and a call on the same records reads
// each piece where the call before stored it whole, which lets the store
// forward to the load.
template <class Get> STATSCL_AVX512 inline void each_piece(byte *out, std::size_t n, Get get) {
    if (n >= 64 && n <= 512) {
        up_to_eight(out, n, get);
        return;
    }
    std::size_t at = 0;
    const auto piece = [&](auto w) STATSCL_AVX512 {
        store_at(out + at, get(at, w));
        at += w;
    };
    const auto pieces = [&](std::size_t bytes) STATSCL_AVX512 {
        if ((bytes & 32) != 0)
            piece(width<32>{});
        if ((bytes & 16) != 0)
            piece(width<16>{});
        if ((bytes & 8) != 0)
            piece(width<8>{});
    };
    const std::size_t head = (0 - reinterpret_cast<std::uintptr_t>(out)) % 64;
    if (head % 8 == 0 && head <= n)
        pieces(head);
    for (; at + 256 <= n; at += 256) {
        const __m512i a = get(at, width<64>{}), b = get(at + 64, width<64>{});
        const __m512i c = get(at + 128, width<64>{}), d = get(at + 192, width<64>{});
        store_at(out + at, a);
        store_at(out + at + 64, b);
        store_at(out + at + 128, c);
        store_at(out + at + 192, d);
    }
    for (; at + 64 <= n; at += 64)
        store_at(out + at, get(at, width<64>{}));
    pieces(n - at);
}

// The 64-bit values of v reversed, at each width.
STATSCL_AVX512 inline __m512i reversed(__m512i v) {
    // Within each 16-byte lane, which a 64-bit value never crosses.
    return _mm512_shuffle_epi8(v, _mm512_set4_epi64(0x08090A0B0C0D0E0F, 0x0001020304050607,
                                                    0x08090A0B0C0D0E0F, 0x0001020304050607));
}
STATSCL_AVX512 inline __m256i reversed(__m256i v) {
    return _mm256_shuffle_epi8(v, _mm256_set_epi64x(0x08090A0B0C0D0E0F, 0x0001020304050607,
                                                    0x08090A0B0C0D0E0F, 0x0001020304050607));
}
STATSCL_AVX512 inline __m128i reversed(__m128i v) {
    return _mm_shuffle_epi8(v, _mm_set_epi64x(0x08090A0B0C0D0E0F, 0x0001020304050607));
}
inline uint64_t reversed(uint64_t v) { return byteswap(v); }

// The 64-bit lanes of a minus those of b, at each width.
STATSCL_AVX512 inline __m512i minus(__m512i a, __m512i b) { return _mm512_sub_epi64(a, b); }
STATSCL_AVX512 inline __m256i minus(__m256i a, __m256i b) { return _mm256_sub_epi64(a, b); }
STATSCL_AVX512 inline __m128i minus(__m128i a, __m128i b) { return _mm_sub_epi64(a, b); }
inline uint64_t minus(uint64_t a, uint64_t b) { return a - b; }

} // namespace

STATSCL_AVX512 void swap64_avx512(byte *dst, const byte *src, std::size_t count) {
    each_piece(dst, 8 * count, [&](std::size_t at, auto w) STATSCL_AVX512 {
        return reversed(load_at<w>(src + at));
    });
}

STATSCL_AVX512 void diff64_avx512(const byte *older, const byte *newer, byte *out,
                                  std::size_t count) {
    each_piece(out, 8 * count, [&](std::size_t at, auto w) STATSCL_AVX512 {
        return minus(load_at<w>(newer + at), load_at<w>(older + at));
    });
}

STATSCL_AVX512 void copy64_avx512(byte *to, const byte *from, std::size_t count) {
    each_piece(to, 8 * count, [&](std::size_t at, auto w) STATSCL_AVX512 { return load_at<w>(from + at); });
}

} // namespace statscl::internal
