// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// trace_calls.cpp - for instruction counts from an emulator's execution
// trace (bench/qemu_counts.sh): calls each filled row's stats_ntoh out of
// place and in place, each diff and clear with every counter selected and
// with half, and memcpy and memmove of every size met, each call between
// two calls of mark(), twice in a row (the first call binds and warms).
// Prints mark's address, then "kind operation bytes" for each call, in call
// order, the first line being the empty call that measures the marks.
#include "statscl_convert.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <vector>

#include "baseline_requests.h"

// The trace counts the instructions executed between entries of mark().
extern "C" __attribute__((noinline)) void mark() { __asm__ volatile(""); }

namespace {

std::set<uint32_t> sizes;

template <class Call> void count(const char *kind, const char *op, uint32_t bytes, Call call) {
    for (int round = 0; round < 2; ++round) {
        mark();
        call();
        mark();
    }
    std::printf("%s %s %u\n", kind, op, bytes);
    if (bytes != 0)
        sizes.insert(bytes);
}

} // namespace

int main() {
    std::vector<unsigned char> src(16412 + 64), dst(src.size()), base(src.size()), req(256);
    for (std::size_t i = 0; i < src.size(); ++i)
        src[i] = static_cast<unsigned char>(i * 131 + 7);
    void *entry = reinterpret_cast<void *>(&mark);
#if defined(__powerpc64__) && _CALL_ELF != 2
    // ELFv1: a function's address is its descriptor, whose first word is
    // the address of its code, the one the trace shows.
    std::memcpy(&entry, entry, sizeof entry);
#endif
    std::printf("mark %p\n", entry);
    count("-", "marks", 0, [] {});
    for (uint32_t type = 1; type < STATSCL_PI_ROWS; ++type) {
        const statscl_convert_t *row = statscl_get_convert_tbl(type);
        if (row == nullptr)
            continue;
        const uint32_t len = row->stats_len;
        count(statscl::internal::catalogue[type - 1].name, "stats_ntoh", len,
              [&] { row->stats_ntoh(dst.data(), src.data(), len); });
        count(statscl::internal::catalogue[type - 1].name, "ntoh_in_place", len,
              [&] { row->stats_ntoh(dst.data(), dst.data(), len); });
    }
    for (const baseline_request &w : baseline_requests()) {
        const statscl_convert_t *row = w.row;
        w.select(req.data(), true);
        count(w.kind.name, "diff", w.bytes_all,
              [&] { row->diff(base.data(), req.data(), dst.data()); });
        count(w.kind.name, "clear_all", w.bytes_all,
              [&] { row->clear(base.data(), req.data(), dst.data()); });
        if (w.bytes_half == 0)
            continue;
        w.select(req.data(), false);
        count(w.kind.name, "clear_half", w.bytes_half,
              [&] { row->clear(base.data(), req.data(), dst.data()); });
    }
    const std::set<uint32_t> copied = sizes;
    for (const uint32_t bytes : copied) {
        count("-", "memcpy", bytes, [&] { std::memcpy(dst.data(), src.data(), bytes); });
        count("-", "memmove", bytes, [&] { std::memmove(dst.data(), src.data(), bytes); });
    }
    return 0;
}
