// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// bind.cpp - binds every x86-64 kernel to the best one this CPU runs, once,
// while the dynamic loader relocates the library.
#include "kernels.h"

namespace statscl::internal {

constexpr kernel<swap64_fn> swap64_list[] = {
    {"avx512bw", cpu_has_avx512bw, swap64_avx512},
    {"avx2", cpu_has_avx2, swap64_avx2},
    {"ssse3", cpu_has_ssse3, swap64_ssse3},
    {"portable", always, swap64_portable},
};
// SSE2, which every x86-64 CPU has, is what the portable kernel compiles to.
constexpr kernel<diff64_fn> diff64_list[] = {
    {"avx512bw", cpu_has_avx512bw, diff64_avx512},
    {"avx2", cpu_has_avx2, diff64_avx2},
    {"portable", always, diff64_portable},
};
// The C library's memmove is as wide as the CPU allows; the 512-bit copy is
// faster for the few hundred bytes of a clear (bench/README.md).
constexpr kernel<copy64_fn> copy64_list[] = {
    {"avx512bw", cpu_has_avx512bw, copy64_avx512},
    {"portable", always, copy64_portable},
};

std::span<const kernel<swap64_fn>> swap64_kernels() { return swap64_list; }
std::span<const kernel<diff64_fn>> diff64_kernels() { return diff64_list; }
std::span<const kernel<copy64_fn>> copy64_kernels() { return copy64_list; }

// The first kernel of `list` that this CPU runs.  The last one runs on every
// CPU, so its test is not called: it is no loader-safe function.
template <class Fn, std::size_t N> STATSCL_LOADER_SAFE Fn best_of(const kernel<Fn> (&list)[N]) {
    __builtin_cpu_init();
    for (std::size_t i = 0; i + 1 < N; ++i)
        if (list[i].supported())
            return list[i].fn;
    return list[N - 1].fn;
}

STATSCL_LOADER_SAFE swap64_fn statscl_bound_swap64() { return best_of(swap64_list); }
STATSCL_LOADER_SAFE diff64_fn statscl_bound_diff64() { return best_of(diff64_list); }
STATSCL_LOADER_SAFE copy64_fn statscl_bound_copy64() { return best_of(copy64_list); }

void swap64(byte *dst, const byte *src, std::size_t count)
    __attribute__((ifunc("statscl_bound_swap64")));
void diff64_kernel(const byte *older, const byte *newer, byte *out, std::size_t count)
    __attribute__((ifunc("statscl_bound_diff64")));
void copy64_kernel(byte *to, const byte *from, std::size_t count)
    __attribute__((ifunc("statscl_bound_copy64")));

} // namespace statscl::internal
