/* SPDX-FileCopyrightText: 2026 The statscl_convert authors */
/* SPDX-License-Identifier: MIT */
/* strict_host.c - a host that includes every installed header and defines
 * handlers without writing a prototype or extern "C" of its own; the
 * strict-host tests compile it as C and as C++ with the warnings strict
 * hosts build with, as errors. */
#include "statscl_convert.h"
#include "statscl_platform.h"
#include "statscl_receive.h"
#include "statscl_records.h"

int32_t statscl_qos_save_pss_hdlr(void) { return 0; }

int32_t statscl_qos_restore_pss_hdlr(uint64_t arg0, uint32_t arg1, uint32_t arg2, uint32_t arg3,
                                     uint32_t arg4, uint32_t arg5) {
    return arg0 == arg1 && arg2 == arg3 && arg4 == arg5;
}
