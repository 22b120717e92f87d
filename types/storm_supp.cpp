// storm_supp.cpp - storm suppression: only storm_counter has a baseline.
#include "storm_supp.h"

#include "../core/counters.h"
#include "statscl_convert.h"

using namespace statscl::internal;

extern "C" {

void statscl_storm_supp_req_hton(void *dst, const void *src) {
    convert<storm_supp_request>(dst, src);
}
void statscl_storm_supp_req_ntoh(void *dst, const void *src) {
    convert<storm_supp_request>(dst, src);
}
void statscl_storm_supp_stats_hton(void *dst, const void *src) {
    convert<storm_supp_stats>(dst, src);
}

void statscl_storm_supp_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<storm_supp_stats, storm_supp_stats_len>(dst, src, len);
}

void statscl_storm_supp_diff(const void *baseline, const void * /*req*/, void *current) {
    if (baseline == nullptr || current == nullptr)
        return;
    diff64(bytes(baseline), bytes(current), bytes(current), 1);
}

void statscl_storm_supp_clear(void *baseline, const void *req, const void *current) {
    if (baseline == nullptr || req == nullptr || current == nullptr)
        return;
    copy64(bytes(baseline), bytes(current), 1);
}

int32_t statscl_storm_supp_save_pss(void) { return 0; }

int32_t statscl_storm_supp_restore_pss(uint64_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {
    return 0;
}

} // extern "C"
