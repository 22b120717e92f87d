// convert.cpp - the array conversions that every record conversion walks.
#include <algorithm>
#include <cstring>

#include "layout.h"
#include "swap64.h"

namespace statscl::internal {
namespace {

template <class T> void swap_array(byte *dst, const byte *src, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        convert_one<T>(dst + i * sizeof(T), src + i * sizeof(T));
}

} // namespace

void convert_array(byte *dst, const byte *src, uint32_t width, std::size_t count) {
    if constexpr (std::endian::native == std::endian::big) {
        // Network order is host order: a conversion is a copy.
        if (dst != src)
            std::memmove(dst, src, width * count);
        return;
    }
    switch (width) {
    case 2:
        swap_array<uint16_t>(dst, src, count);
        break;
    case 4:
        swap_array<uint32_t>(dst, src, count);
        break;
    default:
        swap64(dst, src, count);
        break;
    }
}

void convert_runs(std::span<const run> runs, byte *dst, const byte *src, uint32_t limit) {
    for (const run &r : runs) {
        if (r.offset >= limit)
            break;
        const uint32_t n = std::min(r.count, (limit - r.offset) / r.width);
        convert_array(dst + r.offset, src + r.offset, r.width, n);
    }
}

} // namespace statscl::internal
