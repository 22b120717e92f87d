// fabric_err.cpp - fabric errors and SNMP clear: conversions only.
#include "fabric_err.h"

#include "../core/dispatch.h"
#include "statscl_convert.h"

using namespace statscl::internal;

extern "C" {

void statscl_fabric_err_req_hton(void *, const void *) {}
void statscl_fabric_err_req_ntoh(void *, const void *) {}
void statscl_fabric_err_stats_hton(void *dst, const void *src) {
    convert<fabric_err_stats>(dst, src);
}

void statscl_fabric_err_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<fabric_err_stats, fabric_err_stats_len>(dst, src, len);
}

void statscl_fabric_err_diff(const void *, const void *, void *) {}
void statscl_fabric_err_clear(void *, const void *, const void *) {}

int32_t statscl_fabric_err_save_pss(void) {
    return statscl_invoke_save_pss_hdlr("statscl_fabric_err_save_pss_hdlr");
}

int32_t statscl_fabric_err_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2, uint32_t arg3,
                                       uint32_t arg4, uint32_t arg5) {
    return statscl_invoke_restore_pss_hdlr("statscl_fabric_err_restore_pss_hdlr", arg0, arg1, arg2,
                                           arg3, arg4, arg5);
}

// The request's layout is not known: its conversions leave it alone.
void statscl_snmp_clear_req_hton(void *, const void *) {}
void statscl_snmp_clear_req_ntoh(void *, const void *) {}
void statscl_snmp_clear_stats_hton(void *dst, const void *src) {
    convert<snmp_clear_stats>(dst, src);
}

void statscl_snmp_clear_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<snmp_clear_stats, snmp_clear_stats_len>(dst, src, len);
}

void statscl_snmp_clear_diff(const void *, const void *, void *) {}
void statscl_snmp_clear_clear(void *, const void *, const void *) {}
int32_t statscl_snmp_clear_save_pss(void) { return 0; }

int32_t statscl_snmp_clear_restore_pss(uint64_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {
    return 0;
}

} // extern "C"
