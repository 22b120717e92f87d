// fabric_err.h - fabric-error (type 5) and SNMP-clear (type 13) records.
#pragma once

#include "../core/layout.h"

namespace statscl::internal {

inline constexpr field fabric_err_stats[] = {
    {"fabric_error_counters", 0, 8, 151},
};

// What stats_ntoh converts: the whole record or nothing.
inline constexpr len_rule fabric_err_stats_len = len_rule::at_least;

// Only the leading word of the SNMP-clear records has a known layout; the
// rest are bytes that the conversions leave where they are.
inline constexpr field snmp_clear_request[] = {
    {"snmp_clear_request_bytes", 0, 1, 24},
};

inline constexpr field snmp_clear_stats[] = {
    {"snmp_clear_leading_word", 0, 4, 1},
    {"snmp_clear_trailing_bytes", 4, 1, 520},
};

// What stats_ntoh converts: len is not examined.
inline constexpr len_rule snmp_clear_stats_len = len_rule::ignored;

} // namespace statscl::internal
