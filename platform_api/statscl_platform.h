/* SPDX-FileCopyrightText: 2026 The statscl_convert authors */
/* SPDX-License-Identifier: MIT */
/** @file
 * statscl_platform.h - the switch platform's interfaces that the conversion
 * library calls.
 *
 * On the switch they come from the platform's own library; elsewhere the
 * stand-in beside this header (standin.c, installed as
 * libstatscl_platform_standin.so.1) provides them.  A host process may define
 * any of them itself: its definitions take precedence over either library.
 * A host that does so must honour what is stated here.  The declarations
 * give its definitions C linkage and default visibility, so that a host
 * built with -fvisibility=hidden still exports them; the package's link
 * flags put them in its dynamic symbol table, where the library finds them.
 *
 * Only save_pss and restore_pss use app_log and _tmpbuf; only the TLV header
 * conversions use the interface-index converters.
 */
#ifndef STATSCL_PLATFORM_H
#define STATSCL_PLATFORM_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define STATSCL_PLATFORM_API __attribute__((visibility("default")))
#else
#define STATSCL_PLATFORM_API
#endif

/** Bytes of _tmpbuf that a log line may use, terminator included. */
#define STATSCL_TMPBUF_SIZE 1024

/** The platform's logger.  Called with flag 1 for the line about a null
 * handler name and 0 for every other line; text is _tmpbuf, holding one
 * line that ends in a newline.  Its result is returned unchanged by the
 * save_pss or restore_pss that logged, so a host that defines it chooses
 * what a missing handler returns. */
STATSCL_PLATFORM_API int app_log(int flag, const char *text);

/** The platform's shared text buffer: at least STATSCL_TMPBUF_SIZE bytes.
 * save_pss and restore_pss format their line here without a lock, so the
 * host serialises those two calls. */
STATSCL_PLATFORM_API extern char _tmpbuf[];

/** The platform's conversion of an interface index, host to network order
 * and back.  Each takes the 32-bit index and returns the converted one; the
 * TLV header conversions store the result at offset 4 and return it. */
STATSCL_PLATFORM_API uint32_t hton_if_index(uint32_t if_index);
STATSCL_PLATFORM_API uint32_t ntoh_if_index(uint32_t if_index);

#ifdef __cplusplus
}
#endif

#endif /* STATSCL_PLATFORM_H */
