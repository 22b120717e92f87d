// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// catalogue.h - every kind once, for programs that present or measure records
// (the statscl tool, the benchmarks): type id, name, description, and the
// converter row its records go through.  Expanded from the list of kinds.
//
// The platform-dependent kinds have no type id; their rows are assembled
// here from the converters exported by name.
#pragma once

#include <cstdint>
#include <string_view>

#include "kinds.h"
#include "statscl_convert.h"

namespace statscl::internal {

/// One kind of statistics: its description, type id (0 for a
/// platform-dependent kind) and name, and for a kind without type id the row
/// assembled from its converters.
struct kind_info : kind {
    uint32_t type;
    const char *name;
    const statscl_convert_t *named_row = nullptr;
};

/// diff changes the current record; clear captures into the baseline.
constexpr bool diff_works(const kind &k) { return k.diff != no_diff; }
constexpr bool clear_works(const kind &k) { return k.clear != no_clear; }

/// A len rule's token, as programs read it (`statscl list --json`: the
/// enumerator's name), and its short name, as people read it in listings.
struct len_rule_words {
    std::string_view token, name;
};
constexpr len_rule_words words_of(len_rule rule) {
    switch (rule) {
    case len_rule::ignored:
        return {"ignored", "ignored"};
    case len_rule::at_least:
        return {"at_least", ">= size"};
    case len_rule::whole_values:
        return {"whole_values", "whole values"};
    case len_rule::exact:
        return {"exact", "== size"};
    }
    return {};
}
constexpr std::string_view token_of(len_rule rule) { return words_of(rule).token; }
constexpr std::string_view name_of(len_rule rule) { return words_of(rule).name; }

/// What diff or clear does with its request, as programs read it.
constexpr std::string_view token_of(request_use use) {
    switch (use) {
    case request_use::unused:
        return "unused";
    case request_use::non_null:
        return "non_null";
    case request_use::read:
        return "read";
    }
    return {};
}

// Rows of the platform-dependent kinds, from the converters exported by name.
#define STATSCL_NAMED_ROW(name, diff, clear)                                                       \
    inline constexpr statscl_convert_t name##_row = {0,                                            \
                                                     size_of(name##_kind.stats),                   \
                                                     0,                                            \
                                                     statscl_##name##_req_hton,                    \
                                                     statscl_##name##_req_ntoh,                    \
                                                     statscl_##name##_stats_hton,                  \
                                                     statscl_##name##_stats_ntoh,                  \
                                                     diff,                                         \
                                                     clear,                                        \
                                                     nullptr,                                      \
                                                     nullptr};
STATSCL_PD_KINDS(STATSCL_NAMED_ROW)
#undef STATSCL_NAMED_ROW

inline constexpr kind_info catalogue[] = {
#define STATSCL_PI_INFO(type, name) {name##_kind, type, #name},
#define STATSCL_PD_INFO(name, diff, clear) {name##_kind, 0, #name, &name##_row},
    STATSCL_PI_KINDS(STATSCL_PI_INFO) STATSCL_PD_KINDS(STATSCL_PD_INFO)
#undef STATSCL_PI_INFO
#undef STATSCL_PD_INFO
};

} // namespace statscl::internal
