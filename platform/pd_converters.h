// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// pd_converters.h - the platform-dependent records: each statistics record is
// one array of 64-bit values, and none of the kinds has a request.  What each
// stats_ntoh converts: the fabric-error variants whatever len is,
// vexa_mac_vl a whole record or nothing, the fcmac kinds only a payload of
// exactly the record's size.
#pragma once

#include "../internal/layout.h"

namespace statscl::internal {

inline constexpr field kelm_fabric_err_stats[] = {{"fabric_error_counters", 0, 8, 151}};
inline constexpr field dorn_fabric_err_stats[] = {{"fabric_error_counters", 0, 8, 151}};
inline constexpr field vexa_mac_vl_stats[] = {{"mac_vl_counters", 0, 8, 64}};
inline constexpr field fcmac_avg_ctrs_stats[] = {{"avg_counters", 0, 8, 5}};
inline constexpr field fcmac_if_ctrs_stats[] = {{"if_counters", 0, 8, 88}};

inline constexpr kind kelm_fabric_err_kind{.stats = kelm_fabric_err_stats,
                                           .stats_len = len_rule::ignored};
inline constexpr kind dorn_fabric_err_kind{.stats = dorn_fabric_err_stats,
                                           .stats_len = len_rule::ignored};
inline constexpr kind vexa_mac_vl_kind{.stats = vexa_mac_vl_stats, .stats_len = len_rule::at_least};
inline constexpr kind fcmac_avg_ctrs_kind{.stats = fcmac_avg_ctrs_stats,
                                          .stats_len = len_rule::exact};
inline constexpr kind fcmac_if_ctrs_kind{.stats = fcmac_if_ctrs_stats,
                                         .stats_len = len_rule::exact};

} // namespace statscl::internal
