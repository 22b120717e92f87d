// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// bench.cpp - every filled row's conversions, diff and clear against glibc
// memcpy of the same bytes between the same buffers, wherever the buffers
// sit against each other.
//
// The destination record starts at a 4096-byte boundary and the source
// record 20480 + 64 * k bytes after it (k = 0 to 63, the placements), so that the distance between them modulo 4096 takes every multiple of 64.
// At each placement the operation and its reference, memcpy of the bytes it
// writes from the source record into the destination record (one memcpy per
// run of bytes written, for a clear of some counters), are timed in turn,
// eleven times each; the ratio at that placement is memcpy's shortest time
// over the operation's.  Each line prints the medians over placements of the
// two times, the median and the worst ratio, and the placement of the worst.
//
// statscl_bench [--quick] [WORD...]: only the operations whose "kind
// operation" contains one of the words; --quick times 4 placements once each
// (it only shows that the program runs).
#include "statscl_convert.h"

#include "baseline_requests.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using byte = unsigned char;

constexpr std::size_t page = 4096, step = 64, apart = 5 * page;

// The memory the compiler must assume each call read and wrote.
inline void clobber() { __asm__ volatile("" : : : "memory"); }

// Nanoseconds per call of `calls` calls of f.
template <class F> double ns_per_call(F f, int calls) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) {
        f();
        clobber();
    }
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    return took.count() / calls;
}

enum class what { hton, ntoh, ntoh_in_place, diff, clear };

// One timed operation: to is the destination record, from the source.
struct operation {
    std::string kind, name;
    what op;
    const statscl_convert_t *row;
    const baseline_request *request; // diff and clear: how req selects
    bool all;
    std::vector<std::pair<uint32_t, uint32_t>> runs{}; // offset and bytes that memcpy copies
    int calls = 0, copy_calls = 0;

    void select(byte *req) const {
        if (request != nullptr)
            request->select(req, all);
    }
    double time(byte *to, byte *from, byte *req, int n) const {
        const statscl_convert_t &r = *row;
        switch (op) {
        case what::hton:
            return ns_per_call([&] { r.stats_hton(to, from); }, n);
        case what::ntoh:
            return ns_per_call([&] { r.stats_ntoh(to, from, r.stats_len); }, n);
        case what::ntoh_in_place:
            return ns_per_call([&] { r.stats_ntoh(to, to, r.stats_len); }, n);
        case what::diff:
            return ns_per_call([&] { r.diff(from, req, to); }, n);
        case what::clear:
            return ns_per_call([&] { r.clear(to, req, from); }, n);
        }
        return 0;
    }
    double time_copy(byte *to, byte *from, int n) const {
        if (runs.size() == 1)
            return ns_per_call([&, at = runs[0].first, len = runs[0].second] {
                std::memcpy(to + at, from + at, len);
            }, n);
        return ns_per_call([&] {
            for (const auto &[at, len] : runs)
                std::memcpy(to + at, from + at, len);
        }, n);
    }
    uint32_t bytes() const {
        uint32_t sum = 0;
        for (const auto &run : runs)
            sum += run.second;
        return sum;
    }
};

// The runs of bytes that diff or clear writes into `to`, from one call on
// records whose every byte differs, so that either difference of two
// counters, or a copy, changes every byte it writes (and pktflow's clamp
// does not apply).
std::vector<std::pair<uint32_t, uint32_t>> runs_written(const operation &o, byte *to, byte *from,
                                                        byte *req) {
    const uint32_t len = o.row->stats_len;
    std::memset(to, 0xAA, len);
    std::memset(from, 0x11, len);
    o.select(req);
    o.time(to, from, req, 1);
    std::vector<std::pair<uint32_t, uint32_t>> runs;
    for (uint32_t at = 0; at < len; ++at) {
        if (to[at] == 0xAA)
            continue;
        if (!runs.empty() && runs.back().first + runs.back().second == at)
            ++runs.back().second;
        else
            runs.emplace_back(at, 1);
    }
    return runs;
}

