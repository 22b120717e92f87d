/* SPDX-FileCopyrightText: 2026 The statscl_convert authors */
/* SPDX-License-Identifier: MIT */
/** @file
 * statscl_convert.h - record conversion for the statistics client.
 *
 * The statistics client and the components that produce hardware statistics
 * exchange, per kind of statistics, a request record and a statistics record.
 * This library knows both layouts of fifteen kinds and offers eight
 * operations per kind through a constant table of converter rows, looked up
 * by type id.  Five platform-dependent kinds have converters reached by name.
 *
 * Conventions that hold for every function below:
 *  - Records are packed byte arrays owned by the caller, passed as pointers
 *    to their first byte; no alignment is assumed and nothing is kept.
 *  - Network order is big-endian.  Every field is converted at its own width
 *    (a 64-bit field is reversed as one 8-byte unit on a little-endian host);
 *    on a big-endian host a conversion is a copy.
 *  - Every conversion works in place: dst may equal src.  Partly overlapping
 *    records are not supported.
 *  - A conversion writes only inside its record, whatever len says; a
 *    conversion whose length test fails writes nothing.
 *  - Conversions test no pointer.  diff and clear test exactly the pointers
 *    named in their documentation and return without writing when one is null.
 *  - 64-bit counters are unsigned; a difference is taken modulo 2^64, each
 *    counter on its own, and is never clamped unless stated.
 *  - diff and clear read their request record in host order, as the host
 *    filled it (convert a received request with req_ntoh first).  Their
 *    baseline is a statistics record in host order that the host owns: a
 *    host captures it with clear (or fills it with zeros) before the first
 *    diff; diff reads whatever the baseline holds.
 *  - A kind without a request record (req_len 0) reads no request, but eee's
 *    and phy's clear still return without writing when req is NULL: pass
 *    them any valid pointer, none of whose bytes is read.  Every other diff
 *    and clear of such a kind takes NULL as well.
 *  - Nothing returns an error, allocates or keeps state.  All operations are
 *    reentrant except save_pss and restore_pss, which format their log line in
 *    the platform's one shared buffer: callers serialise those two.
 *
 * Field offsets by name: statscl_records.h.  Receiving a payload without
 * reading past its length: statscl_receive.h.  The platform's interfaces
 * that the library calls, which a host may define itself: statscl_platform.h.
 */
#ifndef STATSCL_CONVERT_H
#define STATSCL_CONVERT_H

#include <stdint.h>

/** @name Version
 * The library's version; the CMake package and the pkg-config file carry
 * the same.  The major version is the SONAME's: it changes only when the
 * interface does.
 * @{ */
#define STATSCL_VERSION_MAJOR 1
#define STATSCL_VERSION_MINOR 0
#define STATSCL_VERSION_PATCH 0
/** The three numbers above as "MAJOR.MINOR.PATCH", made from them so that
 * the two cannot disagree. */
#define STATSCL_VERSION_STRING                                                                     \
    STATSCL_STRINGIFY_(STATSCL_VERSION_MAJOR)                                                      \
    "." STATSCL_STRINGIFY_(STATSCL_VERSION_MINOR) "." STATSCL_STRINGIFY_(STATSCL_VERSION_PATCH)
/** @} */
/* Two steps, so that a macro's value is turned into text, not its name. */
#define STATSCL_STRINGIFY_(x) STATSCL_STRINGIFY_TEXT_(x)
#define STATSCL_STRINGIFY_TEXT_(x) #x

#if defined(__GNUC__)
#define STATSCL_API __attribute__((visibility("default")))
#else
#define STATSCL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------------ */
/** Type ids: the index of a kind's row in statscl_pi_convert_tbl. */

