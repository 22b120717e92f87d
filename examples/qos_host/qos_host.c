/* qos_host.c - a host of the conversion library, as a switch's statistics
 * client uses it for QoS counters: it receives a qos payload in network
 * order, converts it, clears the counters of the even blocks (a software
 * "clear counters"), converts a later payload and takes the difference, then
 * saves the kind's state through its own handler.  It prints the same lines
 * on every target. */
#include <inttypes.h>
#include <stdio.h>
#include <string.h>

#include <statscl_convert.h>

enum { QOS_BYTES = 960, QOS_VALUES = QOS_BYTES / 8, BLOCK_VALUES = 8, BLOCKS = 8 };

/* The library's statscl_qos_save_pss() finds this handler by name in the
 * process: the package's link flags put it in the dynamic symbol table. */
int32_t statscl_qos_save_pss_hdlr(void) {
    puts("handler: statscl_qos_save_pss_hdlr called");
    return 42;
}

/* A qos payload as it arrives: value i is reading + i, big-endian. */
static void receive(unsigned char *payload, uint64_t reading) {
    for (unsigned i = 0; i < QOS_VALUES; ++i)
        for (unsigned byte = 0; byte < 8; ++byte)
            payload[8 * i + byte] = (unsigned char)((reading + i) >> (56 - 8 * byte));
}

static uint64_t value(const unsigned char *record, unsigned i) {
    uint64_t v;
    memcpy(&v, record + 8 * i, sizeof v);
    return v;
}

int main(void) {
    const statscl_convert_t *row = statscl_get_convert_tbl(STATSCL_TYPE_QOS);
    unsigned char payload[QOS_BYTES], current[QOS_BYTES], baseline[QOS_BYTES] = {0};
    /* Requests are passed to clear and diff in host order. */
    const uint32_t even_blocks = 1;

    printf("statscl_convert %s (%d.%d.%d)\n", STATSCL_VERSION_STRING, STATSCL_VERSION_MAJOR,
           STATSCL_VERSION_MINOR, STATSCL_VERSION_PATCH);
    if (row == NULL || row->stats_len != QOS_BYTES) {
        fputs("qos_host: no qos row of 960 bytes\n", stderr);
        return 1;
    }

    receive(payload, 1000);
    row->stats_ntoh(current, payload, sizeof payload);
    row->clear(baseline, &even_blocks, current);
    printf("cleared blocks 0, 2, 4, 6 at a reading of 1000\n");

    receive(payload, 1500);
    row->stats_ntoh(current, payload, sizeof payload);
    row->diff(baseline, &even_blocks, current);
    printf("counts since the clear, reading 1500 (first and last counter of each block):\n");
    for (unsigned b = 0; b < BLOCKS; ++b)
        printf("  block_%u  %6" PRIu64 " %6" PRIu64 "\n", b, value(current, b * BLOCK_VALUES),
               value(current, b * BLOCK_VALUES + BLOCK_VALUES - 1));
    printf("  qos_tail_values[0] %" PRIu64 " (never cleared)\n", value(current, BLOCKS * BLOCK_VALUES));

    const int32_t saved = row->save_pss();
    printf("save_pss returned %" PRId32 "\n", saved);
    return saved == 42 ? 0 : 1;
}
