// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// pktflow.h - packet-flow records (type 1): elements 0 to 101 of the
// statistics record are counters with a baseline, element 10 of them never
// goes below 0; elements 102 to 107 travel along.
#pragma once

#include "../internal/counters.h"
#include "../internal/layout.h"

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

// On the big-endian switch stats_hton converts element 0 only.
inline constexpr field pktflow_stats_head[] = {
    first_element(field_named(pktflow_stats, "flow_counter")),
};

inline constexpr uint32_t pktflow_no_diff = 16; // req_word0 value that turns diff off
inline constexpr uint32_t pktflow_clamped = 10; // the counter that never goes below 0

// Tests only the request; the clamp compares the values before subtracting.
inline void pktflow_diff(const void *baseline, const void *req, void *current) {
    constexpr field counters = field_named(pktflow_stats, "flow_counter");
    if (req == nullptr || load<uint32_t>(bytes(req)) == pktflow_no_diff)
        return;
    const byte *base = bytes(baseline);
    byte *cur = bytes(current);
    const std::size_t clamped = counters.offset + counters.width * pktflow_clamped;
    const bool below_baseline = load<uint64_t>(base + clamped) > load<uint64_t>(cur + clamped);
    diff64(base + counters.offset, cur + counters.offset, cur + counters.offset, counters.count);
    if (below_baseline)
        store<uint64_t>(cur + clamped, 0);
}

// Tests nothing and does not read the request.
inline void pktflow_clear(void *baseline, const void * /*req*/, const void *current) {
    constexpr field counters = field_named(pktflow_stats, "flow_counter");
    copy64(bytes(baseline) + counters.offset, bytes(current) + counters.offset, counters.count);
}

inline constexpr kind pktflow_kind{
    .request = pktflow_request,
    .stats = pktflow_stats,
    .stats_len = len_rule::whole_values,
    .diff = pktflow_diff,
    .clear = pktflow_clear,
    .handlers = true,
    .diff_fields = record(pktflow_stats).first(1), // flow_counter
    .diff_request = request_use::read,
    .stats_hton_big_endian = pktflow_stats_head,
};

} // namespace statscl::internal
