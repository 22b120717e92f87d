// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// dispatch.h - routes save_pss and restore_pss to the host's handlers.
//
// Internal: the exported save_pss and restore_pss operations call these with
// their constant handler names.  Each call looks the handler up anew in the
// whole process and logs through the platform's app_log.
#pragma once

#include <cstdint>

namespace statscl::internal {

/// Calls the host's save handler `name` and returns its result; when `name`
/// is null or not found, logs so and returns app_log's result.
int32_t statscl_invoke_save_pss_hdlr(const char *name);

/// The same for a restore handler, which receives arg0 to arg5 unchanged.
int32_t statscl_invoke_restore_pss_hdlr(const char *name, uint64_t arg0, uint32_t arg1,
                                        uint32_t arg2, uint32_t arg3, uint32_t arg4, uint32_t arg5);

} // namespace statscl::internal
