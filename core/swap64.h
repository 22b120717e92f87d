// swap64.h - the hot kernel: byte reversal of an array of 64-bit values.
//
// One portable kernel, always built and tested, and on x86-64 an SSSE3 and an
// AVX2 kernel; `swap64` is bound to the best of them once, by the dynamic
// loader, so the library keeps no mutable state.
#pragma once

#include <cstddef>

#include "bytes.h"

namespace statscl::internal {

using swap64_fn = void (*)(byte *dst, const byte *src, std::size_t count);

/// Reverses each of `count` 8-byte values, src into dst; dst may equal src
/// (but may not overlap it otherwise).  No alignment is assumed.
void swap64(byte *dst, const byte *src, std::size_t count);

/// The kernels behind swap64, for the tests that hold them to one another.
void swap64_scalar(byte *dst, const byte *src, std::size_t count);
#ifdef STATSCL_X86_KERNELS
void swap64_ssse3(byte *dst, const byte *src, std::size_t count);
void swap64_avx2(byte *dst, const byte *src, std::size_t count);
#endif

} // namespace statscl::internal
