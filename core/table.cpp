// table.cpp - the converter tables and the lookup by type id.
#include "statscl_convert.h"

#include "../types/diag.h"
#include "../types/eee.h"
#include "../types/fabric_err.h"
#include "../types/fabric_path.h"
#include "../types/phy.h"
#include "../types/pktflow.h"
#include "../types/qos.h"
#include "../types/storm_supp.h"
#include "../types/vl.h"
#include "../types/vq_drop.h"

using statscl::internal::size_of;
namespace layout = statscl::internal;

extern "C" {

// constexpr: the table is built by the compiler, and loading the library runs
// no code for it.
constexpr statscl_convert_t statscl_pi_convert_tbl[STATSCL_PI_ROWS] = {
    {},
    {size_of(layout::pktflow_request), size_of(layout::pktflow_stats), 0, statscl_pktflow_req_hton,
     statscl_pktflow_req_ntoh, statscl_pktflow_stats_hton, statscl_pktflow_stats_ntoh,
     statscl_pktflow_diff, statscl_pktflow_clear, statscl_pktflow_save_pss,
     statscl_pktflow_restore_pss},
    {0, size_of(layout::diag_stats), 0, statscl_diag_req_hton, statscl_diag_req_ntoh,
     statscl_diag_stats_hton, statscl_diag_stats_ntoh, statscl_diag_diff, statscl_diag_clear,
     statscl_diag_save_pss, statscl_diag_restore_pss},
    {size_of(layout::qos_request), size_of(layout::qos_stats), 0, statscl_qos_req_hton,
     statscl_qos_req_ntoh, statscl_qos_stats_hton, statscl_qos_stats_ntoh, statscl_qos_diff,
     statscl_qos_clear, statscl_qos_save_pss, statscl_qos_restore_pss},
    {size_of(layout::vl_request), size_of(layout::vl_stats), 0, statscl_vl_req_hton,
     statscl_vl_req_ntoh, statscl_vl_stats_hton, statscl_vl_stats_ntoh, statscl_vl_diff,
     statscl_vl_clear, statscl_vl_save_pss, statscl_vl_restore_pss},
    {0, size_of(layout::fabric_err_stats), 0, statscl_fabric_err_req_hton,
     statscl_fabric_err_req_ntoh, statscl_fabric_err_stats_hton, statscl_fabric_err_stats_ntoh,
     statscl_fabric_err_diff, statscl_fabric_err_clear, statscl_fabric_err_save_pss,
     statscl_fabric_err_restore_pss},
    {size_of(layout::vl_rates_request), size_of(layout::vl_rates_stats), 0,
     statscl_vl_rates_req_hton, statscl_vl_rates_req_ntoh, statscl_vl_rates_stats_hton,
     statscl_vl_rates_stats_ntoh, statscl_vl_rates_diff, statscl_vl_rates_clear,
     statscl_vl_rates_save_pss, statscl_vl_rates_restore_pss},
    {size_of(layout::vl_snmp_request), size_of(layout::vl_snmp_stats), 0, statscl_vl_snmp_req_hton,
     statscl_vl_snmp_req_ntoh, statscl_vl_snmp_stats_hton, statscl_vl_snmp_stats_ntoh,
     statscl_vl_snmp_diff, statscl_vl_snmp_clear, statscl_vl_snmp_save_pss,
     statscl_vl_snmp_restore_pss},
    {size_of(layout::storm_supp_request), size_of(layout::storm_supp_stats), 0,
     statscl_storm_supp_req_hton, statscl_storm_supp_req_ntoh, statscl_storm_supp_stats_hton,
     statscl_storm_supp_stats_ntoh, statscl_storm_supp_diff, statscl_storm_supp_clear,
     statscl_storm_supp_save_pss, statscl_storm_supp_restore_pss},
    {0, size_of(layout::eee_stats), 0, statscl_eee_req_hton, statscl_eee_req_ntoh,
     statscl_eee_stats_hton, statscl_eee_stats_ntoh, statscl_eee_diff, statscl_eee_clear,
     statscl_eee_save_pss, statscl_eee_restore_pss},
    {0, size_of(layout::eee_stats), 0, statscl_eee_snmp_req_hton, statscl_eee_snmp_req_ntoh,
     statscl_eee_snmp_stats_hton, statscl_eee_snmp_stats_ntoh, statscl_eee_snmp_diff,
     statscl_eee_snmp_clear, statscl_eee_snmp_save_pss, statscl_eee_snmp_restore_pss},
    {0, size_of(layout::phy_stats), 0, statscl_phy_req_hton, statscl_phy_req_ntoh,
     statscl_phy_stats_hton, statscl_phy_stats_ntoh, statscl_phy_diff, statscl_phy_clear,
     statscl_phy_save_pss, statscl_phy_restore_pss},
    {0, size_of(layout::phy_stats), 0, statscl_phy_snmp_req_hton, statscl_phy_snmp_req_ntoh,
     statscl_phy_snmp_stats_hton, statscl_phy_snmp_stats_ntoh, statscl_phy_snmp_diff,
     statscl_phy_snmp_clear, statscl_phy_snmp_save_pss, statscl_phy_snmp_restore_pss},
    {size_of(layout::snmp_clear_request), size_of(layout::snmp_clear_stats), 0,
     statscl_snmp_clear_req_hton, statscl_snmp_clear_req_ntoh, statscl_snmp_clear_stats_hton,
     statscl_snmp_clear_stats_ntoh, statscl_snmp_clear_diff, statscl_snmp_clear_clear,
     statscl_snmp_clear_save_pss, statscl_snmp_clear_restore_pss},
    {size_of(layout::fabric_path_request), size_of(layout::fabric_path_stats), 0,
     statscl_fabric_path_req_hton, statscl_fabric_path_req_ntoh, statscl_fabric_path_stats_hton,
     statscl_fabric_path_stats_ntoh, statscl_fabric_path_diff, statscl_fabric_path_clear,
     statscl_fabric_path_save_pss, statscl_fabric_path_restore_pss},
    {size_of(layout::vq_drop_request), size_of(layout::vq_drop_stats), 0, statscl_vq_drop_req_hton,
     statscl_vq_drop_req_ntoh, statscl_vq_drop_stats_hton, statscl_vq_drop_stats_ntoh,
     statscl_vq_drop_diff, statscl_vq_drop_clear, statscl_vq_drop_save_pss,
     statscl_vq_drop_restore_pss},
};

const statscl_convert_t statscl_pd_convert_tbl[1] = {};

const statscl_convert_t *statscl_get_convert_tbl(uint32_t type) {
    if (type >= STATSCL_PI_ROWS)
        return nullptr;
    const statscl_convert_t *row = &statscl_pi_convert_tbl[type];
    return row->req_hton != nullptr ? row : nullptr;
}

} // extern "C"
