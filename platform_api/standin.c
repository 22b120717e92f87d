/* SPDX-FileCopyrightText: 2026 The statscl_convert authors */
/* SPDX-License-Identifier: MIT */
/* standin.c - a stand-in for the switch platform's library.
 *
 * Provides the logger, the shared text buffer and the interface-index
 * conversions so that the conversion library builds, loads and is tested
 * away from the switch.  The logger writes each line to stderr; an interface
 * index is converted as a 32-bit integer.
 */
#include <arpa/inet.h>
#include <stdio.h>

#include "statscl_platform.h"

char _tmpbuf[STATSCL_TMPBUF_SIZE];

int app_log(int flag, const char *text) {
    (void)flag;
    fputs(text, stderr);
    return 0;
}

uint32_t hton_if_index(uint32_t if_index) { return htonl(if_index); }

uint32_t ntoh_if_index(uint32_t if_index) { return ntohl(if_index); }
