// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// swap64.h - the hot kernel: byte reversal of an array of 64-bit values.
//
// The portable kernel is always built and tested.  On x86-64 the SSSE3 and
// AVX2 kernels of x86/ join it, and `swap64` is bound to the best of them
// once, by the dynamic loader, so the library keeps no mutable state.  On
// 64-bit ARM `swap64` is the NEON kernel of arm/.
#pragma once

#include <cstddef>

#include "bytes.h"

namespace statscl::internal {

using swap64_fn = void (*)(byte *dst, const byte *src, std::size_t count);

/// Reverses each of `count` 8-byte values, src into dst; dst may equal src
/// (but may not overlap it otherwise).  No alignment is assumed.
void swap64(byte *dst, const byte *src, std::size_t count);

/// The portable kernel behind swap64.
void swap64_scalar(byte *dst, const byte *src, std::size_t count);

/// A kernel in a list that the load-time choice and the kernel tests walk.
template <class Fn> struct kernel {
    const char *name;
    bool (*supported)(); ///< on x86-64, after __builtin_cpu_init()
    Fn fn;
};
using swap64_kernel = kernel<swap64_fn>;

} // namespace statscl::internal
