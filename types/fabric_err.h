// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// fabric_err.h - fabric-error (type 5) and SNMP-clear (type 13) records:
// conversions only.
#pragma once

#include "../internal/layout.h"

namespace statscl::internal {

inline constexpr field fabric_err_stats[] = {
    {"fabric_error_counters", 0, 8, 151},
};

inline constexpr kind fabric_err_kind{
    .stats = fabric_err_stats,
    .stats_len = len_rule::at_least,
    .handlers = true,
};

// Only the leading word of the SNMP-clear records has a known layout; the
// rest are bytes that the conversions leave where they are.
inline constexpr field snmp_clear_request[] = {
    {"snmp_clear_request_bytes", 0, 1, 24},
};

inline constexpr field snmp_clear_stats[] = {
    {"snmp_clear_leading_word", 0, 4, 1},
    {"snmp_clear_trailing_bytes", 4, 1, 520},
};

inline constexpr kind snmp_clear_kind{
    .request = snmp_clear_request,
    .stats = snmp_clear_stats,
    .stats_len = len_rule::ignored,
};

} // namespace statscl::internal
