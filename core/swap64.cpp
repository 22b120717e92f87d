// swap64.cpp - byte reversal of arrays of 64-bit values.
#include "swap64.h"

namespace statscl::internal {

void swap64(byte *dst, const byte *src, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        convert_one<uint64_t>(dst + 8 * i, src + 8 * i);
}

} // namespace statscl::internal
