// swap64_x86.cpp - binds swap64 to the best kernel this CPU runs, once.
#include "kernels.h"

namespace statscl::internal {

// Runs once, while the dynamic loader relocates the library.
extern "C" STATSCL_LOADER_SAFE swap64_fn statscl_resolve_swap64() {
    __builtin_cpu_init();
    for (const swap64_kernel &k : swap64_kernels)
        if (k.supported())
            return k.fn;
    return swap64_scalar;
}

void swap64(byte *dst, const byte *src, std::size_t count)
    __attribute__((ifunc("statscl_resolve_swap64")));

} // namespace statscl::internal