enum statscl_type {
    STATSCL_TYPE_PKTFLOW = 1,
    STATSCL_TYPE_DIAG = 2,
    STATSCL_TYPE_QOS = 3,
    STATSCL_TYPE_VL = 4,
    STATSCL_TYPE_FABRIC_ERR = 5,
    STATSCL_TYPE_VL_RATES = 6,
    STATSCL_TYPE_VL_SNMP = 7,
    STATSCL_TYPE_STORM_SUPP = 8,
    STATSCL_TYPE_EEE = 9,
    STATSCL_TYPE_EEE_SNMP = 10,
    STATSCL_TYPE_PHY = 11,
    STATSCL_TYPE_PHY_SNMP = 12,
    STATSCL_TYPE_SNMP_CLEAR = 13,
    STATSCL_TYPE_FABRIC_PATH = 14,
    STATSCL_TYPE_VQ_DROP = 15,
    /** Rows in statscl_pi_convert_tbl: 0 and 1 to 15. */
    STATSCL_PI_ROWS = 16
};

/* ------------------------------------------------------------------------ */
/* One function type per slot of a converter row.                           */

/** Converts a request record, src into dst. */
typedef void (*statscl_req_conv_fn)(void *dst, const void *src);
/** Converts a statistics record host to network, src into dst. */
typedef void (*statscl_stats_hton_fn)(void *dst, const void *src);
/** Converts a received statistics record network to host; len is the byte
 * length of the received payload, tested by each kind in its own way (some
 * read a whole record whatever len says: statscl_stats_ntoh_checked in
 * statscl_receive.h never reads past len). */
typedef void (*statscl_stats_ntoh_fn)(void *dst, const void *src, uint32_t len);
/** Software clear-counters: current -= baseline (host order; diag differs). */
typedef void (*statscl_diff_fn)(const void *baseline, const void *req, void *current);
/** Captures counters of current (all, or those req selects) into baseline. */
typedef void (*statscl_clear_fn)(void *baseline, const void *req, const void *current);
/** Saves the kind's persistent state through the host's handler. */
typedef int32_t (*statscl_save_pss_fn)(void);
/** Restores it through the host's handler; all six arguments pass unchanged. */
typedef int32_t (*statscl_restore_pss_fn)(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                          uint32_t arg3, uint32_t arg4, uint32_t arg5);

/** A converter row.  The field order is part of the ABI. */
typedef struct statscl_convert {
    uint32_t req_len;   /**< bytes of the request record; 0: the kind has none */
    uint32_t stats_len; /**< bytes of the statistics record */
    uint32_t reserved;  /**< always 0 */
    statscl_req_conv_fn req_hton;
    statscl_req_conv_fn req_ntoh;
    statscl_stats_hton_fn stats_hton;
    statscl_stats_ntoh_fn stats_ntoh;
    statscl_diff_fn diff;
    statscl_clear_fn clear;
    statscl_save_pss_fn save_pss;
    statscl_restore_pss_fn restore_pss;
} statscl_convert_t;

/* ------------------------------------------------------------------------ */
/* Tables and lookup.                                                       */

/** The platform-independent kinds, indexed by type id.  Row 0 is all zero;
 * rows 1 to 15 have every slot filled: an operation a kind does not need is
 * a function that does nothing. */
STATSCL_API extern const statscl_convert_t statscl_pi_convert_tbl[STATSCL_PI_ROWS];

/** The platform-dependent kinds: no kind has a row in this build.  The table
 * holds a single all-zero terminator element; a host treats it as empty and
 * reaches the platform-dependent converters by name. */
STATSCL_API extern const statscl_convert_t statscl_pd_convert_tbl[1];

/** The row of statscl_pi_convert_tbl for type (the table's own element, not a
 * copy), or NULL for 0, for any type above 15 and for a row that is not
 * filled. */
STATSCL_API const statscl_convert_t *statscl_get_convert_tbl(uint32_t type);

/* ------------------------------------------------------------------------ */
/* Primitives.                                                              */

/** @name TLV header
 * Converts the 16-byte statistics TLV header: words 0, 2 and 3 as 32-bit
 * integers, the interface index at offset 4 by the platform's
 * hton_if_index (ntoh_if_index).  Returns the converted index, also stored
 * in dst.
 * @{ */
STATSCL_API uint32_t statscl_tlv_hdr_hton(void *dst, const void *src);
STATSCL_API uint32_t statscl_tlv_hdr_ntoh(void *dst, const void *src);
/** @} */

/** @name 64-bit values
 * Converts count 64-bit values laid end to end, src into dst.  0 converts
 * nothing.
 * @{ */
