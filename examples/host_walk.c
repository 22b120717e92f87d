/* SPDX-FileCopyrightText: 2026 The statscl_convert authors */
/* SPDX-License-Identifier: MIT */
/* host_walk.c - a host process that uses the conversion library the way the
 * statistics client does: look a kind up by type id, convert a request out
 * and a statistics record back, capture a baseline and take a difference.
 * Every field is reached by its name in statscl_records.h, never by a number.
 */
#include <inttypes.h>
#include <stdio.h>
#include <string.h>

#include "statscl_convert.h"
#include "statscl_receive.h"
#include "statscl_records.h"

/* The host's save handler for qos, as statscl_convert.h declares it: the
 * library finds it by name at run time (the program is linked with its
 * symbols exported). */
int32_t statscl_qos_save_pss_hdlr(void) {
    puts("  host handler: saving the qos state");
    return 7;
}

static void print_bytes(const char *what, const unsigned char *p, size_t n) {
    printf("  %-28s", what);
    for (size_t i = 0; i < n; ++i)
        printf(" %02x", p[i]);
    putchar('\n');
}

/* Storm suppression: one 64-bit counter and one 32-bit value. */
static void walk_storm_supp(void) {
    const statscl_convert_t *row = statscl_get_convert_tbl(STATSCL_TYPE_STORM_SUPP);
    enum {
        size = STATSCL_STORM_SUPP_STATS_SIZE,
        counter = STATSCL_STORM_SUPP_STATS_STORM_COUNTER_OFFSET
    };
    unsigned char stats[size], wire[size], baseline[size] = {0};
    unsigned char req[STATSCL_STORM_SUPP_REQ_SIZE] = {0};

    printf("storm_supp (type %d): request %" PRIu32 " bytes, statistics %" PRIu32 " bytes\n",
           STATSCL_TYPE_STORM_SUPP, row->req_len, row->stats_len);
    statscl_put_u64(stats, counter, 0x0102030405060708u);
    statscl_put_u32(stats, STATSCL_STORM_SUPP_STATS_STORM_VALUE_OFFSET, 0x0a0b0c0du);
    row->stats_hton(wire, stats);
    print_bytes("statistics on the wire:", wire, sizeof wire);
    if (statscl_stats_ntoh_checked(row, stats, wire, sizeof wire) != sizeof stats)
        puts("  the statistics were refused");
    printf("  back in host order:          counter 0x%016" PRIx64 "\n",
           statscl_get_u64(stats, counter));

    statscl_put_u64(stats, counter, 1000);
    row->clear(baseline, req, stats);
    statscl_put_u64(stats, counter, 1250);
    row->diff(baseline, req, stats);
    printf("  clear at 1000, read 1250:    diff leaves %" PRIu64 "\n",
           statscl_get_u64(stats, counter));
}

/* QoS: a clear of all eight blocks, then a diff of a later reading; every
 * value of the record is a 64-bit counter. */
static void walk_qos(void) {
    const statscl_convert_t *row = statscl_get_convert_tbl(STATSCL_TYPE_QOS);
    enum {
        first = STATSCL_QOS_STATS_BLOCK_0_OFFSET,
        width = STATSCL_QOS_STATS_BLOCK_0_WIDTH,
        values = (STATSCL_QOS_STATS_SIZE - first) / width
    };
    unsigned char current[STATSCL_QOS_STATS_SIZE], baseline[STATSCL_QOS_STATS_SIZE];
    unsigned char req[STATSCL_QOS_REQ_SIZE];

    printf("qos (type %d): clear, then diff\n", STATSCL_TYPE_QOS);
    for (unsigned i = 0; i < values; ++i)
        statscl_put_u64(current, first + i * width, 100u * i);
    memset(baseline, 0, sizeof baseline);
    /* block_select 3: all eight blocks */
    statscl_put_u32(req, STATSCL_QOS_REQ_BLOCK_SELECT_OFFSET, 3);
    row->clear(baseline, req, current);
    for (unsigned i = 0; i < values; ++i)
        statscl_put_u64(current, first + i * width, 100u * i + i % 8);
    row->diff(baseline, req, current);
    printf("  block_3 since the clear:    ");
    for (unsigned i = 0; i < STATSCL_QOS_STATS_BLOCK_3_COUNT; ++i)
        printf(" %" PRIu64, statscl_get_u64(current, STATSCL_QOS_STATS_BLOCK_3_OFFSET + i * width));
    putchar('\n');
    fflush(stdout);
    const int32_t saved = row->save_pss();
    printf("  save_pss returned %" PRId32 "\n", saved);
}

/* Every kind once: in-place round trip of both records, clear, diff. */
static void walk_every_kind(void) {
    /* The largest statistics record and the largest request. */
    enum { stats_max = STATSCL_VQ_DROP_STATS_SIZE, req_max = STATSCL_FABRIC_PATH_REQ_SIZE };
    static unsigned char record[stats_max], copy[stats_max], baseline[stats_max];
    static unsigned char req[req_max], req_copy[req_max];

    puts("every kind: request and statistics there and back in place, then clear and diff");
    for (uint32_t type = 1; type < STATSCL_PI_ROWS; ++type) {
        const statscl_convert_t *row = statscl_get_convert_tbl(type);
        for (uint32_t i = 0; i < row->stats_len; ++i)
            record[i] = (unsigned char)(i * 7 + type);
        for (uint32_t i = 0; i < row->req_len; ++i)
            req[i] = (unsigned char)(i + 1);
        memcpy(copy, record, row->stats_len);
        memcpy(req_copy, req, row->req_len);

        row->req_hton(req, req);
        row->req_ntoh(req, req);
        row->stats_hton(record, record);
        int same =
            statscl_stats_ntoh_checked(row, record, record, row->stats_len) == row->stats_len &&
            memcmp(copy, record, row->stats_len) == 0 && memcmp(req_copy, req, row->req_len) == 0;

        memset(baseline, 0, row->stats_len);
        row->clear(baseline, req, record);
        row->diff(baseline, req, record);
        printf("  type %2" PRIu32 ": request %3" PRIu32 " B, statistics %5" PRIu32
               " B, round trip %s\n",
               type, row->req_len, row->stats_len, same ? "unchanged" : "CHANGED");
    }
}

int main(void) {
    if (statscl_get_convert_tbl(0) != NULL || statscl_get_convert_tbl(16) != NULL) {
        puts("type ids 0 and 16 must name no kind");
        return 1;
    }
    walk_storm_supp();
    walk_qos();
    walk_every_kind();
    return 0;
}
