// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// qos.cpp - the QoS operations.
#include "qos.h"

#include "../internal/operations.h"
#include "statscl_convert.h"

extern "C" {
STATSCL_OPERATIONS(qos)
}