STATSCL_API void statscl_uint64_hton(void *dst, const void *src, uint32_t count);
STATSCL_API void statscl_uint64_ntoh(void *dst, const void *src, uint32_t count);
/** @} */

/** out[i] = new[i] - old[i] modulo 2^64 for count 64-bit values in host
 * order; out may equal old or new.  0 does nothing. */
STATSCL_API void statscl_uint64_diff(const void *old_values, const void *new_values, void *out,
                                     uint32_t count);

/* ------------------------------------------------------------------------ */
/** @file
 * @par save_pss and restore_pss
 *
 * For pktflow, diag, qos, vl, fabric_err, vl_rates, vl_snmp, eee and phy,
 * `statscl_<kind>_save_pss()` looks up `"statscl_<kind>_save_pss_hdlr"` in
 * the whole process with `dlsym(RTLD_DEFAULT, ...)` on every call, and
 * `statscl_<kind>_restore_pss(...)` looks up
 * `"statscl_<kind>_restore_pss_hdlr"`.  Each step is logged through the
 * platform's `app_log(flag, text)`, the text formatted into the platform's
 * 1024-byte buffer `_tmpbuf`:
 *  - found: `"<dispatcher>: Invoking <handler>\n"` (flag 0), logged before
 *    the handler is called; the handler's result is returned;
 *  - not found: `"<dispatcher>: symbol <handler> not found\n"` (flag 0); no
 *    handler is called and app_log's result is returned, so a missing
 *    handler cannot be told from a handler result by value.
 *
 * `<dispatcher>` is `"statscl_invoke_save_pss_hdlr"` or
 * `"statscl_invoke_restore_pss_hdlr"`.
 *
 * For storm_supp, eee_snmp, phy_snmp, snmp_clear, fabric_path and vq_drop
 * both do nothing: they look nothing up, log nothing and return 0.
 */

/** @name The host's save and restore handlers
 * Declared here, never defined by the library: a host defines those it
 * wants, and the dispatch finds them by these names at run time.  The
 * declarations give a C++ host's definitions C linkage (so their names are
 * not mangled) and default visibility (so -fvisibility=hidden does not hide
 * them); they reach the dispatch only from the host's dynamic symbol table,
 * which the package's link flags see to.  The restore handler receives
 * restore_pss's six arguments unchanged; what either returns is returned to
 * save_pss's or restore_pss's caller.
 * @{ */
STATSCL_API int32_t statscl_pktflow_save_pss_hdlr(void);
STATSCL_API int32_t statscl_pktflow_restore_pss_hdlr(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                     uint32_t arg3, uint32_t arg4, uint32_t arg5);
STATSCL_API int32_t statscl_diag_save_pss_hdlr(void);
STATSCL_API int32_t statscl_diag_restore_pss_hdlr(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                  uint32_t arg3, uint32_t arg4, uint32_t arg5);
STATSCL_API int32_t statscl_qos_save_pss_hdlr(void);
STATSCL_API int32_t statscl_qos_restore_pss_hdlr(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                 uint32_t arg3, uint32_t arg4, uint32_t arg5);
STATSCL_API int32_t statscl_vl_save_pss_hdlr(void);
STATSCL_API int32_t statscl_vl_restore_pss_hdlr(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                uint32_t arg3, uint32_t arg4, uint32_t arg5);
STATSCL_API int32_t statscl_fabric_err_save_pss_hdlr(void);
STATSCL_API int32_t statscl_fabric_err_restore_pss_hdlr(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                        uint32_t arg3, uint32_t arg4,
                                                        uint32_t arg5);
STATSCL_API int32_t statscl_vl_rates_save_pss_hdlr(void);
STATSCL_API int32_t statscl_vl_rates_restore_pss_hdlr(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                      uint32_t arg3, uint32_t arg4, uint32_t arg5);
STATSCL_API int32_t statscl_vl_snmp_save_pss_hdlr(void);
STATSCL_API int32_t statscl_vl_snmp_restore_pss_hdlr(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                     uint32_t arg3, uint32_t arg4, uint32_t arg5);
STATSCL_API int32_t statscl_eee_save_pss_hdlr(void);
STATSCL_API int32_t statscl_eee_restore_pss_hdlr(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                 uint32_t arg3, uint32_t arg4, uint32_t arg5);
STATSCL_API int32_t statscl_phy_save_pss_hdlr(void);
STATSCL_API int32_t statscl_phy_restore_pss_hdlr(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                 uint32_t arg3, uint32_t arg4, uint32_t arg5);
/** @} */

