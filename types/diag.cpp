// diag.cpp - diagnostics: converted at every field's own width, all or
// nothing; the diff writes first minus third over the third argument.
#include "diag.h"

#include "../core/counters.h"
#include "../core/dispatch.h"
#include "statscl_convert.h"

using namespace statscl::internal;

extern "C" {

void statscl_diag_req_hton(void * /*dst*/, const void * /*src*/) {}
void statscl_diag_req_ntoh(void * /*dst*/, const void * /*src*/) {}
void statscl_diag_stats_hton(void *dst, const void *src) { convert<diag_stats>(dst, src); }

void statscl_diag_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<diag_stats, diag_stats_len>(dst, src, len);
}

// newer is the minuend and supplies the descriptive part; older receives the
// result.  Both are host order.
void statscl_diag_diff(const void *newer, const void * /*req*/, void *older) {
    constexpr uint32_t counters = (size_of(diag_stats) - diag_counters_at) / 8;
    std::memmove(older, newer, diag_counters_at);
    diff64(bytes(older) + diag_counters_at, bytes(newer) + diag_counters_at,
           bytes(older) + diag_counters_at, counters);
}

void statscl_diag_clear(void * /*baseline*/, const void * /*req*/, const void * /*current*/) {}

int32_t statscl_diag_save_pss(void) {
    return statscl_invoke_save_pss_hdlr("statscl_diag_save_pss_hdlr");
}

int32_t statscl_diag_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2, uint32_t arg3,
                                 uint32_t arg4, uint32_t arg5) {
    return statscl_invoke_restore_pss_hdlr("statscl_diag_restore_pss_hdlr", arg0, arg1, arg2, arg3,
                                           arg4, arg5);
}

} // extern "C"
