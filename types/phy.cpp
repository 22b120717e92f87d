// phy.cpp - PHY: phy keeps a baseline of both counters; phy_snmp only
// converts.
#include "phy.h"

#include "../core/counters.h"
#include "../core/dispatch.h"
#include "statscl_convert.h"

using namespace statscl::internal;

extern "C" {

void statscl_phy_req_hton(void *, const void *) {}
void statscl_phy_req_ntoh(void *, const void *) {}
void statscl_phy_stats_hton(void *dst, const void *src) { convert<phy_stats>(dst, src); }

void statscl_phy_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<phy_stats, phy_stats_len>(dst, src, len);
}

void statscl_phy_diff(const void *baseline, const void *, void *current) {
    if (baseline == nullptr || current == nullptr)
        return;
    diff64(bytes(baseline), bytes(current), bytes(current), size_of(phy_stats) / 8);
}

void statscl_phy_clear(void *baseline, const void *req, const void *current) {
    if (baseline == nullptr || req == nullptr || current == nullptr)
        return;
    copy64(bytes(baseline), bytes(current), size_of(phy_stats) / 8);
}

int32_t statscl_phy_save_pss(void) {
    return statscl_invoke_save_pss_hdlr("statscl_phy_save_pss_hdlr");
}

int32_t statscl_phy_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2, uint32_t arg3,
                                uint32_t arg4, uint32_t arg5) {
    return statscl_invoke_restore_pss_hdlr("statscl_phy_restore_pss_hdlr", arg0, arg1, arg2, arg3,
                                           arg4, arg5);
}

void statscl_phy_snmp_req_hton(void *, const void *) {}
void statscl_phy_snmp_req_ntoh(void *, const void *) {}
void statscl_phy_snmp_stats_hton(void *dst, const void *src) { convert<phy_stats>(dst, src); }

void statscl_phy_snmp_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<phy_stats, phy_stats_len>(dst, src, len);
}

void statscl_phy_snmp_diff(const void *, const void *, void *) {}
void statscl_phy_snmp_clear(void *, const void *, const void *) {}
int32_t statscl_phy_snmp_save_pss(void) { return 0; }

int32_t statscl_phy_snmp_restore_pss(uint64_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {
    return 0;
}

} // extern "C"
