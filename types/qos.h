// qos.h - QoS records (type 3).
#pragma once

#include "../core/layout.h"

namespace statscl::internal {

inline constexpr field qos_request[] = {
    {"block_select", 0, 4, 1},
};

inline constexpr field qos_stats[] = {
    {"block_0", 0, 8, 8},   {"block_1", 64, 8, 8},  {"block_2", 128, 8, 8},
    {"block_3", 192, 8, 8}, {"block_4", 256, 8, 8}, {"block_5", 320, 8, 8},
    {"block_6", 384, 8, 8}, {"block_7", 448, 8, 8}, {"qos_tail_values", 512, 8, 56},
};

// What stats_ntoh converts: the whole record or nothing.
inline constexpr len_rule qos_stats_len = len_rule::at_least;

inline constexpr std::size_t qos_blocks = 8;
inline constexpr std::size_t qos_block_values = 8;

} // namespace statscl::internal
