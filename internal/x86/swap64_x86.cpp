// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// swap64_x86.cpp - binds swap64 and diff64's kernel to the best kernels this
// CPU runs, once.
#include "kernels.h"

namespace statscl::internal {

// The first kernel of `list` that this CPU runs; the last one runs on every
// x86-64 CPU.  Runs once per kernel, while the dynamic loader relocates the
// library.
template <class Fn, std::size_t N>
STATSCL_LOADER_SAFE Fn best_of(const kernel<Fn> (&list)[N]) {
    __builtin_cpu_init();
    for (const kernel<Fn> &k : list)
        if (k.supported())
            return k.fn;
    return list[N - 1].fn;
}

extern "C" STATSCL_LOADER_SAFE swap64_fn statscl_resolve_swap64() { return best_of(swap64_kernels); }
extern "C" STATSCL_LOADER_SAFE diff64_fn statscl_resolve_diff64() { return best_of(diff64_kernels); }

void swap64(byte *dst, const byte *src, std::size_t count)
    __attribute__((ifunc("statscl_resolve_swap64")));
void diff64_kernel(const byte *older, const byte *newer, byte *out, std::size_t count)
    __attribute__((ifunc("statscl_resolve_diff64")));

} // namespace statscl::internal
