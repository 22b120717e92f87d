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

#include "../core/catalogue.h"

#include <bit>
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
using statscl::internal::kind_info;

// The request, zeroed, with the kind's selecting field (if it has one) set to
// `value`, in host order as diff and clear read it.
void set_request(const kind_info &k, uint64_t value) {
    std::memset(buf.req, 0, sizeof buf.req);
    for (const statscl::internal::field &f : k.request)
        if (k.select_all.field != nullptr && std::strcmp(f.name, k.select_all.field) == 0)
            statscl::internal::with_width(f.width, [&]<class T>() {
                statscl::internal::store(buf.req + f.offset, static_cast<T>(value));
            });
}

// The low half of the set bits: it selects half of what all of them select
// (qos 3 -> 1, vl 0xFF -> 0x0F, fabric_path's 48 paths -> 24).
uint64_t low_half(uint64_t bits) {
    uint64_t half = 0;
    for (int n = std::popcount(bits) / 2; n > 0; --n, bits &= bits - 1)
        half |= bits & (~bits + 1);
    return half;
}

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
    for (const kind_info &k : catalogue) {
        const statscl_convert_t *row = k.type != 0 ? statscl_get_convert_tbl(k.type) : nullptr;
        if (row == nullptr || !diff_works(k))
            continue;
        uint32_t bytes = 0;
        for (const statscl::internal::field &f : k.diff_fields)
            bytes += f.width * f.count;
        const uint64_t all = k.select_all.value;
        const auto select_all = [&k, all] { set_request(k, all); };
        add(k.name, "diff", bytes, select_all, [row] { row->diff(buf.base, buf.req, buf.dst); });
        add(k.name, "clear all", bytes, select_all,
            [row] { row->clear(buf.base, buf.req, buf.dst); });
        if (k.select_all.field != nullptr)
            add(
                k.name, "clear half", bytes / 2, [&k, all] { set_request(k, low_half(all)); },
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
// (the least disturbed by the rest of the machine), and prints nothing.
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
            if (seen == ns.end() || r.GetAdjustedRealTime() < seen->second)
                ns[name] = r.GetAdjustedRealTime();
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
