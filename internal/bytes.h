// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
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

/// The unsigned integer of `Width` bytes: the one place a field's width
/// becomes a type.
template <uint32_t Width> struct uint_of;
template <> struct uint_of<1> { using type = uint8_t; };
template <> struct uint_of<2> { using type = uint16_t; };
template <> struct uint_of<4> { using type = uint32_t; };
template <> struct uint_of<8> { using type = uint64_t; };
template <uint32_t Width> using uint_t = typename uint_of<Width>::type;

/// Calls fn.template operator()<T>() with T the unsigned integer of `width`
/// bytes (1, 2, 4 or 8), for code that meets widths at run time.
template <class Fn> decltype(auto) with_width(uint32_t width, Fn &&fn) {
    switch (width) {
    case 1:
        return fn.template operator()<uint8_t>();
    case 2:
        return fn.template operator()<uint16_t>();
    case 4:
        return fn.template operator()<uint32_t>();
    default:
        return fn.template operator()<uint64_t>();
    }
}

/// Reverses the bytes of v.
template <class T> constexpr T byteswap(T v) {
    if constexpr (sizeof(T) == 1)
        return v;
    else if constexpr (sizeof(T) == 2)
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