std::vector<operation> operations() {
    std::vector<operation> ops;
    for (uint32_t type = 1; type < STATSCL_PI_ROWS; ++type) {
        const statscl_convert_t *row = statscl_get_convert_tbl(type);
        if (row == nullptr)
            continue;
        const std::string kind = statscl::internal::catalogue[type - 1].name;
        const std::vector<std::pair<uint32_t, uint32_t>> whole = {{0, row->stats_len}};
        ops.push_back({kind, "stats_hton", what::hton, row, nullptr, true, whole});
        ops.push_back({kind, "stats_ntoh", what::ntoh, row, nullptr, true, whole});
        ops.push_back({kind, "stats_ntoh in place", what::ntoh_in_place, row, nullptr, true, whole});
    }
    for (const baseline_request &w : baseline_requests()) {
        ops.push_back({w.kind.name, "diff", what::diff, w.row, &w, true});
        if (!statscl::internal::clear_works(w.kind))
            continue;
        ops.push_back({w.kind.name, "clear all", what::clear, w.row, &w, true});
        if (w.bytes_half != 0)
            ops.push_back({w.kind.name, "clear half", what::clear, w.row, &w, false});
    }
    return ops;
}

// Calls per timing: enough for about 10 microseconds, doubled from 4 until
// one timing takes that long, once 256 calls have warmed the code and data
// (the very first calls of a process can take microseconds each).
template <class Time> int calls_for(Time time) {
    time(256);
    int calls = 4;
    while (calls < (1 << 20) && time(calls) * calls < 10000)
        calls *= 2;
    return calls;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 != 0 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv) {
    bool quick = false;
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            quick = true;
        else
            words.emplace_back(argv[i]);
    }
    const std::size_t placements = quick ? 4 : page / step;
    const int samples = quick ? 1 : 11;

    // The destination, then the sources of every placement, then the request.
    auto *arena = static_cast<byte *>(std::aligned_alloc(page, 2 * apart + page));
    if (arena == nullptr)
        return 1;
    std::memset(arena, 0, 2 * apart + page);
    byte *const to = arena, *const req = arena + 2 * apart;
    const auto from_at = [&](std::size_t k) { return arena + apart + step * k; };

    std::vector<operation> ops = operations();
    std::erase_if(ops, [&](const operation &o) {
        const std::string name = o.kind + " " + o.name;
        return !words.empty() && std::none_of(words.begin(), words.end(), [&](const std::string &w) {
            return name.find(w) != std::string::npos;
        });
    });
    std::printf("%-12s %-20s %6s %9s %9s %8s %8s %9s\n", "kind", "operation", "bytes", "ns/call",
                "memcpy ns", "median", "worst", "worst at");
    for (operation &o : ops) {
        if (o.op == what::diff || o.op == what::clear)
            o.runs = runs_written(o, to, from_at(0), req);
        for (std::size_t i = 0; i < apart; ++i)
            from_at(0)[i] = static_cast<byte>(i * 131 + 7);
        std::memcpy(to, from_at(0), o.row->stats_len);
        o.select(req);
        o.calls = calls_for([&](int n) { return o.time(to, from_at(0), req, n); });
        o.copy_calls = calls_for([&](int n) { return o.time_copy(to, from_at(0), n); });
        std::vector<double> ns, copy_ns, ratio;
        for (std::size_t k = 0; k < placements; ++k) {
            byte *from = from_at(k);
            double best = 1e30, best_copy = 1e30;
            for (int s = 0; s < samples; ++s) {
                best = std::min(best, o.time(to, from, req, o.calls));
                best_copy = std::min(best_copy, o.time_copy(to, from, o.copy_calls));
            }
            ns.push_back(best);
            copy_ns.push_back(best_copy);
            ratio.push_back(best_copy / best);
        }
        const auto worst = std::min_element(ratio.begin(), ratio.end());
        std::printf("%-12s %-20s %6u %9.2f %9.2f %8.2f %8.2f %9zu\n", o.kind.c_str(), o.name.c_str(),
                    o.bytes(), median(ns), median(copy_ns), median(ratio), *worst,
                    step * static_cast<std::size_t>(worst - ratio.begin()));
    }
    std::free(arena);
    return 0;
}
