// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// fabric_err.cpp - the fabric-error and SNMP-clear operations.
#include "fabric_err.h"

#include "../internal/operations.h"
#include "statscl_convert.h"

extern "C" {
STATSCL_OPERATIONS(fabric_err)
STATSCL_OPERATIONS(snmp_clear)
}
