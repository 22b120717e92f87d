// catalogue.h - every kind once, for programs that present records to people
// (the statscl tool): type id, name, its description, and the converter row
// its records go through.  Expanded from the library's one list of kinds.
//
// The platform-dependent kinds have no type id; their rows are assembled
// here from the converters exported by name.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "../core/kinds.h"
#include "statscl_convert.h"

namespace statscl::internal {

using layout = record;

/// One kind of statistics: its description, type id (0 for a
/// platform-dependent kind) and name, and for a kind without type id the row
/// assembled from its converters.
struct kind_info : kind {
    uint32_t type;
    const char *name;
    const statscl_convert_t *named_row = nullptr;
};

/// diff changes the current record; clear captures into the baseline.
inline bool diff_works(const kind &k) { return k.diff != no_diff; }
inline bool clear_works(const kind &k) { return k.clear != no_clear; }

// Rows of the platform-dependent kinds, from the converters exported by name.
#define STATSCL_NAMED_ROW(name, diff, clear)                                                       \
    inline constexpr statscl_convert_t name##_row = {0,                                            \
                                                     size_of(name##_kind.stats),                   \
                                                     0,                                            \
                                                     statscl_##name##_req_hton,                    \
                                                     statscl_##name##_req_ntoh,                    \
                                                     statscl_##name##_stats_hton,                  \
                                                     statscl_##name##_stats_ntoh,                  \
                                                     diff,                                         \
                                                     clear,                                        \
                                                     nullptr,                                      \
                                                     nullptr};
STATSCL_PD_KINDS(STATSCL_NAMED_ROW)
#undef STATSCL_NAMED_ROW

inline constexpr kind_info catalogue[] = {
#define STATSCL_PI_INFO(type, name) {name##_kind, type, #name},
#define STATSCL_PD_INFO(name, diff, clear) {name##_kind, 0, #name, &name##_row},
    STATSCL_PI_KINDS(STATSCL_PI_INFO) STATSCL_PD_KINDS(STATSCL_PD_INFO)
#undef STATSCL_PI_INFO
#undef STATSCL_PD_INFO
};

} // namespace statscl::internal
