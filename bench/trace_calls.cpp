// trace_calls.cpp - for instruction counts from an emulator's execution
// trace (bench/qemu_ppc.sh): calls each filled row's stats_ntoh out of
// place, then in place, then memmove of the same bytes, each call between
// two calls of mark(), twice in a row (the first call binds and warms).
// Prints mark's address, then "kind bytes" for each kind, in call order.
#include "statscl_convert.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "../core/catalogue.h"

using statscl::internal::catalogue;

// The trace counts the instructions executed between entries of mark().
extern "C" __attribute__((noinline)) void mark() { __asm__ volatile(""); }

int main() {
    std::vector<unsigned char> src(16412 + 64), dst(src.size());
    for (std::size_t i = 0; i < src.size(); ++i)
        src[i] = static_cast<unsigned char>(i * 131 + 7);
    std::printf("mark %p\n", reinterpret_cast<void *>(&mark));
    // Nothing between two marks: what the marks themselves cost.
    for (int round = 0; round < 2; ++round) {
        mark();
        mark();
    }
    for (uint32_t type = 1; type < STATSCL_PI_ROWS; ++type) {
        const statscl_convert_t *row = statscl_get_convert_tbl(type);
        if (row == nullptr)
            continue;
        const uint32_t len = row->stats_len;
        for (int round = 0; round < 2; ++round) {
            mark();
            row->stats_ntoh(dst.data(), src.data(), len);
            mark();
            row->stats_ntoh(dst.data(), dst.data(), len);
            mark();
            std::memmove(dst.data(), src.data(), len);
            mark();
        }
        std::printf("%s %u\n", catalogue[type - 1].name, len);
    }
    return 0;
}
