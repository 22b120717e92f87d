// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// eee.cpp - the Energy-Efficient-Ethernet operations: eee and eee_snmp.
#include "eee.h"

#include "../internal/operations.h"
#include "statscl_convert.h"

extern "C" {
STATSCL_OPERATIONS(eee)
STATSCL_OPERATIONS(eee_snmp)
}
