// swap64.h - the hot kernel: byte reversal of an array of 64-bit values.
#pragma once

#include <cstddef>

#include "bytes.h"

namespace statscl::internal {

/// Reverses each of `count` 8-byte values, src into dst; dst may equal src.
/// No alignment is assumed.
void swap64(byte *dst, const byte *src, std::size_t count);

} // namespace statscl::internal
