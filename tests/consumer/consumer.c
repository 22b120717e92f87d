/* consumer.c - a host built against the installed library: it looks qos up
 * by type id, converts a statistics record to network order and back, and
 * checks the bytes on the wire. */
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <statscl_convert.h>

int main(void) {
    static const unsigned char want[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const uint64_t value = 0x0102030405060708u;
    unsigned char host[960] = {0}, wire[960] = {0}, back[960] = {0};
    const statscl_convert_t *row = statscl_get_convert_tbl(STATSCL_TYPE_QOS);

    if (row == NULL || row->stats_len != sizeof host) {
        fputs("consumer: no qos row of 960 bytes\n", stderr);
        return 1;
    }
    memcpy(host + 8, &value, sizeof value); /* block_0[1] */
    row->stats_hton(wire, host);
    row->stats_ntoh(back, wire, sizeof wire);
    if (memcmp(wire + 8, want, sizeof want) != 0 || memcmp(back, host, sizeof host) != 0) {
        fputs("consumer: qos did not convert as expected\n", stderr);
        return 1;
    }
    puts("consumer: qos converted through the installed library");
    return 0;
}
