// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// storm_supp.h - storm-suppression records (type 8): only storm_counter has
// a baseline; clear tests the request but does not read it.
#pragma once

#include "../internal/counters.h"
#include "../internal/layout.h"

namespace statscl::internal {

inline constexpr field storm_supp_request[] = {
    {"request_word_0", 0, 4, 1},
    {"request_word_1", 4, 4, 1},
    {"request_word_2", 8, 4, 1},
};

inline constexpr field storm_supp_stats[] = {
    {"storm_counter", 0, 8, 1},
    {"storm_value", 8, 4, 1},
};

inline constexpr field storm_supp_counter = field_named(storm_supp_stats, "storm_counter");

inline constexpr kind storm_supp_kind{
    .request = storm_supp_request,
    .stats = storm_supp_stats,
    .stats_len = len_rule::ignored,
    .diff = diff_counters<storm_supp_counter.offset, storm_supp_counter.count>,
    .clear = clear_counters<storm_supp_counter.offset, storm_supp_counter.count>,
    .diff_fields = record(storm_supp_stats).first(1), // storm_counter
    .clear_request = request_use::non_null, // clear_counters tests req
};

} // namespace statscl::internal