/* ------------------------------------------------------------------------ */
/** @name pktflow (type 1)
 * pktflow (type 1): request 80 bytes of twenty 32-bit words; statistics 864
 * bytes of 108 64-bit values, elements 0 to 101 counters, 102 to 107 a
 * trailer that diff and clear never touch.
 *
 * req_hton, req_ntoh: the same conversion of all twenty words.
 * stats_hton: on a big-endian host element 0 only (a copy of bytes 0 to 7;
 *   bytes 8 to 863 of dst are left as they are).  On a little-endian host
 *   all 108 values, so that stats_ntoh with len 864 gives the record back.
 * stats_ntoh: the whole 64-bit values that len covers, at most 108; bytes
 *   from 8 * (len / 8) on are left as they are.
 * diff: returns when req is NULL or its word 0 is 16; otherwise elements 0 to
 *   101 of current -= baseline, and element 10 becomes 0 when the baseline's
 *   value is above current's value before the subtraction.  baseline and
 *   current are not tested.
 * clear: copies elements 0 to 101 of current into baseline; req is not read
 *   and may be NULL; no pointer is tested.
 * @{ */
STATSCL_API void statscl_pktflow_req_hton(void *dst, const void *src);
STATSCL_API void statscl_pktflow_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_pktflow_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_pktflow_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_pktflow_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_pktflow_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_pktflow_save_pss(void);
STATSCL_API int32_t statscl_pktflow_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                uint32_t arg3, uint32_t arg4, uint32_t arg5);
/** @} */

/** @name diag (type 2)
 * diag (type 2): no request; statistics 14178 bytes: a 16-bit head, sixteen
 * 16-bit and sixteen 32-bit values, sixteen blocks of eight 64-bit values
 * (the descriptive part, bytes 0 to 1121), then six arrays of 16 and six of
 * 16 x 16 64-bit counters.  No field above 16 bits is naturally aligned.
 *
 * req_hton, req_ntoh, clear: do nothing and touch no memory (NULL is fine).
 * stats_hton: every field at its own width.
 * stats_ntoh: the same, all or nothing: only when len is at least 14178.
 *
 * diff(newer, req, older) -- NOTE THE ARGUMENT ROLES.  Unlike every other
 *   kind, the FIRST record is the minuend and is only read, and the THIRD is
 *   overwritten: every counter of older becomes newer - older, and older's
 *   descriptive part becomes a copy of newer's.  A host that passes
 *   (baseline, req, current) as for the other kinds gets baseline - current
 *   with the baseline's descriptive part.  req is not read; no pointer is
 *   tested.
 * @{ */
STATSCL_API void statscl_diag_req_hton(void *dst, const void *src);
STATSCL_API void statscl_diag_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_diag_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_diag_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_diag_diff(const void *newer, const void *req, void *older);
STATSCL_API void statscl_diag_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_diag_save_pss(void);
STATSCL_API int32_t statscl_diag_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                             uint32_t arg3, uint32_t arg4, uint32_t arg5);
/** @} */

/** @name qos (type 3)
 * qos (type 3): request one 32-bit block_select; statistics 960 bytes: eight
 * blocks of eight 64-bit counters (bytes 0 to 511) and 56 tail values.
 *
 * stats_ntoh: all 120 values when len is at least 960, else nothing.
 * diff: returns when baseline or current is NULL (req may be NULL);
 *   all eight blocks of current -= baseline; the tail is never touched.
 * clear: returns when baseline, req or current is NULL; block_select 1
 *   copies blocks 0, 2, 4, 6 of current into baseline, 2 blocks 1, 3, 5, 7,
 *   3 all eight; any other value copies nothing.
 * @{ */
