/* SPDX-FileCopyrightText: 2026 The statscl_convert authors */
/* SPDX-License-Identifier: MIT */
/* A host for check-host.  As C: qos's two handlers and app_log, correct,
   of default visibility (SAVE_ONLY leaves the restore handler out).
   As C++ (-x c++): the restore handler takes the wrong arguments, so it is
   an overload with a mangled name. */
#include <stdint.h>

#ifdef __cplusplus
#define C_LINKAGE extern "C"
int32_t statscl_qos_restore_pss_hdlr(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t e,
                                     uint32_t f) {
    return (int32_t)(a + b + c + d + e + f);
}
#else
#define C_LINKAGE
#ifndef SAVE_ONLY
int32_t statscl_qos_restore_pss_hdlr(uint64_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t e,
                                     uint32_t f) {
    return (int32_t)(a + b + c + d + e + f);
}
#endif
#endif

C_LINKAGE int32_t statscl_qos_save_pss_hdlr(void) { return 7; }

C_LINKAGE int app_log(int flag, const char *text) { return flag + text[0]; }

int main(void) { return statscl_qos_save_pss_hdlr() == 7 ? 0 : 1; }
