// phy.h - PHY records: phy (type 11) and phy_snmp (type 12) share one
// statistics record and have no request.
#pragma once

#include "../core/layout.h"

namespace statscl::internal {

inline constexpr field phy_stats[] = {
    {"phy_counter_0", 0, 8, 1},
    {"phy_counter_1", 8, 8, 1},
};

// What stats_ntoh converts: len is not examined.
inline constexpr len_rule phy_stats_len = len_rule::ignored;

} // namespace statscl::internal
