// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// counters.h - the baseline operations on runs of 64-bit counters.
#pragma once

#include <bit>
#include <cstddef>
#include <cstring>

#include "bytes.h"
#include "kernels.h"
#include "portable/kernels.h"

namespace statscl::internal {

/// out[i] = newer[i] - older[i] modulo 2^64 for `count` host-order counters.
/// Both inputs of an element are read before its output is written, so out
/// may equal either input.
inline void diff64(const byte *older, const byte *newer, byte *out, std::size_t count) {
    // A long run is worth a call when the CPU's kernel is wider than the
    // portable loop; a short one never is.
    if (wide_kernels && count >= 8) {
        diff64_kernel(older, newer, out, count);
        return;
    }
    diff64_portable(older, newer, out, count);
}

/// Whether copies of counters are loops of word pairs rather than the C
/// library's memmove and inline 32-byte moves.  CMake sets it for the CPUs
/// where bench/qemu_counts.sh counted fewer instructions that way.
inline constexpr bool copy64_by_word_pairs = STATSCL_COPY64_WORD_PAIRS;

/// Copies `count` counters from `from` into `to`; `to` may equal `from`.
inline void copy64(byte *to, const byte *from, std::size_t count) {
    if constexpr (copy64_by_word_pairs) {
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
        return;
    }
    // A long run is the copy kernel where the kernels are chosen at load
    // time, else the C library's copy, as wide as the CPU allows.  A short
    // one is copied inline, 32 bytes at a time, the last 32 (or 16) bytes
    // overlapping the step before: a copy may write a byte twice.
    const std::size_t n = 8 * count;
    const auto move16 = [&](std::size_t at, std::size_t also) {
        u64x2 v0, v1;
        std::memcpy(&v0, from + at, 16);
        std::memcpy(&v1, from + also, 16);
        std::memcpy(to + at, &v0, 16);
        std::memcpy(to + also, &v1, 16);
    };
    if (n >= 256 && wide_kernels) {
        copy64_kernel(to, from, count);
    } else if (n >= 256) {
        // memmove: a memcpy of known length may be expanded into rep movs,
        // which is slow to start for a few hundred bytes.
        std::memmove(to, from, n);
    } else if (n >= 32) {
        std::size_t at = 0;
        for (; at + 32 < n; at += 32)
            move16(at, at + 16);
        move16(n - 32, n - 16);
    } else if (n >= 16) {
        move16(0, n - 16);
    } else if (n == 8) {
        store(to, load<uint64_t>(from));
    }
}

/// Copies the first and the last `W` bytes (8, 16 or 32) of a run of `last`
/// + `W` bytes: all of it when the run is at most 2 * W bytes, the two parts
/// overlapping when it is shorter (the same bytes twice when `last` is 0, so
/// the callers take the narrowest `W` that covers the run).  Every load comes
/// before every store.
template <std::size_t W> inline void copy_ends(byte *to, const byte *from, std::size_t last) {
    if constexpr (W == 8) {
        const uint64_t first = load<uint64_t>(from), final = load<uint64_t>(from + last);
        store(to, first);
        store(to + last, final);
    } else {
        constexpr std::size_t k = W / 16;
        u64x2 v[2 * k];
        for (std::size_t i = 0; i < k; ++i) {
            std::memcpy(&v[i], from + 16 * i, 16);
            std::memcpy(&v[k + i], from + last + 16 * i, 16);
        }
        for (std::size_t i = 0; i < k; ++i) {
            std::memcpy(to + 16 * i, &v[i], 16);
            std::memcpy(to + last + 16 * i, &v[k + i], 16);
        }
    }
}

/// copy_ends at every `stride` bytes below `end`.
template <std::size_t W>
inline void copy_ends_each(byte *to, const byte *from, std::size_t last, std::size_t end,
                           std::size_t stride) {
    for (std::size_t at = 0; at < end; at += stride)
        copy_ends<W>(to + at, from + at, last);
}

/// Copies `count` counters (1 to 8) at each of `blocks` places `stride` bytes
/// apart; `to` may equal `from`.  The choice of moves is made once for all
/// the places.
inline void copy64_strided(byte *to, const byte *from, std::size_t count, std::size_t blocks,
                           std::size_t stride) {
    if constexpr (copy64_by_word_pairs) {
        for (std::size_t at = 0; at < blocks * stride; at += stride)
            copy64(to + at, from + at, count);
    } else {
        const std::size_t end = blocks * stride;
        if (count > 4)
            copy_ends_each<32>(to, from, 8 * count - 32, end, stride);
        else if (count > 2)
            copy_ends_each<16>(to, from, 8 * count - 16, end, stride);
        else
            copy_ends_each<8>(to, from, 8 * count - 8, end, stride);
    }
}

/// Calls apply(first, n) for each run of n adjacent set bits of `mask` that
/// starts at bit `first`, lowest first: a selection of lanes or paths becomes
/// a few copies of adjacent counters.  Always inlined, with the rule's copy
/// or subtraction in it: on PowerPC a call costs more than the run.
template <class Apply>
[[gnu::always_inline]] inline void for_each_bit_run(uint64_t mask, Apply apply) {
    while (mask != 0) {
        const int first = std::countr_zero(mask);
        const int n = std::countr_one(mask >> first);
        apply(static_cast<std::size_t>(first), static_cast<std::size_t>(n));
        // Adding the lowest set bit carries through the run and clears it.
        mask &= mask + (mask & (0 - mask));
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
