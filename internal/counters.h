// counters.h - the baseline operations on runs of 64-bit counters.
#pragma once

#include <bit>
#include <cstddef>
#include <cstring>

#include "bytes.h"

namespace statscl::internal {

// Two 64-bit lanes; the compiler lowers it to whatever the target has (one
// SSE2 register on baseline x86-64, a pair of scalars on 32-bit PowerPC).
using u64x2 = uint64_t __attribute__((vector_size(16)));

/// out[i] = newer[i] - older[i] modulo 2^64 for `count` host-order counters.
/// Both inputs of an element are read before its output is written, so out
/// may equal either input.
inline void diff64(const byte *older, const byte *newer, byte *out, std::size_t count) {
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

/// Copies `count` counters from `from` into `to`; `to` may equal `from`.
inline void copy64(byte *to, const byte *from, std::size_t count) {
    const std::size_t whole = count - count % 4;
    for (std::size_t i = 0; i < whole; i += 4) {
        u64x2 v0, v1;
        std::memcpy(&v0, from + 8 * i, 16);
        std::memcpy(&v1, from + 8 * i + 16, 16);
        std::memcpy(to + 8 * i, &v0, 16);
        std::memcpy(to + 8 * i + 16, &v1, 16);
    }
    for (std::size_t i = whole; i < count; ++i)
        store(to + 8 * i, load<uint64_t>(from + 8 * i));
}

/// Calls apply(first, n) for each run of n adjacent set bits of `mask` that
/// starts at bit `first`, lowest first: a selection of lanes or paths becomes
/// a few copies of adjacent counters.
template <class Apply> inline void for_each_bit_run(uint64_t mask, Apply apply) {
    while (mask != 0) {
        const int first = std::countr_zero(mask);
        const int n = std::countr_one(mask >> first);
        apply(static_cast<std::size_t>(first), static_cast<std::size_t>(n));
        mask = n == 64 ? 0 : mask & ~(((uint64_t{1} << n) - 1) << first);
    }
}

/// Byte views of the caller's records.
inline byte *bytes(void *p) { return static_cast<byte *>(p); }
inline const byte *bytes(const void *p) { return static_cast<const byte *>(p); }

/// The common diff: `Count` counters from byte `Offset` of current minus the
/// baseline's; returns when baseline or current is null, never reads req.
template <uint32_t Offset, uint32_t Count>
void diff_counters(const void *baseline, const void * /*req*/, void *current) {
    if (baseline == nullptr || current == nullptr)
        return;
    diff64(bytes(baseline) + Offset, bytes(current) + Offset, bytes(current) + Offset, Count);
}

/// The common clear: copies the same counters into the baseline; returns when
/// any pointer is null, never reads req's bytes.
template <uint32_t Offset, uint32_t Count>
void clear_counters(void *baseline, const void *req, const void *current) {
    if (baseline == nullptr || req == nullptr || current == nullptr)
        return;
    copy64(bytes(baseline) + Offset, bytes(current) + Offset, Count);
}

} // namespace statscl::internal
