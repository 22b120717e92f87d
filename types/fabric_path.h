// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// fabric_path.h - fabric-path records (type 14): three per-path counter
// arrays for up to 48 paths; diff and clear touch only the paths that the
// request's path mask selects.
#pragma once

#include "../internal/counters.h"
#include "../internal/layout.h"

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

inline constexpr field fabric_path_arrays[] = {
    field_named(fabric_path_stats, "path_counters_1"),
    field_named(fabric_path_stats, "path_counters_2"),
    field_named(fabric_path_stats, "path_counters_3"),
};

// Every path: the mask bits from 48 up select nothing.
inline constexpr uint64_t fabric_path_all = (uint64_t{1} << fabric_path_arrays[0].count) - 1;

// The arrays follow one another: with every path selected they are one run.
static_assert(end_of(fabric_path_arrays[0]) == fabric_path_arrays[1].offset &&
              end_of(fabric_path_arrays[1]) == fabric_path_arrays[2].offset);

// Calls apply(offset, n) for each run of n adjacent selected paths in each of
// the three arrays, or once for the three arrays together when every path is
// selected; the mask is read once.  Inlined like for_each_bit_run.
template <class Apply> [[gnu::always_inline]] inline void for_selected_paths(const void *req, Apply apply) {
    constexpr uint32_t mask_at = field_named(fabric_path_request, "path_mask").offset;
    const uint64_t mask = load<uint64_t>(bytes(req) + mask_at) & fabric_path_all;
    for_each_bit_run(mask, [&](std::size_t path, std::size_t n) {
        if (n == fabric_path_arrays[0].count) {
            apply(fabric_path_arrays[0].offset, 3 * n);
            return;
        }
        for (const field &array : fabric_path_arrays)
            apply(array.offset + 8 * path, n);
    });
}

inline void fabric_path_diff(const void *baseline, const void *req, void *current) {
    if (baseline == nullptr || req == nullptr || current == nullptr)
        return;
    for_selected_paths(req, [&](std::size_t at, std::size_t n) {
        diff64(bytes(baseline) + at, bytes(current) + at, bytes(current) + at, n);
    });
}

inline void fabric_path_clear(void *baseline, const void *req, const void *current) {
    if (baseline == nullptr || req == nullptr || current == nullptr)
        return;
    for_selected_paths(req, [&](std::size_t at, std::size_t n) {
        copy64(bytes(baseline) + at, bytes(current) + at, n);
    });
}

inline constexpr kind fabric_path_kind{
    .request = fabric_path_request,
    .stats = fabric_path_stats,
    .stats_len = len_rule::at_least,
    .diff = fabric_path_diff,
    .clear = fabric_path_clear,
    .select_all = {"path_mask", fabric_path_all},
    .diff_fields = fabric_path_arrays,
    .diff_request = request_use::read,
    .clear_request = request_use::read,
};

} // namespace statscl::internal