STATSCL_API void statscl_qos_req_hton(void *dst, const void *src);
STATSCL_API void statscl_qos_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_qos_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_qos_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_qos_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_qos_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_qos_save_pss(void);
STATSCL_API int32_t statscl_qos_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                            uint32_t arg3, uint32_t arg4, uint32_t arg5);
/** @} */

/** @name vl (type 4)
 * vl (type 4): request one 32-bit lane_mask; statistics 512 bytes: eight
 * blocks of eight lanes, lane i of block b at byte 64 * b + 8 * i.
 *
 * stats_ntoh: all 64 values when len is at least 512, else nothing.
 * diff: returns when baseline or current is NULL (req may be NULL); all 64
 *   counters of current -= baseline.
 * clear: returns when baseline, req or current is NULL; for each lane i from
 *   0 to 7 whose bit is set in lane_mask, copies lane i of every block from
 *   current into baseline.  Bits 8 to 31 are ignored.
 * @{ */
STATSCL_API void statscl_vl_req_hton(void *dst, const void *src);
STATSCL_API void statscl_vl_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_vl_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_vl_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_vl_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_vl_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_vl_save_pss(void);
STATSCL_API int32_t statscl_vl_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                           uint32_t arg3, uint32_t arg4, uint32_t arg5);
/** @} */

/** @name fabric_err (type 5)
 * fabric_err (type 5): no request; statistics 151 64-bit values (1208 bytes).
 *
 * req_hton, req_ntoh, diff, clear: do nothing and touch no memory.
 * stats_ntoh: all 151 values when len is at least 1208, else nothing.
 * @{ */
STATSCL_API void statscl_fabric_err_req_hton(void *dst, const void *src);
STATSCL_API void statscl_fabric_err_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_fabric_err_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_fabric_err_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_fabric_err_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_fabric_err_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_fabric_err_save_pss(void);
STATSCL_API int32_t statscl_fabric_err_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                   uint32_t arg3, uint32_t arg4, uint32_t arg5);
/** @} */

/** @name vl_rates (type 6) and vl_snmp (type 7)
 * vl_rates (type 6): request one 64-bit value; statistics four 64-bit values.
 * vl_snmp (type 7): request one 32-bit word; statistics 64 64-bit values.
 *
 * stats_ntoh of both: the whole 64-bit values that len covers, at most the
 *   record; the rest of dst is left as it is.
 * diff, clear: do nothing and touch no memory (these kinds keep no baseline).
 * @{ */
STATSCL_API void statscl_vl_rates_req_hton(void *dst, const void *src);
STATSCL_API void statscl_vl_rates_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_vl_rates_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_vl_rates_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_vl_rates_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_vl_rates_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_vl_rates_save_pss(void);
STATSCL_API int32_t statscl_vl_rates_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                 uint32_t arg3, uint32_t arg4, uint32_t arg5);

STATSCL_API void statscl_vl_snmp_req_hton(void *dst, const void *src);
STATSCL_API void statscl_vl_snmp_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_vl_snmp_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_vl_snmp_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_vl_snmp_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_vl_snmp_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_vl_snmp_save_pss(void);
STATSCL_API int32_t statscl_vl_snmp_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                uint32_t arg3, uint32_t arg4, uint32_t arg5);
/** @} */

/** @name storm_supp (type 8)
 * storm_supp (type 8): request three 32-bit words; statistics 12 bytes: a
 * 64-bit storm_counter at 0 and a 32-bit storm_value at 8.
 *
 * stats_ntoh: len is ignored; all 12 bytes are converted.
 * diff: returns when baseline or current is NULL (req may be NULL);
 *   storm_counter of current -= baseline's.  storm_value is never offset.
 * clear: returns when baseline, req or current is NULL (req's bytes are not
 *   read); copies storm_counter of current into baseline.
 * @{ */
STATSCL_API void statscl_storm_supp_req_hton(void *dst, const void *src);
STATSCL_API void statscl_storm_supp_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_storm_supp_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_storm_supp_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_storm_supp_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_storm_supp_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_storm_supp_save_pss(void);
STATSCL_API int32_t statscl_storm_supp_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                   uint32_t arg3, uint32_t arg4, uint32_t arg5);
/** @} */

