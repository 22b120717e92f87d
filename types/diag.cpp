// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// diag.cpp - the diagnostic operations.
#include "diag.h"

#include "../internal/operations.h"
#include "statscl_convert.h"

extern "C" {
STATSCL_OPERATIONS(diag)
}
