/* SPDX-FileCopyrightText: 2026 The statscl_convert authors */
/* SPDX-License-Identifier: MIT */
/* first_host.c - receive qos counters, clear them, read the count since. */
#include <inttypes.h>
#include <stdio.h>
#include <statscl_receive.h>

int main(void) {
    const statscl_convert_t *row = statscl_get_convert_tbl(STATSCL_TYPE_QOS);
    unsigned char wire[STATSCL_QOS_STATS_SIZE] = {0}, stats[STATSCL_QOS_STATS_SIZE];
    unsigned char baseline[STATSCL_QOS_STATS_SIZE] = {0}, req[STATSCL_QOS_REQ_SIZE] = {0};
    const uint32_t lane_5 = STATSCL_QOS_STATS_BLOCK_3_OFFSET + 5 * STATSCL_QOS_STATS_BLOCK_3_WIDTH;

    statscl_put_u32(req, STATSCL_QOS_REQ_BLOCK_SELECT_OFFSET, 3); /* all eight blocks */
    wire[lane_5 + 7] = 40;                      /* a payload as received, network order */
    if (statscl_stats_ntoh_checked(row, stats, wire, sizeof wire) != sizeof stats)
        return 1;                               /* too short: nothing read, nothing written */
    row->clear(baseline, req, stats);           /* "clear counters": capture a baseline */
    wire[lane_5 + 7] = 42;                      /* a later reading */
    statscl_stats_ntoh_checked(row, stats, wire, sizeof wire);
    row->diff(baseline, req, stats);            /* stats now counts since the clear */
    printf("block_3[5] since the clear: %" PRIu64 "\n", statscl_get_u64(stats, lane_5));
    return 0;
}
