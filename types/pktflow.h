// pktflow.h - packet-flow records (type 1).
#pragma once

#include "../core/layout.h"

namespace statscl::internal {

inline constexpr field pktflow_request[] = {
    {"req_word0", 0, 4, 1},   {"req_word1", 4, 4, 1},   {"req_word2", 8, 4, 1},
    {"req_word3", 12, 4, 1},  {"req_word4", 16, 4, 1},  {"req_word5", 20, 4, 1},
    {"req_word6", 24, 4, 1},  {"req_word7", 28, 4, 1},  {"req_word8", 32, 4, 1},
    {"req_word9", 36, 4, 1},  {"req_word10", 40, 4, 1}, {"req_word11", 44, 4, 1},
    {"req_word12", 48, 4, 1}, {"req_word13", 52, 4, 1}, {"req_list", 56, 4, 4},
    {"req_word18", 72, 4, 1}, {"req_word19", 76, 4, 1},
};

inline constexpr field pktflow_stats[] = {
    {"flow_counter", 0, 8, 102},
    {"flow_trailer", 816, 8, 6},
};

// What stats_ntoh converts: the whole values that len covers.
inline constexpr len_rule pktflow_stats_len = len_rule::whole_values;

// The statistics record's first element: all that stats_hton converts on a
// big-endian host.
inline constexpr field pktflow_stats_head[] = {
    {"flow_counter", 0, 8, 1},
};

inline constexpr std::size_t pktflow_counters = 102; // elements 0 to 101
inline constexpr std::size_t pktflow_clamped = 10;   // the element that never goes below 0
inline constexpr uint32_t pktflow_no_diff = 16;      // req_word0 value that turns diff off

} // namespace statscl::internal
