/* SPDX-FileCopyrightText: 2026 The statscl_convert authors */
/* SPDX-License-Identifier: MIT */
/* qos_host.c - a host of the conversion library, as a switch's statistics
 * client uses it for QoS counters: it receives a qos payload in network
 * order, converts it, clears the counters of the even blocks (a software
 * "clear counters"), converts a later payload and takes the difference,
 * refuses a truncated payload, then saves and restores the kind's state
 * through its own handlers.  Every offset is a name from statscl_records.h.
 * Built with QOS_HOST_OWN_APP_LOG defined, it also defines the platform's
 * logger itself, which the library then calls instead of the platform's.
 * It prints the same lines on every target, as its C++ twin qos_host.cpp
 * does. */
#include <inttypes.h>
#include <stdio.h>
#include <string.h>

#include <statscl_convert.h>
#include <statscl_receive.h>
#include <statscl_records.h>
#ifdef QOS_HOST_OWN_APP_LOG
#include <statscl_platform.h>
#endif

#define QOS_BYTES STATSCL_QOS_STATS_SIZE

static const uint32_t block_at[] = {
    STATSCL_QOS_STATS_BLOCK_0_OFFSET, STATSCL_QOS_STATS_BLOCK_1_OFFSET,
    STATSCL_QOS_STATS_BLOCK_2_OFFSET, STATSCL_QOS_STATS_BLOCK_3_OFFSET,
    STATSCL_QOS_STATS_BLOCK_4_OFFSET, STATSCL_QOS_STATS_BLOCK_5_OFFSET,
    STATSCL_QOS_STATS_BLOCK_6_OFFSET, STATSCL_QOS_STATS_BLOCK_7_OFFSET,
};
#define LAST_IN_BLOCK ((STATSCL_QOS_STATS_BLOCK_0_COUNT - 1) * STATSCL_QOS_STATS_BLOCK_0_WIDTH)

/* The library's statscl_qos_save_pss() and statscl_qos_restore_pss() find
 * these handlers by name in the process: statscl_convert.h declares them,
 * and the package's link flags put them in the dynamic symbol table. */
int32_t statscl_qos_save_pss_hdlr(void) {
    puts("handler: statscl_qos_save_pss_hdlr called");
    return 42;
}

int32_t statscl_qos_restore_pss_hdlr(uint64_t arg0, uint32_t arg1, uint32_t arg2, uint32_t arg3,
                                     uint32_t arg4, uint32_t arg5) {
    puts("handler: statscl_qos_restore_pss_hdlr called");
    return arg0 == 1 && arg1 == 2 && arg2 == 3 && arg3 == 4 && arg4 == 5 && arg5 == 6 ? 43 : -1;
}

#ifdef QOS_HOST_OWN_APP_LOG
/* The host's logger takes the library's lines, and chooses what a save or
 * restore without a handler returns. */
int app_log(int flag, const char *text) {
    printf("host app_log(%d): %s", flag, text);
    return 7;
}
#endif

/* A qos payload as it arrives: the 64-bit value at byte 8 * i is
 * reading + i, big-endian. */
static void receive(unsigned char *payload, uint64_t reading) {
    unsigned i, byte;
    for (i = 0; i < QOS_BYTES / 8; ++i)
        for (byte = 0; byte < 8; ++byte)
            payload[8 * i + byte] = (unsigned char)((reading + i) >> (56 - 8 * byte));
}

int main(void) {
    const statscl_convert_t *row = statscl_get_convert_tbl(STATSCL_TYPE_QOS);
    unsigned char payload[QOS_BYTES], current[QOS_BYTES], baseline[QOS_BYTES] = {0};
    unsigned char req[STATSCL_QOS_REQ_SIZE];
    int32_t saved, restored;
    unsigned b;

    printf("statscl_convert %s (%d.%d.%d)\n", STATSCL_VERSION_STRING, STATSCL_VERSION_MAJOR,
           STATSCL_VERSION_MINOR, STATSCL_VERSION_PATCH);
    if (row == NULL || row->stats_len != QOS_BYTES || row->req_len != sizeof req) {
        fputs("qos_host: the library's qos row does not match statscl_records.h\n", stderr);
        return 1;
    }
    /* clear and diff read the request in host order: block_select 1 is the
     * even blocks. */
    statscl_put_u32(req, STATSCL_QOS_REQ_BLOCK_SELECT_OFFSET, 1);

    receive(payload, 1000);
    if (statscl_stats_ntoh_checked(row, current, payload, sizeof payload) != QOS_BYTES)
        return 1;
    row->clear(baseline, req, current);
    printf("cleared blocks 0, 2, 4, 6 at a reading of 1000\n");

    receive(payload, 1500);
    if (statscl_stats_ntoh_checked(row, current, payload, sizeof payload) != QOS_BYTES)
        return 1;
    row->diff(baseline, req, current);
    printf("counts since the clear, reading 1500 (first and last counter of each block):\n");
    for (b = 0; b < sizeof block_at / sizeof block_at[0]; ++b)
        printf("  block_%u  %6" PRIu64 " %6" PRIu64 "\n", b, statscl_get_u64(current, block_at[b]),
               statscl_get_u64(current, block_at[b] + LAST_IN_BLOCK));
    printf("  qos_tail_values[0] %" PRIu64 " (never cleared)\n",
           statscl_get_u64(current, STATSCL_QOS_STATS_QOS_TAIL_VALUES_OFFSET));

    /* A truncated payload is refused: nothing read past it, nothing written. */
    memcpy(baseline, current, sizeof current);
    printf("a payload of 100 bytes: %" PRIu32 " bytes converted, record %s\n",
           statscl_stats_ntoh_checked(row, current, payload, 100),
           memcmp(baseline, current, sizeof current) == 0 ? "unchanged" : "CHANGED");

    saved = row->save_pss();
    printf("save_pss returned %" PRId32 "\n", saved);
    restored = row->restore_pss(1, 2, 3, 4, 5, 6);
    printf("restore_pss returned %" PRId32 "\n", restored);
#ifdef QOS_HOST_OWN_APP_LOG
    printf("pktflow save_pss without a handler returned %" PRId32 "\n",
           statscl_get_convert_tbl(STATSCL_TYPE_PKTFLOW)->save_pss());
#endif
    return saved == 42 && restored == 43 ? 0 : 1;
}
