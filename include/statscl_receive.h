/* SPDX-FileCopyrightText: 2026 The statscl_convert authors */
/* SPDX-License-Identifier: MIT */
/** @file
 * statscl_receive.h - receiving a statistics payload without reading past it.
 *
 * Each kind's stats_ntoh treats len by its own rule, and several read a whole
 * record whatever len says: the table kinds storm_supp, eee, eee_snmp, phy,
 * phy_snmp, snmp_clear and vq_drop, and the platform-dependent kinds
 * kelm_fabric_err and dorn_fabric_err.  Given a payload shorter than the
 * record, those read past its end.  The functions here never read a byte at
 * or beyond src + len, whatever the kind, and tell how much they converted:
 *  - len at least the record size (for fcmac_avg_ctrs and fcmac_if_ctrs,
 *    exactly the record size): the kind's stats_ntoh converts the payload;
 *    the result is the record size.
 *  - Shorter, for pktflow, vl_rates and vl_snmp, whose records are 64-bit
 *    values only: the whole values that len covers are converted; the result
 *    is 8 * (len / 8), and bytes of dst from there on are left as they are.
 *  - Otherwise nothing is read or written, and the result is 0.
 * So the result is how far into dst the conversion reached; 0 means dst was
 * left as it was.  Before the result, dst holds converted, host-order values
 * in every field of known layout.  Bytes of no known layout (the fields of
 * width 1 in statscl_records.h) are never written: snmp_clear's record is
 * 524 bytes of which only the leading 32-bit word is known, so its checked
 * receive returns 524 while bytes 4 to 523 of dst are left as they were.
 * Every other table kind's record, and those of the kinds reached by name,
 * are known throughout.
 *
 * They are inline functions of this header over the library's exported
 * ones, and need nothing more at link time.
 */
#ifndef STATSCL_RECEIVE_H
#define STATSCL_RECEIVE_H

#include "statscl_convert.h"
#include "statscl_records.h"

/* Compared with the exported converters, which a row of the table or a copy
 * of one holds, so that recognising them reads nothing of the table. */
static inline int statscl_converts_whole_values_(statscl_stats_ntoh_fn convert) {
    return convert == statscl_pktflow_stats_ntoh || convert == statscl_vl_rates_stats_ntoh ||
           convert == statscl_vl_snmp_stats_ntoh;
}

/** Converts a received statistics payload of len bytes at src into dst with
 * the stats_ntoh of row (a row of statscl_pi_convert_tbl or a copy of one),
 * reading nothing past len.  Returns the record size, 8 * (len / 8) for
 * pktflow, vl_rates and vl_snmp when len is shorter, or 0 when it converts
 * nothing: for a shorter len of any other kind, a null row or a row without
 * stats_ntoh.  The bytes of dst before the result hold converted values,
 * except snmp_clear's bytes 4 to 523, which no conversion writes: for
 * snmp_clear it returns 524 and leaves them as they were.  dst may equal
 * src. */
static inline uint32_t statscl_stats_ntoh_checked(const statscl_convert_t *row, void *dst,
                                                  const void *src, uint32_t len) {
    if (!row || !row->stats_ntoh)
        return 0;
    if (len >= row->stats_len) {
        row->stats_ntoh(dst, src, len);
        return row->stats_len;
    }
    if (len < 8 || !statscl_converts_whole_values_(row->stats_ntoh))
        return 0;
    row->stats_ntoh(dst, src, len);
    return len / 8 * 8;
}

/** @name Checked receive of the platform-dependent kinds
 * Each converts with the kind's stats_ntoh when len is at least the record
 * size (the fcmac kinds: exactly the record size) and returns that size;
 * otherwise it reads and writes nothing and returns 0.
 * @{ */
static inline uint32_t statscl_kelm_fabric_err_stats_ntoh_checked(void *dst, const void *src,
                                                                  uint32_t len) {
    if (len < STATSCL_KELM_FABRIC_ERR_STATS_SIZE)
        return 0;
    statscl_kelm_fabric_err_stats_ntoh(dst, src, len);
    return STATSCL_KELM_FABRIC_ERR_STATS_SIZE;
}

static inline uint32_t statscl_dorn_fabric_err_stats_ntoh_checked(void *dst, const void *src,
                                                                  uint32_t len) {
    if (len < STATSCL_DORN_FABRIC_ERR_STATS_SIZE)
        return 0;
    statscl_dorn_fabric_err_stats_ntoh(dst, src, len);
    return STATSCL_DORN_FABRIC_ERR_STATS_SIZE;
}

static inline uint32_t statscl_vexa_mac_vl_stats_ntoh_checked(void *dst, const void *src,
                                                              uint32_t len) {
    if (len < STATSCL_VEXA_MAC_VL_STATS_SIZE)
        return 0;
    statscl_vexa_mac_vl_stats_ntoh(dst, src, len);
    return STATSCL_VEXA_MAC_VL_STATS_SIZE;
}

static inline uint32_t statscl_fcmac_avg_ctrs_stats_ntoh_checked(void *dst, const void *src,
                                                                 uint32_t len) {
    if (len != STATSCL_FCMAC_AVG_CTRS_STATS_SIZE)
        return 0;
    statscl_fcmac_avg_ctrs_stats_ntoh(dst, src, len);
    return STATSCL_FCMAC_AVG_CTRS_STATS_SIZE;
}

static inline uint32_t statscl_fcmac_if_ctrs_stats_ntoh_checked(void *dst, const void *src,
                                                                uint32_t len) {
    if (len != STATSCL_FCMAC_IF_CTRS_STATS_SIZE)
        return 0;
    statscl_fcmac_if_ctrs_stats_ntoh(dst, src, len);
    return STATSCL_FCMAC_IF_CTRS_STATS_SIZE;
}
/** @} */

#endif /* STATSCL_RECEIVE_H */
