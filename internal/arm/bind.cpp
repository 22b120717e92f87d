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
constexpr kernel<copy64_fn> copy64_list[] = {{"portable", always, copy64_portable}};

STATSCL_BIND_FIRST(swap64_list, diff64_list, copy64_list)

} // namespace statscl::internal
