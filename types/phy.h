// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// phy.h - PHY records: phy (type 11) and phy_snmp (type 12)
// share one statistics record and have no request; phy keeps a baseline
// of both counters, phy_snmp only converts.
#pragma once

#include "../internal/counters.h"
#include "../internal/layout.h"

namespace statscl::internal {

inline constexpr field phy_stats[] = {
    {"phy_counter_0", 0, 8, 1},
    {"phy_counter_1", 8, 8, 1},
};

inline constexpr kind phy_kind{
    .stats = phy_stats,
    .stats_len = len_rule::ignored,
    .diff = diff_counters<0, size_of(phy_stats) / 8>,
    .clear = clear_counters<0, size_of(phy_stats) / 8>,
    .handlers = true,
    .diff_fields = phy_stats,
    .clear_request = request_use::non_null, // clear_counters tests req
};

inline constexpr kind phy_snmp_kind{
    .stats = phy_stats,
    .stats_len = len_rule::ignored,
};

} // namespace statscl::internal
