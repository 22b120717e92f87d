// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// diag.h - diagnostic records (type 2).  No field above 16 bits is naturally
// aligned: every one starts 2 bytes past a multiple of its width.
#pragma once

#include "../internal/counters.h"
#include "../internal/layout.h"

namespace statscl::internal {

inline constexpr field diag_stats[] = {
    {"head_u16", 0, 2, 1},
    {"entry_u16", 2, 2, 16},
    {"entry_u32", 34, 4, 16},
    {"entry_block", 98, 8, 16 * 8},
    {"entry_ctr0", 1122, 8, 16},
    {"entry_ctr1", 1250, 8, 16},
    {"entry_ctr2", 1378, 8, 16},
    {"entry_ctr3", 1506, 8, 16},
    {"entry_ctr4", 1634, 8, 16},
    {"entry_ctr5", 1762, 8, 16},
    {"grid_ctr0", 1890, 8, 16 * 16},
    {"grid_ctr1", 3938, 8, 16 * 16},
    {"grid_ctr2", 5986, 8, 16 * 16},
    {"grid_ctr3", 8034, 8, 16 * 16},
    {"grid_ctr4", 10082, 8, 16 * 16},
    {"grid_ctr5", 12130, 8, 16 * 16},
};

// newer is the minuend and supplies the descriptive part (everything before
// the first counter); older receives the result.  No pointer is tested.
inline void diag_diff(const void *newer, const void * /*req*/, void *older) {
    constexpr uint32_t counters_at = field_named(diag_stats, "entry_ctr0").offset;
    constexpr uint32_t counters = (size_of(diag_stats) - counters_at) / 8;
    std::memmove(older, newer, counters_at);
    diff64(bytes(older) + counters_at, bytes(newer) + counters_at, bytes(older) + counters_at,
           counters);
}

inline constexpr kind diag_kind{
    .stats = diag_stats,
    .stats_len = len_rule::at_least,
    .diff = diag_diff,
    .handlers = true,
    .diff_newer_first = true,
    .diff_fields = diag_stats, // the counters, and the descriptive part copied from newer
};

} // namespace statscl::internal
