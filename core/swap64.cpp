// swap64.cpp - the portable kernel and the choice of kernel.
#include "swap64.h"

namespace statscl::internal {

// Four values are read before four are written: in place stays correct, and
// the loads and stores pair up without a dependency between them.
void swap64_scalar(byte *dst, const byte *src, std::size_t count) {
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const uint64_t a = load<uint64_t>(src + 8 * i);
        const uint64_t b = load<uint64_t>(src + 8 * i + 8);
        const uint64_t c = load<uint64_t>(src + 8 * i + 16);
        const uint64_t d = load<uint64_t>(src + 8 * i + 24);
        store(dst + 8 * i, byteswap(a));
        store(dst + 8 * i + 8, byteswap(b));
        store(dst + 8 * i + 16, byteswap(c));
        store(dst + 8 * i + 24, byteswap(d));
    }
    for (; i < count; ++i)
        store(dst + 8 * i, byteswap(load<uint64_t>(src + 8 * i)));
}

#ifdef STATSCL_X86_KERNELS

// Runs once, while the dynamic loader relocates the library: before any
// constructor, so it asks the CPU itself and touches nothing instrumented.
extern "C" __attribute__((no_sanitize("address", "thread", "undefined"))) swap64_fn
statscl_resolve_swap64() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2"))
        return swap64_avx2;
    if (__builtin_cpu_supports("ssse3"))
        return swap64_ssse3;
    return swap64_scalar;
}

void swap64(byte *dst, const byte *src, std::size_t count)
    __attribute__((ifunc("statscl_resolve_swap64")));

#else

void swap64(byte *dst, const byte *src, std::size_t count) { swap64_scalar(dst, src, count); }

#endif

} // namespace statscl::internal
