// vl.cpp - virtual lanes: vl has a baseline captured lane by lane; vl_rates
// and vl_snmp only convert.
#include "vl.h"

#include "../core/counters.h"
#include "../core/dispatch.h"
#include "statscl_convert.h"

using namespace statscl::internal;

extern "C" {

void statscl_vl_req_hton(void *dst, const void *src) { convert<vl_request>(dst, src); }
void statscl_vl_req_ntoh(void *dst, const void *src) { convert<vl_request>(dst, src); }
void statscl_vl_stats_hton(void *dst, const void *src) { convert<vl_stats>(dst, src); }

void statscl_vl_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<vl_stats, vl_stats_len>(dst, src, len);
}

void statscl_vl_diff(const void *baseline, const void * /*req*/, void *current) {
    if (baseline == nullptr || current == nullptr)
        return;
    diff64(bytes(baseline), bytes(current), bytes(current), vl_blocks * vl_lanes);
}

// Bit i of lane_mask (i = 0 to 7) captures lane i of every block; adjacent
// selected lanes are copied together.
void statscl_vl_clear(void *baseline, const void *req, const void *current) {
    if (baseline == nullptr || req == nullptr || current == nullptr)
        return;
    const uint32_t mask = load<uint32_t>(bytes(req)) & ((1U << vl_lanes) - 1);
    for_each_bit_run(mask, [&](std::size_t lane, std::size_t n) {
        for (std::size_t b = 0; b < vl_blocks; ++b) {
            const std::size_t at = 8 * (b * vl_lanes + lane);
            copy64(bytes(baseline) + at, bytes(current) + at, n);
        }
    });
}

int32_t statscl_vl_save_pss(void) {
    return statscl_invoke_save_pss_hdlr("statscl_vl_save_pss_hdlr");
}

int32_t statscl_vl_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2, uint32_t arg3,
                               uint32_t arg4, uint32_t arg5) {
    return statscl_invoke_restore_pss_hdlr("statscl_vl_restore_pss_hdlr", arg0, arg1, arg2, arg3,
                                           arg4, arg5);
}

void statscl_vl_rates_req_hton(void *dst, const void *src) { convert<vl_rates_request>(dst, src); }
void statscl_vl_rates_req_ntoh(void *dst, const void *src) { convert<vl_rates_request>(dst, src); }
void statscl_vl_rates_stats_hton(void *dst, const void *src) { convert<vl_rates_stats>(dst, src); }

void statscl_vl_rates_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<vl_rates_stats, vl_rates_stats_len>(dst, src, len);
}

void statscl_vl_rates_diff(const void *, const void *, void *) {}
void statscl_vl_rates_clear(void *, const void *, const void *) {}

int32_t statscl_vl_rates_save_pss(void) {
    return statscl_invoke_save_pss_hdlr("statscl_vl_rates_save_pss_hdlr");
}

int32_t statscl_vl_rates_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2, uint32_t arg3,
                                     uint32_t arg4, uint32_t arg5) {
    return statscl_invoke_restore_pss_hdlr("statscl_vl_rates_restore_pss_hdlr", arg0, arg1, arg2,
                                           arg3, arg4, arg5);
}

void statscl_vl_snmp_req_hton(void *dst, const void *src) { convert<vl_snmp_request>(dst, src); }
void statscl_vl_snmp_req_ntoh(void *dst, const void *src) { convert<vl_snmp_request>(dst, src); }
void statscl_vl_snmp_stats_hton(void *dst, const void *src) { convert<vl_snmp_stats>(dst, src); }

void statscl_vl_snmp_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<vl_snmp_stats, vl_snmp_stats_len>(dst, src, len);
}

void statscl_vl_snmp_diff(const void *, const void *, void *) {}
void statscl_vl_snmp_clear(void *, const void *, const void *) {}

int32_t statscl_vl_snmp_save_pss(void) {
    return statscl_invoke_save_pss_hdlr("statscl_vl_snmp_save_pss_hdlr");
}

int32_t statscl_vl_snmp_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2, uint32_t arg3,
                                    uint32_t arg4, uint32_t arg5) {
    return statscl_invoke_restore_pss_hdlr("statscl_vl_snmp_restore_pss_hdlr", arg0, arg1, arg2,
                                           arg3, arg4, arg5);
}

} // extern "C"
