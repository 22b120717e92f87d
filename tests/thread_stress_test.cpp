// Several threads at once look rows up and convert, diff and clear records
// of their own, while save and restore run one thread at a time.  Every
// result must equal the one computed before the threads started: a
// conversion that kept state between calls (a shared scratch buffer, a
// cached record) gives another thread's bytes, and under ThreadSanitizer
// any such sharing is reported as a race.
//
// STATSCL_STRESS_ROUNDS sets the rounds per thread (the tsan preset runs
// many; the default keeps the other presets fast).
#include "statscl_convert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <mutex>
#include <thread>
#include <vector>

#include "host.h"
#include "record_buffer.h"

namespace statscl::test {
namespace {

using bytes = std::vector<unsigned char>;

constexpr unsigned thread_count = 4;
constexpr uint32_t pss_kinds[] = {1, 2, 3, 4, 5, 6, 7, 9, 11}; // the kinds with handlers

unsigned rounds() {
    const char *text = std::getenv("STATSCL_STRESS_ROUNDS");
    const long n = text != nullptr ? std::strtol(text, nullptr, 10) : 0;
    return n > 0 ? static_cast<unsigned>(n) : 3;
}

/// What one kind's operations make of one thread's inputs.
struct outcome {
    bytes wire, back, baseline, current;
    bool operator==(const outcome &) const = default;
};

/// A request that makes every kind's clear select something: word 0 is 3
/// (all blocks of qos, lanes 0 and 1 of vl, pktflow's diff on), and the
/// 64-bit word at 8 selects every path of fabric_path.
bytes request_for(uint32_t req_len) {
    bytes req(std::max<uint32_t>(req_len, 16), 0);
    const uint32_t word0 = 3;
    std::memcpy(req.data(), &word0, 4);
    std::memset(req.data() + 8, 0xFF, 8);
    return req;
}

/// Runs the kind's conversions and baseline operations on inputs made from
/// `seed`.
outcome run_kind(const statscl_convert_t &row, unsigned seed) {
    const uint32_t size = row.stats_len;
    bytes record(size), req = request_for(row.req_len);
    fill_pattern(record, seed);
    outcome out{bytes(size), bytes(size), bytes(size), record};
    fill_pattern(out.wire, seed + 1);
    fill_pattern(out.back, seed + 2);
    fill_pattern(out.baseline, seed + 3);
    row.stats_hton(out.wire.data(), record.data());
    row.stats_ntoh(out.back.data(), out.wire.data(), size);
    bytes req_wire(req.size());
    row.req_hton(req_wire.data(), req.data());
    row.req_ntoh(req_wire.data(), req_wire.data());
    row.clear(out.baseline.data(), req.data(), out.current.data());
    fill_pattern(out.current, seed + 4); // a later reading
    row.diff(out.baseline.data(), req.data(), out.current.data());
    return out;
}

unsigned seed_of(unsigned thread, uint32_t type) { return 1000 * (thread + 1) + type; }

TEST(thread_stress, concurrent_operations_give_the_results_of_one_thread) {
    // What each thread must see, computed before any other thread runs.
    std::vector<std::vector<outcome>> expected(thread_count);
    for (unsigned t = 0; t < thread_count; ++t)
        for (uint32_t type = 1; type < STATSCL_PI_ROWS; ++type)
            expected[t].push_back(run_kind(*statscl_get_convert_tbl(type), seed_of(t, type)));

    std::mutex pss; // save and restore share the platform's buffer
    std::atomic<unsigned> mismatches{0}, pss_failures{0};
    const unsigned n = rounds();
    auto work = [&](unsigned t) {
        for (unsigned round = 0; round < n; ++round) {
            // Each thread walks the kinds from its own starting row, so that
            // different kinds run side by side.
            for (uint32_t i = 0; i < STATSCL_PI_ROWS - 1; ++i) {
                const uint32_t type = 1 + (i + 4 * t) % (STATSCL_PI_ROWS - 1);
                const statscl_convert_t *row = statscl_get_convert_tbl(type);
                if (row == nullptr || !(run_kind(*row, seed_of(t, type)) == expected[t][type - 1]))
                    ++mismatches;
            }
            const uint32_t kind = pss_kinds[(round + t) % std::size(pss_kinds)];
            const std::lock_guard<std::mutex> lock(pss);
            reset_events();
            const statscl_convert_t &row = *statscl_get_convert_tbl(kind);
            if (row.save_pss() != handler_result ||
                row.restore_pss(round, t, 0, 0, 0, 0) != static_cast<int32_t>(handler_result + t) ||
                events().calls.size() != 2 || events().logs.size() != 2)
                ++pss_failures;
        }
    };
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < thread_count; ++t)
        threads.emplace_back(work, t);
    for (std::thread &th : threads)
        th.join();
    EXPECT_EQ(mismatches.load(), 0U);
    EXPECT_EQ(pss_failures.load(), 0U);
    reset_events();
}

} // namespace
} // namespace statscl::test
