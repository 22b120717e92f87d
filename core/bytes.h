// bytes.h - unaligned loads and stores and byte-order conversion of one value.
//
// Records are packed byte arrays: every field is read and written through
// memcpy, which compiles to a plain (unaligned) load or store and never makes
// an assumption about the address.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace statscl::internal {

using byte = unsigned char;

/// Reads a T stored at p in host order.
template <class T> inline T load(const byte *p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

/// Stores v at p in host order.
template <class T> inline void store(byte *p, T v) { std::memcpy(p, &v, sizeof v); }

/// Reverses the bytes of v.
template <class T> constexpr T byteswap(T v) {
    if constexpr (sizeof(T) == 2)
        return static_cast<T>(__builtin_bswap16(v));
    else if constexpr (sizeof(T) == 4)
        return __builtin_bswap32(v);
    else
        return __builtin_bswap64(v);
}

/// Converts v between host and network (big-endian) order; the conversion is
/// its own inverse, so it serves both directions.
template <class T> constexpr T to_from_net(T v) {
    if constexpr (std::endian::native == std::endian::big)
        return v;
    else
        return byteswap(v);
}

/// Converts the T at src into dst; src is read before dst is written.
template <class T> inline void convert_one(byte *dst, const byte *src) {
    store(dst, to_from_net(load<T>(src)));
}

} // namespace statscl::internal
