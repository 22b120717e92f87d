// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// kernels.h - the 64-bit ARM kernels.
#pragma once

#include "../kernels.h"
#include "../portable/kernels.h"

namespace statscl::internal {

void swap64_neon(byte *dst, const byte *src, std::size_t count);

} // namespace statscl::internal