/** @name eee, eee_snmp, phy and phy_snmp (types 9 to 12)
 * eee (type 9) and eee_snmp (type 10): no request; statistics four 64-bit
 * counters (32 bytes).  phy (type 11) and phy_snmp (type 12): no request;
 * statistics two 64-bit counters (16 bytes).
 *
 * req_hton, req_ntoh: do nothing and touch no memory.
 * stats_ntoh: len is ignored; the whole record is converted.
 * eee and phy diff: returns when baseline or current is NULL (req may be
 *   NULL); every counter of current -= baseline.
 * eee and phy clear: returns when baseline, req or current is NULL; copies
 *   every counter of current into baseline.
 * The _snmp kinds share the record but keep no baseline: their diff and
 *   clear do nothing and touch no memory.
 * @{ */
STATSCL_API void statscl_eee_req_hton(void *dst, const void *src);
STATSCL_API void statscl_eee_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_eee_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_eee_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_eee_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_eee_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_eee_save_pss(void);
STATSCL_API int32_t statscl_eee_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                            uint32_t arg3, uint32_t arg4, uint32_t arg5);

STATSCL_API void statscl_eee_snmp_req_hton(void *dst, const void *src);
STATSCL_API void statscl_eee_snmp_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_eee_snmp_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_eee_snmp_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_eee_snmp_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_eee_snmp_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_eee_snmp_save_pss(void);
STATSCL_API int32_t statscl_eee_snmp_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                 uint32_t arg3, uint32_t arg4, uint32_t arg5);

STATSCL_API void statscl_phy_req_hton(void *dst, const void *src);
STATSCL_API void statscl_phy_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_phy_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_phy_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_phy_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_phy_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_phy_save_pss(void);
STATSCL_API int32_t statscl_phy_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                            uint32_t arg3, uint32_t arg4, uint32_t arg5);

STATSCL_API void statscl_phy_snmp_req_hton(void *dst, const void *src);
STATSCL_API void statscl_phy_snmp_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_phy_snmp_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_phy_snmp_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_phy_snmp_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_phy_snmp_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_phy_snmp_save_pss(void);
STATSCL_API int32_t statscl_phy_snmp_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                 uint32_t arg3, uint32_t arg4, uint32_t arg5);
/** @} */

/** @name snmp_clear (type 13)
 * snmp_clear (type 13): request 24 bytes; statistics 524 bytes, of which only
 * the leading 32-bit word has a known layout.
 *
 * req_hton, req_ntoh: do nothing and touch no memory: the request's layout is
 *   not known, so its bytes are left as they are.
 * stats_hton, stats_ntoh: convert the leading 32-bit word and write nothing
 *   else: bytes 4 to 523 of dst are left as they are.  stats_ntoh ignores len.
 *   So statscl_stats_ntoh_checked() of a whole payload returns 524, the
 *   record size, while only dst's bytes 0 to 3 hold a converted value.
 * diff, clear: do nothing and touch no memory.
 * @{ */
STATSCL_API void statscl_snmp_clear_req_hton(void *dst, const void *src);
STATSCL_API void statscl_snmp_clear_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_snmp_clear_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_snmp_clear_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_snmp_clear_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_snmp_clear_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_snmp_clear_save_pss(void);
STATSCL_API int32_t statscl_snmp_clear_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                   uint32_t arg3, uint32_t arg4, uint32_t arg5);
/** @} */

/** @name fabric_path (type 14)
 * fabric_path (type 14): request 144 bytes: a 64-bit value, the 64-bit
 * path_mask at offset 8, then 32 32-bit words.  Statistics 2720 bytes of 340
 * 64-bit values: 4 head values, three arrays of 48 per-path counters (path i
 * of array k at 32 + 384 * (k - 1) + 8 * i), 192 tail values.
 *
 * stats_ntoh: the whole record when len is at least 2720, else nothing.
 * diff, clear: return when baseline, req or current is NULL.  path_mask is
 *   read once; bit i selects path i for i from 0 to 47 (bits 48 to 63 select
 *   nothing).  diff subtracts, clear copies, the selected paths' counters of
 *   all three arrays; the head and tail values are never touched.
 * @{ */
