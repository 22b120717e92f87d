// pd_converters.h - the platform-dependent records: each statistics record is
// one array of 64-bit values, and none of the kinds has a request.
#pragma once

#include "../core/layout.h"

namespace statscl::internal {

inline constexpr field kelm_fabric_err_stats[] = {{"fabric_error_counters", 0, 8, 151}};
inline constexpr field dorn_fabric_err_stats[] = {{"fabric_error_counters", 0, 8, 151}};
inline constexpr field vexa_mac_vl_stats[] = {{"mac_vl_counters", 0, 8, 64}};
inline constexpr field fcmac_avg_ctrs_stats[] = {{"avg_counters", 0, 8, 5}};
inline constexpr field fcmac_if_ctrs_stats[] = {{"if_counters", 0, 8, 88}};

// What each stats_ntoh converts: the fabric-error variants whatever len is,
// vexa_mac_vl a whole record or nothing, the fcmac kinds only a payload of
// exactly the record's size.
inline constexpr len_rule kelm_fabric_err_stats_len = len_rule::ignored;
inline constexpr len_rule dorn_fabric_err_stats_len = len_rule::ignored;
inline constexpr len_rule vexa_mac_vl_stats_len = len_rule::at_least;
inline constexpr len_rule fcmac_avg_ctrs_stats_len = len_rule::exact;
inline constexpr len_rule fcmac_if_ctrs_stats_len = len_rule::exact;

} // namespace statscl::internal
