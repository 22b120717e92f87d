// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// eee.h - Energy-Efficient-Ethernet records: eee (type 9) and eee_snmp
// (type 10) share one statistics record and have no request; eee keeps a
// baseline of all four counters, eee_snmp only converts.
#pragma once

#include "../internal/counters.h"
#include "../internal/layout.h"

namespace statscl::internal {

inline constexpr field eee_stats[] = {
    {"eee_counter_0", 0, 8, 1},
    {"eee_counter_1", 8, 8, 1},
    {"eee_counter_2", 16, 8, 1},
    {"eee_counter_3", 24, 8, 1},
};

inline constexpr kind eee_kind{
    .stats = eee_stats,
    .stats_len = len_rule::ignored,
    .diff = diff_counters<0, size_of(eee_stats) / 8>,
    .clear = clear_counters<0, size_of(eee_stats) / 8>,
    .handlers = true,
    .diff_fields = eee_stats,
    .clear_request = request_use::non_null, // clear_counters tests req
};

inline constexpr kind eee_snmp_kind{
    .stats = eee_stats,
    .stats_len = len_rule::ignored,
};

} // namespace statscl::internal
