// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// The checked receive of every kind on payloads of every length up to 16
// bytes past the record, each in a heap buffer of exactly that size, so that
// AddressSanitizer and valgrind report any byte read past it.
#include "oracle.h"
#include "statscl_receive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <random>

namespace statscl::oracle {
namespace {

using checked_fn = uint32_t (*)(void *, const void *, uint32_t);
const std::map<std::string, checked_fn> by_name = {
    {"kelm_fabric_err", statscl_kelm_fabric_err_stats_ntoh_checked},
    {"dorn_fabric_err", statscl_dorn_fabric_err_stats_ntoh_checked},
    {"vexa_mac_vl", statscl_vexa_mac_vl_stats_ntoh_checked},
    {"fcmac_avg_ctrs", statscl_fcmac_avg_ctrs_stats_ntoh_checked},
    {"fcmac_if_ctrs", statscl_fcmac_if_ctrs_stats_ntoh_checked},
};

// A refusal leaves dst as it was; otherwise dst holds exactly the values of
// the first `got` bytes converted, and `got` is what the kind's len rule
// converts of a payload that long.  A table kind goes through a copy of its
// row, which must be recognised as the table's own; with the copy's
// stats_ntoh nulled nothing is converted.
TEST(checked_receive, reads_only_len_and_writes_what_it_reports) {
    EXPECT_EQ(statscl_stats_ntoh_checked(nullptr, nullptr, nullptr, 1U << 20), 0U);
    for (const kind &k : kinds) {
        const uint32_t size = size_of(k.stats);
        std::mt19937_64 random(size);
        bytes wire(size + 16), before(size);
        std::generate(wire.begin(), wire.end(), std::ref(random));
        std::generate(before.begin(), before.end(), std::ref(random));
        statscl_convert_t row = k.type ? *statscl_get_convert_tbl(k.type) : statscl_convert_t{};
        bytes dst = before;
        for (uint32_t len = 0; len <= size + 16; ++len) {
            const auto payload = std::make_unique<unsigned char[]>(len);
            std::memcpy(payload.get(), wire.data(), len);
            const uint32_t got =
                k.type ? statscl_stats_ntoh_checked(&row, dst.data(), payload.get(), len)
                       : by_name.at(k.name)(dst.data(), payload.get(), len);
            const uint32_t want = k.rule == len_rule::exact ? (len == size ? size : 0)
                                  : len >= size             ? size
                                  : k.rule == len_rule::whole_values ? len / 8 * 8
                                                                     : 0;
            ASSERT_EQ(got, want) << k.name << " len " << len;
            ASSERT_EQ(dst, converted(k.stats, wire, before, got)) << k.name << " len " << len;
            dst = before;
        }
        // Through a volatile: a null the compiler could see would let it drop a
        // call through it as unreachable instead of crashing.
        if (k.type == 0)
            continue;
        const volatile statscl_stats_ntoh_fn none = nullptr;
        row.stats_ntoh = none;
        EXPECT_EQ(statscl_stats_ntoh_checked(&row, dst.data(), wire.data(), size), 0U) << k.name;
        EXPECT_EQ(dst, before) << k.name;
    }
}

} // namespace
} // namespace statscl::oracle
