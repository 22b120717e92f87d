// eee.h - Energy-Efficient-Ethernet records: eee (type 9) and eee_snmp
// (type 10) share one statistics record and have no request.
#pragma once

#include "../core/layout.h"

namespace statscl::internal {

inline constexpr field eee_stats[] = {
    {"eee_counter_0", 0, 8, 1},
    {"eee_counter_1", 8, 8, 1},
    {"eee_counter_2", 16, 8, 1},
    {"eee_counter_3", 24, 8, 1},
};

// What stats_ntoh converts: len is not examined.
inline constexpr len_rule eee_stats_len = len_rule::ignored;

} // namespace statscl::internal
