// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// kinds.h - the one list of kinds of statistics.
//
// Each kind is described in its own file in types/ or platform/ (its
// records, len rule and baseline rules, as `<name>_kind`) and named once
// below.  The converter table, the catalogue (catalogue.h) and the generated
// field header all expand these lists.  Adding a kind: its file, its line
// here, its prototypes in include/statscl_convert.h (and a new type id there).
#pragma once

#include "../platform/pd_converters.h"
#include "../types/diag.h"
#include "../types/eee.h"
#include "../types/fabric_err.h"
#include "../types/fabric_path.h"
#include "../types/phy.h"
#include "../types/pktflow.h"
#include "../types/qos.h"
#include "../types/storm_supp.h"
#include "../types/vl.h"
#include "../types/vq_drop.h"

// X(type id, name): the rows 1 to 15 of statscl_pi_convert_tbl, in order.
#define STATSCL_PI_KINDS(X)                                                                        \
    X(1, pktflow)                                                                                  \
    X(2, diag)                                                                                     \
    X(3, qos)                                                                                      \
    X(4, vl)                                                                                       \
    X(5, fabric_err)                                                                               \
    X(6, vl_rates)                                                                                 \
    X(7, vl_snmp)                                                                                  \
    X(8, storm_supp)                                                                               \
    X(9, eee)                                                                                      \
    X(10, eee_snmp)                                                                                \
    X(11, phy)                                                                                     \
    X(12, phy_snmp)                                                                                \
    X(13, snmp_clear)                                                                              \
    X(14, fabric_path)                                                                             \
    X(15, vq_drop)

// X(name, diff, clear): the platform-dependent kinds, reached by name only;
// diff and clear are their exported functions where they have them.
#define STATSCL_PD_KINDS(X)                                                                        \
    X(kelm_fabric_err, nullptr, nullptr)                                                           \
    X(dorn_fabric_err, nullptr, nullptr)                                                           \
    X(vexa_mac_vl, nullptr, nullptr)                                                               \
    X(fcmac_avg_ctrs, statscl_fcmac_avg_ctrs_diff, statscl_fcmac_avg_ctrs_clear)                   \
    X(fcmac_if_ctrs, statscl_fcmac_if_ctrs_diff, statscl_fcmac_if_ctrs_clear)
