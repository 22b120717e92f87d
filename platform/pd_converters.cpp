// pd_converters.cpp - converters of the platform-dependent kinds, exported by
// name and listed in no table row.
#include "pd_converters.h"

#include "statscl_convert.h"

using namespace statscl::internal;

extern "C" {

void statscl_kelm_fabric_err_req_hton(void *, const void *) {}
void statscl_kelm_fabric_err_req_ntoh(void *, const void *) {}
void statscl_kelm_fabric_err_stats_hton(void *dst, const void *src) {
    convert<kelm_fabric_err_stats>(dst, src);
}

void statscl_kelm_fabric_err_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<kelm_fabric_err_stats, kelm_fabric_err_stats_len>(dst, src, len);
}

void statscl_dorn_fabric_err_req_hton(void *, const void *) {}
void statscl_dorn_fabric_err_req_ntoh(void *, const void *) {}
void statscl_dorn_fabric_err_stats_hton(void *dst, const void *src) {
    convert<dorn_fabric_err_stats>(dst, src);
}

void statscl_dorn_fabric_err_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<dorn_fabric_err_stats, dorn_fabric_err_stats_len>(dst, src, len);
}

void statscl_vexa_mac_vl_req_hton(void *, const void *) {}
void statscl_vexa_mac_vl_req_ntoh(void *, const void *) {}
void statscl_vexa_mac_vl_stats_hton(void *dst, const void *src) {
    convert<vexa_mac_vl_stats>(dst, src);
}

void statscl_vexa_mac_vl_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<vexa_mac_vl_stats, vexa_mac_vl_stats_len>(dst, src, len);
}

void statscl_fcmac_avg_ctrs_req_hton(void *, const void *) {}
void statscl_fcmac_avg_ctrs_req_ntoh(void *, const void *) {}
void statscl_fcmac_avg_ctrs_stats_hton(void *dst, const void *src) {
    convert<fcmac_avg_ctrs_stats>(dst, src);
}

void statscl_fcmac_avg_ctrs_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<fcmac_avg_ctrs_stats, fcmac_avg_ctrs_stats_len>(dst, src, len);
}

void statscl_fcmac_avg_ctrs_diff(const void *, const void *, void *) {}
void statscl_fcmac_avg_ctrs_clear(void *, const void *, const void *) {}

void statscl_fcmac_if_ctrs_req_hton(void *, const void *) {}
void statscl_fcmac_if_ctrs_req_ntoh(void *, const void *) {}
void statscl_fcmac_if_ctrs_stats_hton(void *dst, const void *src) {
    convert<fcmac_if_ctrs_stats>(dst, src);
}

void statscl_fcmac_if_ctrs_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<fcmac_if_ctrs_stats, fcmac_if_ctrs_stats_len>(dst, src, len);
}

void statscl_fcmac_if_ctrs_diff(const void *, const void *, void *) {}
void statscl_fcmac_if_ctrs_clear(void *, const void *, const void *) {}

} // extern "C"
