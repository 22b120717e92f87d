// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// bench.cpp - time per call of every filled row's conversions, diff and
// clear, beside glibc memcpy of the same number of bytes in the same run.
//
// Prints one table: kind, operation, bytes, ns per call, bytes/ns, and the
// ratio of bytes/ns to that of memcpy.  Records start 8-byte aligned, so the
// fields are as misaligned as their layouts make them.  Google Benchmark's
// own flags apply (--benchmark_filter, --benchmark_repetitions, ...); with
// repetitions, each figure is the fastest of them.
#include "statscl_convert.h"

#include <benchmark/benchmark.h>

#include "baseline_requests.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::size_t max_record = 16412;

struct buffers {
    alignas(64) unsigned char src[max_record + 64];
    alignas(64) unsigned char dst[max_record + 64];
    alignas(64) unsigned char base[max_record + 64];
    alignas(64) unsigned char req[256];
};
buffers buf;

using statscl::internal::catalogue;

struct entry {
    std::string kind, op;
    uint32_t bytes;
};
std::vector<entry> entries;
std::set<uint32_t> memcpy_sizes;

// Registers one operation; `prepare` runs before the timing loop, `call` in it.
template <class Prepare, class Call>
void add(const std::string &kind, const std::string &op, uint32_t bytes, Prepare prepare,
         Call call) {
    entries.push_back({kind, op, bytes});
    memcpy_sizes.insert(bytes);
    benchmark::RegisterBenchmark((kind + "/" + op).c_str(),
                                 [prepare, call](benchmark::State &state) {
                                     prepare();
                                     for (auto _ : state) {
                                         call();
                                         benchmark::ClobberMemory();
                                     }
                                 });
}

void register_all() {
    const auto nothing = [] {};
    for (uint32_t type = 1; type < STATSCL_PI_ROWS; ++type) {
        const statscl_convert_t *row = statscl_get_convert_tbl(type);
        if (row == nullptr)
            continue;
        const uint32_t len = row->stats_len;
        add(catalogue[type - 1].name, "stats_hton", len, nothing,
            [row] { row->stats_hton(buf.dst, buf.src); });
        add(catalogue[type - 1].name, "stats_ntoh", len, nothing,
            [row, len] { row->stats_ntoh(buf.dst, buf.src, len); });
        add(catalogue[type - 1].name, "stats_ntoh in place", len, nothing,
            [row, len] { row->stats_ntoh(buf.dst, buf.dst, len); });
    }
    for (const baseline_request &w : baseline_requests()) {
        const statscl_convert_t *row = w.row;
        const auto all = [&w] { w.select(buf.req, true); };
        add(w.kind.name, "diff", w.bytes_all, all, [row] { row->diff(buf.base, buf.req, buf.dst); });
        if (!statscl::internal::clear_works(w.kind))
            continue;
        add(w.kind.name, "clear all", w.bytes_all, all,
            [row] { row->clear(buf.base, buf.req, buf.dst); });
        if (w.bytes_half != 0)
            add(
                w.kind.name, "clear half", w.bytes_half, [&w] { w.select(buf.req, false); },
                [row] { row->clear(buf.base, buf.req, buf.dst); });
    }
    for (const uint32_t bytes : memcpy_sizes)
        benchmark::RegisterBenchmark(("memcpy/" + std::to_string(bytes)).c_str(),
                                     [bytes](benchmark::State &state) {
                                         for (auto _ : state) {
                                             std::memcpy(buf.dst, buf.src, bytes);
                                             benchmark::ClobberMemory();
                                         }
                                     });
}

// Collects ns per call by benchmark name, the fastest of the repetitions
// (the least disturbed by the rest of the machine), and prints nothing.  The
// time is the thread's CPU time, which leaves out the time the thread waits
// for a core on a shared machine; on an idle one it equals the real time.
class collector : public benchmark::BenchmarkReporter {
  public:
    std::map<std::string, double> ns;
    bool ReportContext(const Context &) override { return true; }
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &r : runs) {
            if (r.run_type != Run::RT_Iteration)
                continue;
            const std::string name = r.run_name.function_name;
            const auto seen = ns.find(name);
            if (seen == ns.end() || r.GetAdjustedCPUTime() < seen->second)
                ns[name] = r.GetAdjustedCPUTime();
        }
    }
};

} // namespace

int main(int argc, char **argv) {
    for (std::size_t i = 0; i < sizeof buf.src; ++i)
        buf.src[i] = static_cast<unsigned char>(i * 131 + 7);
    std::memcpy(buf.dst, buf.src, sizeof buf.dst);
    register_all();
    benchmark::Initialize(&argc, argv);
    collector results;
    benchmark::RunSpecifiedBenchmarks(&results);

    std::printf("%-12s %-20s %6s %10s %9s %9s\n", "kind", "operation", "bytes", "ns/call",
                "bytes/ns", "x memcpy");
    for (const entry &e : entries) {
        const auto op = results.ns.find(e.kind + "/" + e.op);
        const auto ref = results.ns.find("memcpy/" + std::to_string(e.bytes));
        if (op == results.ns.end() || ref == results.ns.end())
            continue;
        const double rate = e.bytes / op->second, ref_rate = e.bytes / ref->second;
        std::printf("%-12s %-20s %6u %10.2f %9.2f %9.2f\n", e.kind.c_str(), e.op.c_str(), e.bytes,
                    op->second, rate, rate / ref_rate);
    }
    benchmark::Shutdown();
    return 0;
}
