// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// vl.cpp - the virtual-lane operations: vl, vl_rates and vl_snmp.
#include "vl.h"

#include "../internal/operations.h"
#include "statscl_convert.h"

extern "C" {
STATSCL_OPERATIONS(vl)
STATSCL_OPERATIONS(vl_rates)
STATSCL_OPERATIONS(vl_snmp)
}
