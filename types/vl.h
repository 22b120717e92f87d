// vl.h - virtual-lane records: vl (type 4), vl_rates (type 6) and vl_snmp
// (type 7).
#pragma once

#include "../core/layout.h"

namespace statscl::internal {

inline constexpr field vl_request[] = {
    {"lane_mask", 0, 4, 1},
};

// Lane i of block b at 64 * b + 8 * i.
inline constexpr field vl_stats[] = {
    {"block_0", 0, 8, 8},   {"block_1", 64, 8, 8},  {"block_2", 128, 8, 8}, {"block_3", 192, 8, 8},
    {"block_4", 256, 8, 8}, {"block_5", 320, 8, 8}, {"block_6", 384, 8, 8}, {"block_7", 448, 8, 8},
};

// What stats_ntoh converts: the whole record or nothing.
inline constexpr len_rule vl_stats_len = len_rule::at_least;

inline constexpr std::size_t vl_blocks = 8;
inline constexpr std::size_t vl_lanes = 8;

inline constexpr field vl_rates_request[] = {
    {"rates_request", 0, 8, 1},
};

inline constexpr field vl_rates_stats[] = {
    {"rate_values", 0, 8, 4},
};

// What stats_ntoh converts: the whole values that len covers.
inline constexpr len_rule vl_rates_stats_len = len_rule::whole_values;

inline constexpr field vl_snmp_request[] = {
    {"vl_snmp_request_word", 0, 4, 1},
};

inline constexpr field vl_snmp_stats[] = {
    {"vl_snmp_counters", 0, 8, 64},
};

// What stats_ntoh converts: the whole values that len covers.
inline constexpr len_rule vl_snmp_stats_len = len_rule::whole_values;

} // namespace statscl::internal
