// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// qos.h - QoS records (type 3): eight blocks of eight counters with a
// baseline, then tail values that travel along.
#pragma once

#include "../internal/counters.h"
#include "../internal/layout.h"

namespace statscl::internal {

inline constexpr field qos_request[] = {
    {"block_select", 0, 4, 1},
};

inline constexpr field qos_stats[] = {
    {"block_0", 0, 8, 8},   {"block_1", 64, 8, 8},  {"block_2", 128, 8, 8},
    {"block_3", 192, 8, 8}, {"block_4", 256, 8, 8}, {"block_5", 320, 8, 8},
    {"block_6", 384, 8, 8}, {"block_7", 448, 8, 8}, {"qos_tail_values", 512, 8, 56},
};

inline constexpr std::size_t qos_block_values = field_named(qos_stats, "block_0").count;
inline constexpr std::size_t qos_counters = field_named(qos_stats, "qos_tail_values").offset / 8;

// block_select 1: blocks 0, 2, 4, 6; 2: blocks 1, 3, 5, 7; 3: all eight, one
// copy; any other value: none.  Every other block is a copy of constant
// length each, which the compiler makes a few wide moves.
inline void qos_clear(void *baseline, const void *req, const void *current) {
    if (baseline == nullptr || req == nullptr || current == nullptr)
        return;
    const uint32_t select = load<uint32_t>(bytes(req));
    if (select == 3) {
        copy64(bytes(baseline), bytes(current), qos_counters);
    } else if (select == 1 || select == 2) {
        for (std::size_t at = 8 * qos_block_values * (select - 1); at < 8 * qos_counters;
             at += 16 * qos_block_values)
            copy64(bytes(baseline) + at, bytes(current) + at, qos_block_values);
    }
}

inline constexpr kind qos_kind{
    .request = qos_request,
    .stats = qos_stats,
    .stats_len = len_rule::at_least,
    .diff = diff_counters<0, qos_counters>, // all eight blocks
    .clear = qos_clear,
    .handlers = true,
    .select_all = {"block_select", 3},
    .diff_fields = record(qos_stats).first(8), // the eight blocks
    .clear_request = request_use::read,
};

} // namespace statscl::internal
