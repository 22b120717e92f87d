/* host_walk.c - a host process that uses the conversion library the way the
 * statistics client does: look a kind up by type id, convert a request out
 * and a statistics record back, capture a baseline and take a difference.
 */
#include <inttypes.h>
#include <stdio.h>
#include <string.h>

#include "statscl_convert.h"

/* The host's save handler for qos: the library finds it by name at run time
 * (the program is linked with its symbols exported). */
int32_t statscl_qos_save_pss_hdlr(void) {
    puts("  host handler: saving the qos state");
    return 7;
}

static uint64_t get64(const unsigned char *p) {
    uint64_t v;
    memcpy(&v, p, sizeof v);
    return v;
}

static void put64(unsigned char *p, uint64_t v) { memcpy(p, &v, sizeof v); }

static void put32(unsigned char *p, uint32_t v) { memcpy(p, &v, sizeof v); }

static void print_bytes(const char *what, const unsigned char *p, size_t n) {
    printf("  %-28s", what);
    for (size_t i = 0; i < n; ++i)
        printf(" %02x", p[i]);
    putchar('\n');
}

/* Storm suppression: one 64-bit counter and one 32-bit value. */
static void walk_storm_supp(void) {
    const statscl_convert_t *row = statscl_get_convert_tbl(STATSCL_TYPE_STORM_SUPP);
    unsigned char stats[12], wire[12], baseline[12] = {0}, req[12] = {0};

    printf("storm_supp (type %d): request %" PRIu32 " bytes, statistics %" PRIu32 " bytes\n",
           STATSCL_TYPE_STORM_SUPP, row->req_len, row->stats_len);
    put64(stats, 0x0102030405060708u);
    put32(stats + 8, 0x0a0b0c0du);
    row->stats_hton(wire, stats);
    print_bytes("statistics on the wire:", wire, sizeof wire);
    row->stats_ntoh(stats, wire, sizeof wire);
    printf("  back in host order:          counter 0x%016" PRIx64 "\n", get64(stats));

    put64(stats, 1000);
    row->clear(baseline, req, stats);
    put64(stats, 1250);
    row->diff(baseline, req, stats);
    printf("  clear at 1000, read 1250:    diff leaves %" PRIu64 "\n", get64(stats));
}

/* QoS: a clear of all eight blocks, then a diff of a later reading. */
static void walk_qos(void) {
    const statscl_convert_t *row = statscl_get_convert_tbl(STATSCL_TYPE_QOS);
    unsigned char current[960], baseline[960], req[4];

    printf("qos (type %d): clear, then diff\n", STATSCL_TYPE_QOS);
    for (unsigned i = 0; i < 120; ++i)
        put64(current + 8 * i, 100u * i);
    memset(baseline, 0, sizeof baseline);
    put32(req, 3); /* block_select 3: all eight blocks */
    row->clear(baseline, req, current);
    for (unsigned i = 0; i < 120; ++i)
        put64(current + 8 * i, 100u * i + i % 8);
    row->diff(baseline, req, current);
    printf("  block_0 since the clear:    ");
    for (unsigned i = 0; i < 8; ++i)
        printf(" %" PRIu64, get64(current + 8 * i));
    putchar('\n');
    fflush(stdout);
    const int32_t saved = row->save_pss();
    printf("  save_pss returned %" PRId32 "\n", saved);
}

/* Every kind once: in-place round trip of both records, clear, diff. */
static void walk_every_kind(void) {
    static unsigned char record[16412], copy[16412], baseline[16412], req[144], req_copy[144];

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
        row->stats_ntoh(record, record, row->stats_len);
        int same =
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
