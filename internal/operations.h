// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// operations.h - a kind's exported operations, derived from its `kind`.
//
// A kind's source defines its operations with one line (inside extern "C"):
// STATSCL_OPERATIONS(qos) defines the eight operations of a table row from
// qos_kind, STATSCL_CONVERSIONS(name) only the four conversions and
// STATSCL_BASELINE_OPERATIONS(name) only diff and clear.  The handler names
// that save_pss and restore_pss look up are spelt from the kind's name.
#pragma once

#include <cstdint>

#include "dispatch.h"
#include "layout.h"

namespace statscl::internal {

template <const kind &K> inline int32_t save_pss(const char *handler) {
    if constexpr (K.handlers)
        return statscl_invoke_save_pss_hdlr(handler);
    else
        return 0;
}

template <const kind &K>
inline int32_t restore_pss(const char *handler, uint64_t arg0, uint32_t arg1, uint32_t arg2,
                           uint32_t arg3, uint32_t arg4, uint32_t arg5) {
    if constexpr (K.handlers)
        return statscl_invoke_restore_pss_hdlr(handler, arg0, arg1, arg2, arg3, arg4, arg5);
    else
        return 0;
}

} // namespace statscl::internal

// clang-format off
#define STATSCL_CONVERSIONS(name)                                                                  \
    void statscl_##name##_req_hton(void *dst, const void *src) {                                   \
        statscl::internal::convert<statscl::internal::name##_kind, &statscl::internal::kind::request>(dst, src);     \
    }                                                                                              \
    void statscl_##name##_req_ntoh(void *dst, const void *src) {                                   \
        statscl::internal::convert<statscl::internal::name##_kind, &statscl::internal::kind::request>(dst, src);     \
    }                                                                                              \
    void statscl_##name##_stats_hton(void *dst, const void *src) {                                 \
        statscl::internal::convert_sent<statscl::internal::name##_kind>(dst, src);                                    \
    }                                                                                              \
    void statscl_##name##_stats_ntoh(void *dst, const void *src, uint32_t len) {                   \
        statscl::internal::convert_received<statscl::internal::name##_kind>(dst, src, len);                           \
    }

#define STATSCL_BASELINE_OPERATIONS(name)                                                          \
    void statscl_##name##_diff(const void *baseline, const void *req, void *current) {             \
        statscl::internal::name##_kind.diff(baseline, req, current);                                                   \
    }                                                                                              \
    void statscl_##name##_clear(void *baseline, const void *req, const void *current) {            \
        statscl::internal::name##_kind.clear(baseline, req, current);                                                  \
    }

#define STATSCL_OPERATIONS(name)                                                                   \
    STATSCL_CONVERSIONS(name)                                                                      \
    STATSCL_BASELINE_OPERATIONS(name)                                                              \
    int32_t statscl_##name##_save_pss(void) {                                                      \
        return statscl::internal::save_pss<statscl::internal::name##_kind>("statscl_" #name "_save_pss_hdlr");        \
    }                                                                                              \
    int32_t statscl_##name##_restore_pss(uint64_t arg0, uint32_t arg1, uint32_t arg2,              \
                                         uint32_t arg3, uint32_t arg4, uint32_t arg5) {            \
        return statscl::internal::restore_pss<statscl::internal::name##_kind>("statscl_" #name "_restore_pss_hdlr",  \
                                                           arg0, arg1, arg2, arg3, arg4, arg5);    \
    }
// clang-format on
