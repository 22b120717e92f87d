// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// vq_drop.h - virtual-queue drop records (type 15): conversions only.  Every
// 64-bit field of the statistics record starts 4 bytes past a multiple of 8.
#pragma once

#include "../internal/layout.h"

namespace statscl::internal {

inline constexpr field vq_drop_request[] = {
    {"vq_req_word_0", 0, 4, 1},
    {"vq_req_word_4", 4, 4, 1},
    {"vq_req_word_8", 8, 4, 1},
    {"vq_req_value", 12, 8, 1},
};

inline constexpr field vq_drop_stats[] = {
    {"vq_head_word", 0, 4, 1},        {"vq_head_value", 4, 8, 1},
    {"vq_values_1", 12, 8, 1024},     {"vq_values_2", 8204, 8, 1024},
    {"vq_tail_value_1", 16396, 8, 1}, {"vq_tail_value_2", 16404, 8, 1},
};

inline constexpr kind vq_drop_kind{
    .request = vq_drop_request,
    .stats = vq_drop_stats,
    .stats_len = len_rule::ignored,
};

} // namespace statscl::internal
