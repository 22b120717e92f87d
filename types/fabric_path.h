// fabric_path.h - fabric-path records (type 14): three per-path counter
// arrays for up to 48 paths, chosen by a 64-bit path mask.
#pragma once

#include "../core/layout.h"

namespace statscl::internal {

inline constexpr field fabric_path_request[] = {
    {"path_req_value", 0, 8, 1},
    {"path_mask", 8, 8, 1},
    {"path_req_words", 16, 4, 32},
};

// Path i of counter array k (1 to 3) at 32 + 384 * (k - 1) + 8 * i.
inline constexpr field fabric_path_stats[] = {
    {"path_head_values", 0, 8, 4},      {"path_counters_1", 32, 8, 48},
    {"path_counters_2", 416, 8, 48},    {"path_counters_3", 800, 8, 48},
    {"path_tail_values", 1184, 8, 192},
};

// What stats_ntoh converts: the whole record or nothing.
inline constexpr len_rule fabric_path_stats_len = len_rule::at_least;

inline constexpr uint32_t fabric_path_mask_at = 8;
inline constexpr std::size_t fabric_paths = 48;
inline constexpr uint32_t fabric_path_arrays_at[] = {32, 416, 800};

} // namespace statscl::internal
