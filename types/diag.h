// diag.h - diagnostic records (type 2).  No field above 16 bits is naturally
// aligned: every one starts 2 bytes past a multiple of its width.
#pragma once

#include "../core/layout.h"

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

// What stats_ntoh converts: the whole record or nothing.
inline constexpr len_rule diag_stats_len = len_rule::at_least;

// Bytes 0 to 1121 describe the entries; the counters follow to the end.
inline constexpr uint32_t diag_counters_at = 1122;

} // namespace statscl::internal
