// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// qos_host.cpp - qos_host.c's twin in C++: the same steps, the same lines.
// Its handlers are plain definitions: statscl_convert.h declares them with C
// linkage, so their names reach the dynamic symbol table unmangled, where
// save_pss and restore_pss look them up.  So is its app_log, when built with
// QOS_HOST_OWN_APP_LOG.
#include <array>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include <statscl_convert.h>
#include <statscl_receive.h>
#include <statscl_records.h>
#ifdef QOS_HOST_OWN_APP_LOG
#include <statscl_platform.h>
#endif

namespace {

constexpr uint32_t qos_bytes = STATSCL_QOS_STATS_SIZE;
constexpr std::array<uint32_t, 8> block_at = {
    STATSCL_QOS_STATS_BLOCK_0_OFFSET, STATSCL_QOS_STATS_BLOCK_1_OFFSET,
    STATSCL_QOS_STATS_BLOCK_2_OFFSET, STATSCL_QOS_STATS_BLOCK_3_OFFSET,
    STATSCL_QOS_STATS_BLOCK_4_OFFSET, STATSCL_QOS_STATS_BLOCK_5_OFFSET,
    STATSCL_QOS_STATS_BLOCK_6_OFFSET, STATSCL_QOS_STATS_BLOCK_7_OFFSET,
};
constexpr uint32_t last_in_block =
    (STATSCL_QOS_STATS_BLOCK_0_COUNT - 1) * STATSCL_QOS_STATS_BLOCK_0_WIDTH;

using record = std::array<unsigned char, qos_bytes>;

// A qos payload as it arrives: the 64-bit value at byte 8 * i is
// reading + i, big-endian.
record receive(uint64_t reading) {
    record payload;
    for (uint32_t i = 0; i < qos_bytes / 8; ++i)
        for (uint32_t byte = 0; byte < 8; ++byte)
            payload[8 * i + byte] = static_cast<unsigned char>((reading + i) >> (56 - 8 * byte));
    return payload;
}

} // namespace

int32_t statscl_qos_save_pss_hdlr(void) {
    std::puts("handler: statscl_qos_save_pss_hdlr called");
    return 42;
}

int32_t statscl_qos_restore_pss_hdlr(uint64_t arg0, uint32_t arg1, uint32_t arg2, uint32_t arg3,
                                     uint32_t arg4, uint32_t arg5) {
    std::puts("handler: statscl_qos_restore_pss_hdlr called");
    return arg0 == 1 && arg1 == 2 && arg2 == 3 && arg3 == 4 && arg4 == 5 && arg5 == 6 ? 43 : -1;
}

#ifdef QOS_HOST_OWN_APP_LOG
int app_log(int flag, const char *text) {
    std::printf("host app_log(%d): %s", flag, text);
    return 7;
}
#endif

int main() {
    const statscl_convert_t *row = statscl_get_convert_tbl(STATSCL_TYPE_QOS);
    record current{}, baseline{};
    std::array<unsigned char, STATSCL_QOS_REQ_SIZE> req{};

    std::printf("statscl_convert %s (%d.%d.%d)\n", STATSCL_VERSION_STRING, STATSCL_VERSION_MAJOR,
                STATSCL_VERSION_MINOR, STATSCL_VERSION_PATCH);
    if (row == nullptr || row->stats_len != qos_bytes || row->req_len != req.size()) {
        std::fputs("qos_host: the library's qos row does not match statscl_records.h\n", stderr);
        return 1;
    }
    // clear and diff read the request in host order: block_select 1 is the
    // even blocks.
    statscl_put_u32(req.data(), STATSCL_QOS_REQ_BLOCK_SELECT_OFFSET, 1);

    record payload = receive(1000);
    if (statscl_stats_ntoh_checked(row, current.data(), payload.data(), qos_bytes) != qos_bytes)
        return 1;
    row->clear(baseline.data(), req.data(), current.data());
    std::printf("cleared blocks 0, 2, 4, 6 at a reading of 1000\n");

    payload = receive(1500);
    if (statscl_stats_ntoh_checked(row, current.data(), payload.data(), qos_bytes) != qos_bytes)
        return 1;
    row->diff(baseline.data(), req.data(), current.data());
    std::printf("counts since the clear, reading 1500 (first and last counter of each block):\n");
    for (uint32_t b = 0; b < block_at.size(); ++b)
        std::printf("  block_%u  %6" PRIu64 " %6" PRIu64 "\n", static_cast<unsigned>(b),
                    statscl_get_u64(current.data(), block_at[b]),
                    statscl_get_u64(current.data(), block_at[b] + last_in_block));
    std::printf("  qos_tail_values[0] %" PRIu64 " (never cleared)\n",
                statscl_get_u64(current.data(), STATSCL_QOS_STATS_QOS_TAIL_VALUES_OFFSET));

    // A truncated payload is refused: nothing read past it, nothing written.
    const record before = current;
    const uint32_t converted = statscl_stats_ntoh_checked(row, current.data(), payload.data(), 100);
    std::printf("a payload of 100 bytes: %" PRIu32 " bytes converted, record %s\n", converted,
                current == before ? "unchanged" : "CHANGED");

    const int32_t saved = row->save_pss();
    std::printf("save_pss returned %" PRId32 "\n", saved);
    const int32_t restored = row->restore_pss(1, 2, 3, 4, 5, 6);
    std::printf("restore_pss returned %" PRId32 "\n", restored);
#ifdef QOS_HOST_OWN_APP_LOG
    std::printf("pktflow save_pss without a handler returned %" PRId32 "\n",
                statscl_get_convert_tbl(STATSCL_TYPE_PKTFLOW)->save_pss());
#endif
    return saved == 42 && restored == 43 ? 0 : 1;
}
