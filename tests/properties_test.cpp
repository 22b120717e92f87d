// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// Every kind's operations held to the oracle on generated inputs from fixed
// seeds, one thread at a time and then from several threads at once.
#include "oracle.h"

#include "../core/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
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
        for (unsigned n = 0; n < 200; ++n) {
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

// diff and clear with each request shape that takes a path of its own
// through them: one lane or path at either end, adjacent ones, all but one
// at either end, all, and bits past the last lane or path.
TEST(properties, every_selection_shape_keeps_to_its_rules) {
    constexpr uint64_t paths = (uint64_t{1} << 48) - 1;
    const std::pair<uint32_t, std::vector<uint64_t>> shapes[] = {
        {3, {1, 2, 3}},
        {4, {0x01, 0x80, 0x18, 0x7F, 0xFE, 0xFF, 0xFFFFFF00}},
        {14, {1, uint64_t{1} << 47, 0x6, paths >> 1, paths - 1, paths, ~paths, ~uint64_t{0}}},
    };
    std::mt19937 random(4);
    for (const auto &[type, values] : shapes)
        for (const uint64_t value : values)
            for (unsigned n = 0; n < 8; ++n) {
                const bytes in = choices(random);
                reader r(in);
                try {
                    check_selection(kinds[type - 1], value, r);
                } catch (const std::exception &e) {
                    ADD_FAILURE() << "selector " << value << ": " << e.what();
                }
            }
}

// What the catalogue tells the tool and the benchmarks about diff and clear,
// against the oracle's own statement of it.
TEST(descriptions, diff_and_clear_facts_agree_with_the_oracle) {
    ASSERT_EQ(std::size(internal::catalogue), kinds.size());
    for (const internal::kind_info &c : internal::catalogue) {
        const auto k = std::find_if(kinds.begin(), kinds.end(),
                                    [&](const kind &o) { return o.name == c.name; });
        ASSERT_NE(k, kinds.end()) << c.name;
        layout diffed;
        for (const internal::field &f : c.diff_fields)
            for (uint32_t i = 0; i < f.count; ++i)
                diffed.push_back({f.offset + i * f.width, f.width, 1});
        EXPECT_TRUE(diffed == diff_elements(*k)) << c.name;
        for (const auto &[use, g] :
             {std::pair{c.diff_request, k->diff}, {c.clear_request, k->clear}}) {
            EXPECT_EQ(use != internal::request_use::unused, (g.tests & req) != 0) << c.name;
            EXPECT_EQ(use == internal::request_use::read, (g.reads & req) != 0) << c.name;
        }
        selector all{0, 0, 0};
        for (const internal::field &f : c.request)
            if (c.select_all.field != nullptr && std::strcmp(f.name, c.select_all.field) == 0)
                all = {f.offset, f.width, c.select_all.value};
        const selector want = select_all(*k);
        EXPECT_TRUE(all.offset == want.offset && all.width == want.width && all.value == want.value)
            << c.name;
    }
}

// The exported array primitives at any count, off alignment and in place:
// exactly `count` values converted or subtracted, nothing beside them.
TEST(properties, array_primitives_cover_exactly_count_values) {
    std::mt19937 random(20261206);
    for (const uint32_t count : {0U, 1U, 3U, 4U, 5U, 9U, 17U, 151U, 2051U}) {
        const bytes in = choices(random);
        reader r(in);
        const uint32_t n = 8 * count;
        const std::size_t at = 1 + r.byte() % 7;
        const bytes a = r.fill(n), b = r.fill(n), around = r.fill(n + 16);
        const bytes swapped = converted({{0, 8, count}}, a, a, n);
        bytes diff(n);
        for (uint32_t i = 0; i < n; i += 8) {
            uint64_t older, newer;
            std::memcpy(&older, &a[i], 8);
            std::memcpy(&newer, &b[i], 8);
            newer -= older;
            std::memcpy(&diff[i], &newer, 8);
        }
        const auto expect = [&](const auto &op, const bytes &want, bool in_place) {
            bytes buf = around, after = around;
            unsigned char *dst = buf.data() + at;
            if (in_place)
                std::copy(a.begin(), a.end(), dst);
            op(dst, in_place ? dst : a.data());
            std::copy(want.begin(), want.end(), after.begin() + static_cast<long>(at));
            EXPECT_EQ(buf, after) << count << (in_place ? " in place" : "");
        };
        for (const bool in_place : {false, true}) {
            expect([&](void *d, const void *s) { statscl_uint64_hton(d, s, count); }, swapped,
                   in_place);
            expect([&](void *d, const void *s) { statscl_uint64_ntoh(d, s, count); }, swapped,
                   in_place);
            expect([&](void *d, const void *s) { statscl_uint64_diff(s, b.data(), d, count); },
                   diff, in_place);
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
