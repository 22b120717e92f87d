// qos.cpp - QoS: the diff covers the eight counter blocks; a clear captures
// the even blocks, the odd blocks or all of them.
#include "qos.h"

#include "../core/counters.h"
#include "../core/dispatch.h"
#include "statscl_convert.h"

using namespace statscl::internal;

extern "C" {

void statscl_qos_req_hton(void *dst, const void *src) { convert<qos_request>(dst, src); }
void statscl_qos_req_ntoh(void *dst, const void *src) { convert<qos_request>(dst, src); }
void statscl_qos_stats_hton(void *dst, const void *src) { convert<qos_stats>(dst, src); }

void statscl_qos_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<qos_stats, qos_stats_len>(dst, src, len);
}

void statscl_qos_diff(const void *baseline, const void * /*req*/, void *current) {
    if (baseline == nullptr || current == nullptr)
        return;
    diff64(bytes(baseline), bytes(current), bytes(current), qos_blocks * qos_block_values);
}

// block_select 1: blocks 0, 2, 4, 6; 2: blocks 1, 3, 5, 7; 3: all eight.
void statscl_qos_clear(void *baseline, const void *req, const void *current) {
    if (baseline == nullptr || req == nullptr || current == nullptr)
        return;
    constexpr uint32_t block_masks[] = {0, 0x55, 0xAA, 0xFF};
    const uint32_t select = load<uint32_t>(bytes(req));
    const uint32_t blocks = select < 4 ? block_masks[select] : 0;
    for_each_bit_run(blocks, [&](std::size_t first, std::size_t n) {
        const std::size_t at = 8 * qos_block_values * first;
        copy64(bytes(baseline) + at, bytes(current) + at, n * qos_block_values);
    });
}

int32_t statscl_qos_save_pss(void) {
    return statscl_invoke_save_pss_hdlr("statscl_qos_save_pss_hdlr");
}

int32_t statscl_qos_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2, uint32_t arg3,
                                uint32_t arg4, uint32_t arg5) {
    return statscl_invoke_restore_pss_hdlr("statscl_qos_restore_pss_hdlr", arg0, arg1, arg2, arg3,
                                           arg4, arg5);
}

} // extern "C"
