// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// kernels.h - the 64-bit kernels as every CPU binds them.
//
// Every CPU has the portable kernels (portable/kernels.h).  One file per CPU
// binds `swap64`, `diff64_kernel` and `copy64_kernel` to the best kernels
// that CPU has, and
// CMake picks that file: on x86-64 (x86/bind.cpp) the dynamic loader binds
// them once, by the CPU's features, so the library keeps no mutable state;
// on 64-bit ARM (arm/bind.cpp) swap64 is NEON, with no choice; every other
// CPU binds the portable kernels (portable/bind.cpp).
#pragma once

#include <cstddef>
#include <span>

#include "bytes.h"

namespace statscl::internal {

using swap64_fn = void (*)(byte *dst, const byte *src, std::size_t count);
using diff64_fn = void (*)(const byte *older, const byte *newer, byte *out, std::size_t count);
using copy64_fn = void (*)(byte *to, const byte *from, std::size_t count);

/// Reverses each of `count` 8-byte values, src into dst; dst may equal src
/// (but may not overlap it otherwise).  No alignment is assumed.
void swap64(byte *dst, const byte *src, std::size_t count);

/// out[i] = newer[i] - older[i] modulo 2^64 for `count` host-order counters;
/// out may equal either input.
void diff64_kernel(const byte *older, const byte *newer, byte *out, std::size_t count);

/// Copies `count` 8-byte values from `from` into `to`; to may equal from (but
/// may not overlap it otherwise).
void copy64_kernel(byte *to, const byte *from, std::size_t count);

/// Whether this build has its CPU's vector kernels (CMake's
/// STATSCL_VECTOR_KERNELS): without them every list holds the portable
/// kernel alone.
inline constexpr bool vector_kernels = STATSCL_VECTOR_KERNELS;

/// Whether the kernels are chosen at load time and may be wider than the
/// portable ones (CMake decides): only then is a long run worth a call of
/// diff64_kernel rather than the loop inline, and of copy64_kernel rather
/// than the C library's memmove.
inline constexpr bool wide_kernels = STATSCL_WIDE_KERNELS;

/// A kernel of this CPU: its name, whether the CPU runs it (on x86-64 once
/// __builtin_cpu_init() has run), and the kernel.
template <class Fn> struct kernel {
    const char *name;
    bool (*supported)();
    Fn fn;
};

/// The support test of a kernel that every CPU runs.
constexpr bool always() { return true; }

/// This CPU's kernels, best first; the portable one, which every CPU runs,
/// ends each list.
std::span<const kernel<swap64_fn>> swap64_kernels();
std::span<const kernel<diff64_fn>> diff64_kernels();
std::span<const kernel<copy64_fn>> copy64_kernels();

/// The kernels that swap64, diff64_kernel and copy64_kernel are bound to: the
/// first of each list that this CPU runs.  On x86-64 they are the resolvers
/// that the dynamic loader calls.
extern "C" swap64_fn statscl_bound_swap64();
extern "C" diff64_fn statscl_bound_diff64();
extern "C" copy64_fn statscl_bound_copy64();

} // namespace statscl::internal

/// The binding of a CPU that chooses nothing at load time, for its bind.cpp:
/// its lists of kernels, and swap64, diff64_kernel and copy64_kernel bound to
/// the first kernel of each, which that CPU always runs.
#define STATSCL_BIND_FIRST(swap64_list, diff64_list, copy64_list)                                  \
    std::span<const kernel<swap64_fn>> swap64_kernels() { return swap64_list; }                    \
    std::span<const kernel<diff64_fn>> diff64_kernels() { return diff64_list; }                    \
    std::span<const kernel<copy64_fn>> copy64_kernels() { return copy64_list; }                    \
    swap64_fn statscl_bound_swap64() { return (swap64_list)[0].fn; }                               \
    diff64_fn statscl_bound_diff64() { return (diff64_list)[0].fn; }                               \
    copy64_fn statscl_bound_copy64() { return (copy64_list)[0].fn; }                               \
    void swap64(byte *dst, const byte *src, std::size_t count) {                                   \
        (swap64_list)[0].fn(dst, src, count);                                                      \
    }                                                                                              \
    void diff64_kernel(const byte *older, const byte *newer, byte *out, std::size_t count) {       \
        (diff64_list)[0].fn(older, newer, out, count);                                             \
    }                                                                                              \
    void copy64_kernel(byte *to, const byte *from, std::size_t count) {                            \
        (copy64_list)[0].fn(to, from, count);                                                      \
    }
