// catalogue.h - every kind once: its type id, name, the layouts of its two
// records, the len rule of its stats_ntoh, and which operations do work.
//
// Read by programs that present records to people (the statscl tool): they
// take field names and offsets from here, and reach the conversions, diff and
// clear through the converter rows, so nothing about a record is said twice.
// The platform-dependent kinds have no type id; their rows are assembled here
// from the converters exported by name.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "../platform/pd_converters.h"
#include "diag.h"
#include "eee.h"
#include "fabric_err.h"
#include "fabric_path.h"
#include "phy.h"
#include "pktflow.h"
#include "qos.h"
#include "statscl_convert.h"
#include "storm_supp.h"
#include "vl.h"
#include "vq_drop.h"

namespace statscl::internal {

using layout = std::span<const field>;

/// A request field and the value that makes clear and diff cover every
/// counter; the built-in sample request carries it.
struct selector {
    const char *field = nullptr;
    uint64_t value = 0;
};

/// One kind of statistics.
struct kind_info {
    uint32_t type; ///< type id; 0 for a platform-dependent kind
    const char *name;
    layout request; ///< empty: the kind has no request record
    layout stats;
    len_rule stats_len;
    bool diff_works;       ///< diff changes the current record
    bool clear_works;      ///< clear captures into the baseline
    bool pss_works;        ///< save_pss and restore_pss call the host's handlers
    bool diff_newer_first; ///< diff(newer, req, older) writes newer - older into older
    selector select_all;   ///< request field that widens clear and diff to every counter
    const statscl_convert_t *named_row = nullptr; ///< the converters of a kind without type id
};

/// The row of a kind reached by name: no request, no save or restore.
constexpr statscl_convert_t
named_row(uint32_t stats_len, statscl_req_conv_fn req_hton, statscl_req_conv_fn req_ntoh,
          statscl_stats_hton_fn stats_hton, statscl_stats_ntoh_fn stats_ntoh,
          statscl_diff_fn diff = nullptr, statscl_clear_fn clear = nullptr) {
    return {0,          stats_len, 0,     req_hton, req_ntoh, stats_hton,
            stats_ntoh, diff,      clear, nullptr,  nullptr};
}

// Rows of the platform-dependent kinds, from the converters exported by name.
inline constexpr statscl_convert_t kelm_fabric_err_row =
    named_row(size_of(kelm_fabric_err_stats), statscl_kelm_fabric_err_req_hton,
              statscl_kelm_fabric_err_req_ntoh, statscl_kelm_fabric_err_stats_hton,
              statscl_kelm_fabric_err_stats_ntoh);
inline constexpr statscl_convert_t dorn_fabric_err_row =
    named_row(size_of(dorn_fabric_err_stats), statscl_dorn_fabric_err_req_hton,
              statscl_dorn_fabric_err_req_ntoh, statscl_dorn_fabric_err_stats_hton,
              statscl_dorn_fabric_err_stats_ntoh);
inline constexpr statscl_convert_t vexa_mac_vl_row = named_row(
    size_of(vexa_mac_vl_stats), statscl_vexa_mac_vl_req_hton, statscl_vexa_mac_vl_req_ntoh,
    statscl_vexa_mac_vl_stats_hton, statscl_vexa_mac_vl_stats_ntoh);
inline constexpr statscl_convert_t fcmac_avg_ctrs_row = named_row(
    size_of(fcmac_avg_ctrs_stats), statscl_fcmac_avg_ctrs_req_hton, statscl_fcmac_avg_ctrs_req_ntoh,
    statscl_fcmac_avg_ctrs_stats_hton, statscl_fcmac_avg_ctrs_stats_ntoh,
    statscl_fcmac_avg_ctrs_diff, statscl_fcmac_avg_ctrs_clear);
inline constexpr statscl_convert_t fcmac_if_ctrs_row = named_row(
    size_of(fcmac_if_ctrs_stats), statscl_fcmac_if_ctrs_req_hton, statscl_fcmac_if_ctrs_req_ntoh,
    statscl_fcmac_if_ctrs_stats_hton, statscl_fcmac_if_ctrs_stats_ntoh, statscl_fcmac_if_ctrs_diff,
    statscl_fcmac_if_ctrs_clear);

// clang-format off
inline constexpr kind_info catalogue[] = {
    // type name            request               statistics          len rule                   diff   clear  pss    newer_first
    {1,  "pktflow",         pktflow_request,      pktflow_stats,      pktflow_stats_len,         true,  true,  true,  false, {}},
    {2,  "diag",            {},                   diag_stats,         diag_stats_len,            true,  false, true,  true,  {}},
    {3,  "qos",             qos_request,          qos_stats,          qos_stats_len,             true,  true,  true,  false, {"block_select", 3}},
    {4,  "vl",              vl_request,           vl_stats,           vl_stats_len,              true,  true,  true,  false, {"lane_mask", 0xFF}},
    {5,  "fabric_err",      {},                   fabric_err_stats,   fabric_err_stats_len,      false, false, true,  false, {}},
    {6,  "vl_rates",        vl_rates_request,     vl_rates_stats,     vl_rates_stats_len,        false, false, true,  false, {}},
    {7,  "vl_snmp",         vl_snmp_request,      vl_snmp_stats,      vl_snmp_stats_len,         false, false, true,  false, {}},
    {8,  "storm_supp",      storm_supp_request,   storm_supp_stats,   storm_supp_stats_len,      true,  true,  false, false, {}},
    {9,  "eee",             {},                   eee_stats,          eee_stats_len,             true,  true,  true,  false, {}},
    {10, "eee_snmp",        {},                   eee_stats,          eee_stats_len,             false, false, false, false, {}},
    {11, "phy",             {},                   phy_stats,          phy_stats_len,             true,  true,  true,  false, {}},
    {12, "phy_snmp",        {},                   phy_stats,          phy_stats_len,             false, false, false, false, {}},
    {13, "snmp_clear",      snmp_clear_request,   snmp_clear_stats,   snmp_clear_stats_len,      false, false, false, false, {}},
    {14, "fabric_path",     fabric_path_request,  fabric_path_stats,  fabric_path_stats_len,     true,  true,  false, false, {"path_mask", 0xFFFF'FFFF'FFFF}},
    {15, "vq_drop",         vq_drop_request,      vq_drop_stats,      vq_drop_stats_len,         false, false, false, false, {}},
    {0,  "kelm_fabric_err", {},                   kelm_fabric_err_stats, kelm_fabric_err_stats_len, false, false, false, false, {}, &kelm_fabric_err_row},
    {0,  "dorn_fabric_err", {},                   dorn_fabric_err_stats, dorn_fabric_err_stats_len, false, false, false, false, {}, &dorn_fabric_err_row},
    {0,  "vexa_mac_vl",     {},                   vexa_mac_vl_stats,  vexa_mac_vl_stats_len,     false, false, false, false, {}, &vexa_mac_vl_row},
    {0,  "fcmac_avg_ctrs",  {},                   fcmac_avg_ctrs_stats, fcmac_avg_ctrs_stats_len, false, false, false, false, {}, &fcmac_avg_ctrs_row},
    {0,  "fcmac_if_ctrs",   {},                   fcmac_if_ctrs_stats, fcmac_if_ctrs_stats_len,  false, false, false, false, {}, &fcmac_if_ctrs_row},
};
// clang-format on

/// True when type ids 1 to 15 each appear once and in order, and no name
/// repeats.
constexpr bool catalogue_is_complete() {
    uint32_t next = 1;
    for (const kind_info &k : catalogue) {
        if (k.type != 0 && k.type != next++)
            return false;
        for (const kind_info &other : catalogue)
            if (&other != &k && std::string_view(other.name) == k.name)
                return false;
    }
    return next == STATSCL_PI_ROWS;
}
static_assert(catalogue_is_complete(), "every type id once, in order; names unique");

} // namespace statscl::internal
