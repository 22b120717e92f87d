// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// bind.cpp - binds every 64-bit ARM kernel: NEON, which every such CPU has,
// with no choice to make.  diff64's portable loop already compiles to NEON.
#include "kernels.h"

namespace statscl::internal {

constexpr kernel<swap64_fn> swap64_list[] = {
    {"neon", always, swap64_neon},
    {"portable", always, swap64_portable},
};
constexpr kernel<diff64_fn> diff64_list[] = {{"portable", always, diff64_portable}};

std::span<const kernel<swap64_fn>> swap64_kernels() { return swap64_list; }
std::span<const kernel<diff64_fn>> diff64_kernels() { return diff64_list; }

swap64_fn statscl_bound_swap64() { return swap64_neon; }
diff64_fn statscl_bound_diff64() { return diff64_portable; }

void swap64(byte *dst, const byte *src, std::size_t count) { statscl_bound_swap64()(dst, src, count); }
void diff64_kernel(const byte *older, const byte *newer, byte *out, std::size_t count) {
    statscl_bound_diff64()(older, newer, out, count);
}

} // namespace statscl::internal
