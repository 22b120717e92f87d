// counters.h - the two baseline operations on runs of 64-bit counters.
#pragma once

#include <cstddef>
#include <cstring>

#include "bytes.h"

namespace statscl::internal {

/// out[i] = newer[i] - older[i] modulo 2^64 for `count` host-order counters.
/// Both inputs of an element are read before its output is written, so out
/// may equal either input.
inline void diff64(const byte *older, const byte *newer, byte *out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        store<uint64_t>(out + 8 * i, load<uint64_t>(newer + 8 * i) - load<uint64_t>(older + 8 * i));
}

/// Copies `count` counters from `from` into `to` (the same record is fine).
inline void copy64(byte *to, const byte *from, std::size_t count) {
    std::memmove(to, from, 8 * count);
}

/// Byte views of the caller's records.
inline byte *bytes(void *p) { return static_cast<byte *>(p); }
inline const byte *bytes(const void *p) { return static_cast<const byte *>(p); }

} // namespace statscl::internal
