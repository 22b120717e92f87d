// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// table.cpp - the converter tables, built from the list of kinds, and the
// lookup by type id.
#include "statscl_convert.h"

#include "host_symbols.h"
#include "kinds.h"

#include <string_view>
#include <type_traits>

namespace {

using statscl::internal::size_of;

constexpr uint32_t listed_types[] = {
#define STATSCL_TYPE_ID(type, name) type,
    STATSCL_PI_KINDS(STATSCL_TYPE_ID)
#undef STATSCL_TYPE_ID
};

constexpr bool listed_in_order() {
    uint32_t next = 1;
    for (const uint32_t type : listed_types)
        if (type != next++)
            return false;
    return next == STATSCL_PI_ROWS;
}
static_assert(listed_in_order(), "the list names type ids 1 to 15 once each, in order");

// statscl_receive.h converts a short payload only for pktflow, vl_rates and
// vl_snmp, which it recognises by their stats_ntoh, and for every other table
// kind takes len >= size as a whole conversion: another whole-values kind, or
// an exact-length kind in the table, would need a rule of its own there.
constexpr bool receive_converts_whole_values(std::string_view name) {
    return name == "pktflow" || name == "vl_rates" || name == "vl_snmp";
}
#define STATSCL_RECEIVE_FACTS(type, name)                                                          \
    static_assert((statscl::internal::name##_kind.stats_len ==                                     \
                   statscl::internal::len_rule::whole_values) ==                                   \
                      receive_converts_whole_values(#name),                                        \
                  "statscl_receive.h names the whole-values kinds: " #name);                       \
    static_assert(statscl::internal::name##_kind.stats_len != statscl::internal::len_rule::exact,   \
                  "statscl_receive.h has no exact-length table kind: " #name);
STATSCL_PI_KINDS(STATSCL_RECEIVE_FACTS)
#undef STATSCL_RECEIVE_FACTS

// save_pss and restore_pss pass their arguments to the kind's handler and
// return its result: each slot has the type of the handler it calls.
#define STATSCL_SLOT_IS_HANDLER(slot, type)                                                        \
    static_assert(std::is_same_v<std::remove_pointer_t<statscl_##slot##_fn>, type>,                \
                  "a row's " #slot " has its handler's type, as host_symbols.h lists it");
STATSCL_HANDLER_SLOTS(STATSCL_SLOT_IS_HANDLER)
#undef STATSCL_SLOT_IS_HANDLER

} // namespace

extern "C" {

// constexpr: the table is built by the compiler, and loading the library runs
// no code for it.
// clang-format off
constexpr statscl_convert_t statscl_pi_convert_tbl[STATSCL_PI_ROWS] = {
    {},
#define STATSCL_ROW(type, name)                                                                    \
    {size_of(statscl::internal::name##_kind.request),                                              \
     size_of(statscl::internal::name##_kind.stats),                                                \
     0,                                                                                            \
     statscl_##name##_req_hton,                                                                    \
     statscl_##name##_req_ntoh,                                                                    \
     statscl_##name##_stats_hton,                                                                  \
     statscl_##name##_stats_ntoh,                                                                  \
     statscl_##name##_diff,                                                                        \
     statscl_##name##_clear,                                                                       \
     statscl_##name##_save_pss,                                                                    \
     statscl_##name##_restore_pss},
    STATSCL_PI_KINDS(STATSCL_ROW)
#undef STATSCL_ROW
};
// clang-format on

const statscl_convert_t statscl_pd_convert_tbl[1] = {};

const statscl_convert_t *statscl_get_convert_tbl(uint32_t type) {
    if (type >= STATSCL_PI_ROWS)
        return nullptr;
    const statscl_convert_t *row = &statscl_pi_convert_tbl[type];
    return row->req_hton != nullptr ? row : nullptr;
}

} // extern "C"
