// Every kind's operations held to the oracle on generated inputs from fixed
// seeds, one thread at a time and then from several threads at once.
#include "oracle.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <random>
#include <thread>

namespace statscl::oracle {
namespace {

// Bytes for one check: a check takes a few hundred choices.
bytes choices(std::mt19937 &random) {
    bytes in(512);
    for (unsigned char &b : in)
        b = static_cast<unsigned char>(random());
    return in;
}

TEST(properties, every_kind_keeps_to_its_rules) {
    for (const kind &k : kinds) {
        std::mt19937 random(k.type * 7919 + static_cast<unsigned>(k.name.size()));
        for (unsigned n = 0; n < 120; ++n) {
            const bytes in = choices(random);
            reader r(in);
            try {
                check(k, r);
            } catch (const std::exception &e) {
                ADD_FAILURE() << "case " << n << ": " << e.what();
                break;
            }
        }
    }
}

// A conversion, diff or clear that kept state between calls (a shared
// scratch buffer, say) gives another thread's bytes here, and a race under
// ThreadSanitizer.  The threads take the kinds in the same order, one per
// round.  save and restore share the platform's buffer, so they run one
// thread at a time, and only in the first rounds: the lock would order the
// threads' later operations and hide their races.  STATSCL_STRESS_ROUNDS
// sets the rounds per thread.
TEST(thread_stress, concurrent_operations_keep_to_the_rules) {
    const char *text = std::getenv("STATSCL_STRESS_ROUNDS");
    const unsigned long rounds = text != nullptr ? std::strtoul(text, nullptr, 10) : kinds.size();
    std::mutex pss;
    std::atomic<unsigned> failures{0};
    const auto work = [&](unsigned t) {
        std::mt19937 random(t);
        for (unsigned long round = 0; round < rounds; ++round) {
            const kind &k = kinds[round % kinds.size()];
            const bytes in = choices(random);
            reader r(in);
            try {
                check(k, r, false);
                if (k.type != 0 && round < kinds.size()) {
                    const std::lock_guard<std::mutex> lock(pss);
                    check_pss(k, r);
                }
            } catch (const std::exception &) {
                ++failures;
            }
        }
    };
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < 4; ++t)
        threads.emplace_back(work, t);
    for (std::thread &th : threads)
        th.join();
    EXPECT_EQ(failures.load(), 0U);
}

} // namespace
} // namespace statscl::oracle
