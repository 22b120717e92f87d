// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// pd_converters.cpp - converters of the platform-dependent kinds, exported by
// name and listed in no table row.  The fcmac kinds also have a diff and a
// clear, which do nothing.
#include "pd_converters.h"

#include "../internal/operations.h"
#include "statscl_convert.h"

extern "C" {
STATSCL_CONVERSIONS(kelm_fabric_err)
STATSCL_CONVERSIONS(dorn_fabric_err)
STATSCL_CONVERSIONS(vexa_mac_vl)
STATSCL_CONVERSIONS(fcmac_avg_ctrs)
STATSCL_BASELINE_OPERATIONS(fcmac_avg_ctrs)
STATSCL_CONVERSIONS(fcmac_if_ctrs)
STATSCL_BASELINE_OPERATIONS(fcmac_if_ctrs)
}
