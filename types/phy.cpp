// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// phy.cpp - the PHY operations: phy and phy_snmp.
#include "phy.h"

#include "../internal/operations.h"
#include "statscl_convert.h"

extern "C" {
STATSCL_OPERATIONS(phy)
STATSCL_OPERATIONS(phy_snmp)
}
