// vq_drop.cpp - virtual-queue drops: conversions only.
#include "vq_drop.h"

#include "statscl_convert.h"

using namespace statscl::internal;

extern "C" {

void statscl_vq_drop_req_hton(void *dst, const void *src) { convert<vq_drop_request>(dst, src); }
void statscl_vq_drop_req_ntoh(void *dst, const void *src) { statscl_vq_drop_req_hton(dst, src); }
void statscl_vq_drop_stats_hton(void *dst, const void *src) { convert<vq_drop_stats>(dst, src); }

void statscl_vq_drop_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<vq_drop_stats, vq_drop_stats_len>(dst, src, len);
}

void statscl_vq_drop_diff(const void *, const void *, void *) {}
void statscl_vq_drop_clear(void *, const void *, const void *) {}
int32_t statscl_vq_drop_save_pss(void) { return 0; }

int32_t statscl_vq_drop_restore_pss(uint64_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {
    return 0;
}

} // extern "C"