STATSCL_API void statscl_fabric_path_req_hton(void *dst, const void *src);
STATSCL_API void statscl_fabric_path_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_fabric_path_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_fabric_path_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_fabric_path_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_fabric_path_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_fabric_path_save_pss(void);
STATSCL_API int32_t statscl_fabric_path_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                    uint32_t arg3, uint32_t arg4, uint32_t arg5);
/** @} */

/** @name vq_drop (type 15)
 * vq_drop (type 15): request 20 bytes: three 32-bit words and a 64-bit value
 * at offset 12.  Statistics 16412 bytes: a 32-bit word, then 64-bit values
 * from offset 4 to the end (two arrays of 1024 between a head value and two
 * tail values), every one of them 4 bytes past a multiple of 8.
 *
 * stats_ntoh: len is ignored; the whole record is converted.
 * diff, clear: do nothing and touch no memory.
 * @{ */
STATSCL_API void statscl_vq_drop_req_hton(void *dst, const void *src);
STATSCL_API void statscl_vq_drop_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_vq_drop_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_vq_drop_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_vq_drop_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_vq_drop_clear(void *baseline, const void *req, const void *current);
STATSCL_API int32_t statscl_vq_drop_save_pss(void);
STATSCL_API int32_t statscl_vq_drop_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,
                                                uint32_t arg3, uint32_t arg4, uint32_t arg5);
/** @} */

/* ------------------------------------------------------------------------ */
/** @name Platform-dependent kinds
 * Platform-dependent kinds, reached by name only.  None has a request: every
 * req_hton and req_ntoh does nothing and touches no memory.  Each statistics
 * record is one array of 64-bit values; stats_hton converts all of it.
 *
 *   kind              values  stats_ntoh converts when
 *   kelm_fabric_err   151     always (len ignored)
 *   dorn_fabric_err   151     always (len ignored)
 *   vexa_mac_vl       64      len is at least 512 (only 512 bytes written)
 *   fcmac_avg_ctrs    5       len is exactly 40
 *   fcmac_if_ctrs     88      len is exactly 704
 *
 * The fcmac kinds' diff and clear do nothing and touch no memory; the other
 * kinds have no diff, clear, save_pss or restore_pss at all.
 * @{ */
STATSCL_API void statscl_kelm_fabric_err_req_hton(void *dst, const void *src);
STATSCL_API void statscl_kelm_fabric_err_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_kelm_fabric_err_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_kelm_fabric_err_stats_ntoh(void *dst, const void *src, uint32_t len);

STATSCL_API void statscl_dorn_fabric_err_req_hton(void *dst, const void *src);
STATSCL_API void statscl_dorn_fabric_err_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_dorn_fabric_err_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_dorn_fabric_err_stats_ntoh(void *dst, const void *src, uint32_t len);

STATSCL_API void statscl_vexa_mac_vl_req_hton(void *dst, const void *src);
STATSCL_API void statscl_vexa_mac_vl_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_vexa_mac_vl_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_vexa_mac_vl_stats_ntoh(void *dst, const void *src, uint32_t len);

STATSCL_API void statscl_fcmac_avg_ctrs_req_hton(void *dst, const void *src);
STATSCL_API void statscl_fcmac_avg_ctrs_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_fcmac_avg_ctrs_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_fcmac_avg_ctrs_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_fcmac_avg_ctrs_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_fcmac_avg_ctrs_clear(void *baseline, const void *req, const void *current);

STATSCL_API void statscl_fcmac_if_ctrs_req_hton(void *dst, const void *src);
STATSCL_API void statscl_fcmac_if_ctrs_req_ntoh(void *dst, const void *src);
STATSCL_API void statscl_fcmac_if_ctrs_stats_hton(void *dst, const void *src);
STATSCL_API void statscl_fcmac_if_ctrs_stats_ntoh(void *dst, const void *src, uint32_t len);
STATSCL_API void statscl_fcmac_if_ctrs_diff(const void *baseline, const void *req, void *current);
STATSCL_API void statscl_fcmac_if_ctrs_clear(void *baseline, const void *req, const void *current);
/** @} */

#ifdef __cplusplus
}
#endif

#endif /* STATSCL_CONVERT_H */
