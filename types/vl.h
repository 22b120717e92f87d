// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// vl.h - virtual-lane records: vl (type 4) keeps a baseline captured lane by
// lane; vl_rates (type 6) and vl_snmp (type 7) only convert.
#pragma once

#include "../internal/counters.h"
#include "../internal/layout.h"

namespace statscl::internal {

inline constexpr field vl_request[] = {
    {"lane_mask", 0, 4, 1},
};

// Lane i of block b at 64 * b + 8 * i.
inline constexpr field vl_stats[] = {
    {"block_0", 0, 8, 8},   {"block_1", 64, 8, 8},  {"block_2", 128, 8, 8}, {"block_3", 192, 8, 8},
    {"block_4", 256, 8, 8}, {"block_5", 320, 8, 8}, {"block_6", 384, 8, 8}, {"block_7", 448, 8, 8},
};

inline constexpr std::size_t vl_lanes = field_named(vl_stats, "block_0").count;
inline constexpr std::size_t vl_counters = size_of(vl_stats) / 8;

// Bit i of lane_mask (i = 0 to 7) captures lane i of every block; adjacent
// selected lanes are copied together, and every lane of every block is one
// copy.  Where that copy is a call, every lane is tested before the runs are
// sought, so that the call is the function's last jump; where it is a loop of
// word pairs, the run of every lane is that copy (fewer instructions there).
inline void vl_clear(void *baseline, const void *req, const void *current) {
    if (baseline == nullptr || req == nullptr || current == nullptr)
        return;
    const uint32_t mask = load<uint32_t>(bytes(req)) & ((1U << vl_lanes) - 1);
    const auto every_lane = [&] { copy64(bytes(baseline), bytes(current), vl_counters); };
    if (!copy64_by_word_pairs && mask == (1U << vl_lanes) - 1)
        return every_lane();
    for_each_bit_run(mask, [&](std::size_t lane, std::size_t n) {
        if (copy64_by_word_pairs && n == vl_lanes)
            every_lane();
        else
            copy64_strided(bytes(baseline) + 8 * lane, bytes(current) + 8 * lane, n,
                           vl_counters / vl_lanes, 8 * vl_lanes);
    });
}

inline constexpr kind vl_kind{
    .request = vl_request,
    .stats = vl_stats,
    .stats_len = len_rule::at_least,
    .diff = diff_counters<0, vl_counters>,
    .clear = vl_clear,
    .handlers = true,
    .select_all = {"lane_mask", (1U << vl_lanes) - 1},
    .diff_fields = vl_stats,
    .clear_request = request_use::read,
};

inline constexpr field vl_rates_request[] = {
    {"rates_request", 0, 8, 1},
};

inline constexpr field vl_rates_stats[] = {
    {"rate_values", 0, 8, 4},
};

inline constexpr kind vl_rates_kind{
    .request = vl_rates_request,
    .stats = vl_rates_stats,
    .stats_len = len_rule::whole_values,
    .handlers = true,
};

inline constexpr field vl_snmp_request[] = {
    {"vl_snmp_request_word", 0, 4, 1},
};

inline constexpr field vl_snmp_stats[] = {
    {"vl_snmp_counters", 0, 8, 64},
};

inline constexpr kind vl_snmp_kind{
    .request = vl_snmp_request,
    .stats = vl_snmp_stats,
    .stats_len = len_rule::whole_values,
    .handlers = true,
};

} // namespace statscl::internal
