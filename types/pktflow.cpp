// pktflow.cpp - packet flows: counters 0 to 101 have a baseline, element 10
// is clamped at 0, and a request can turn the diff off.
#include "pktflow.h"

#include "../core/counters.h"
#include "../core/dispatch.h"
#include "statscl_convert.h"

using namespace statscl::internal;

extern "C" {

void statscl_pktflow_req_hton(void *dst, const void *src) { convert<pktflow_request>(dst, src); }

void statscl_pktflow_req_ntoh(void *dst, const void *src) { statscl_pktflow_req_hton(dst, src); }

// On the big-endian switch only element 0 is written; a little-endian build
// converts the whole record so that stats_ntoh gives it back.
void statscl_pktflow_stats_hton(void *dst, const void *src) {
    if constexpr (std::endian::native == std::endian::big)
        convert<pktflow_stats_head>(dst, src);
    else
        convert<pktflow_stats>(dst, src);
}

void statscl_pktflow_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<pktflow_stats, pktflow_stats_len>(dst, src, len);
}

void statscl_pktflow_diff(const void *baseline, const void *req, void *current) {
    if (req == nullptr || load<uint32_t>(bytes(req)) == pktflow_no_diff)
        return;
    const byte *base = bytes(baseline);
    byte *cur = bytes(current);
    const std::size_t clamped = 8 * pktflow_clamped;
    const bool below_baseline = load<uint64_t>(base + clamped) > load<uint64_t>(cur + clamped);
    diff64(base, cur, cur, pktflow_counters);
    if (below_baseline)
        store<uint64_t>(cur + clamped, 0);
}

void statscl_pktflow_clear(void *baseline, const void * /*req*/, const void *current) {
    copy64(bytes(baseline), bytes(current), pktflow_counters);
}

int32_t statscl_pktflow_save_pss(void) {
    return statscl_invoke_save_pss_hdlr("statscl_pktflow_save_pss_hdlr");
}

int32_t statscl_pktflow_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2, uint32_t arg3,
                                    uint32_t arg4, uint32_t arg5) {
    return statscl_invoke_restore_pss_hdlr("statscl_pktflow_restore_pss_hdlr", arg0, arg1, arg2,
                                           arg3, arg4, arg5);
}

} // extern "C"
