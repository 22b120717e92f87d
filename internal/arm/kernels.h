// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// kernels.h - the 64-bit ARM kernel behind swap64, and the list of kernels
// that the kernel tests walk.
#pragma once

#include "../swap64.h"

namespace statscl::internal {

void swap64_neon(byte *dst, const byte *src, std::size_t count);

inline bool cpu_has_neon() { return true; }

/// The kernel swap64 is, then the portable one.
inline constexpr swap64_kernel swap64_kernels[] = {
    {"neon", cpu_has_neon, swap64_neon},
    {"scalar", cpu_has_neon, swap64_scalar},
};

} // namespace statscl::internal
