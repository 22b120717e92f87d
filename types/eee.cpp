// eee.cpp - EEE: eee keeps a baseline of all four counters; eee_snmp only
// converts.
#include "eee.h"

#include "../core/counters.h"
#include "../core/dispatch.h"
#include "statscl_convert.h"

using namespace statscl::internal;

extern "C" {

void statscl_eee_req_hton(void *, const void *) {}
void statscl_eee_req_ntoh(void *, const void *) {}
void statscl_eee_stats_hton(void *dst, const void *src) { convert<eee_stats>(dst, src); }

void statscl_eee_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<eee_stats, eee_stats_len>(dst, src, len);
}

void statscl_eee_diff(const void *baseline, const void *, void *current) {
    if (baseline == nullptr || current == nullptr)
        return;
    diff64(bytes(baseline), bytes(current), bytes(current), size_of(eee_stats) / 8);
}

void statscl_eee_clear(void *baseline, const void *req, const void *current) {
    if (baseline == nullptr || req == nullptr || current == nullptr)
        return;
    copy64(bytes(baseline), bytes(current), size_of(eee_stats) / 8);
}

int32_t statscl_eee_save_pss(void) {
    return statscl_invoke_save_pss_hdlr("statscl_eee_save_pss_hdlr");
}

int32_t statscl_eee_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2, uint32_t arg3,
                                uint32_t arg4, uint32_t arg5) {
    return statscl_invoke_restore_pss_hdlr("statscl_eee_restore_pss_hdlr", arg0, arg1, arg2, arg3,
                                           arg4, arg5);
}

void statscl_eee_snmp_req_hton(void *, const void *) {}
void statscl_eee_snmp_req_ntoh(void *, const void *) {}
void statscl_eee_snmp_stats_hton(void *dst, const void *src) { convert<eee_stats>(dst, src); }

void statscl_eee_snmp_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<eee_stats, eee_stats_len>(dst, src, len);
}

void statscl_eee_snmp_diff(const void *, const void *, void *) {}
void statscl_eee_snmp_clear(void *, const void *, const void *) {}
int32_t statscl_eee_snmp_save_pss(void) { return 0; }

int32_t statscl_eee_snmp_restore_pss(uint64_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {
    return 0;
}

} // extern "C"
