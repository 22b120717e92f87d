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

/// One kind of statistics.
struct kind_info {
    uint32_t type; ///< type id; 0 for a platform-dependent kind
    const char *name;
    layout request; ///< empty: the kind has no request record
    layout stats;
    len_rule stats_len;
    bool diff_works;       ///< diff changes the current record
    bool clear_works;      ///< clear captures into the baseline
    bool pss_works;        ///< save_pss and restore_pss call the host's handlers
    bool diff_newer_first; ///< diff(newer, req, older) writes newer - older into older
    selector select_all;   ///< request field that widens clear and diff to every counter
    const statscl_convert_t *named_row = nullptr; ///< the converters of a kind without type id
};

inline kind_info info_of(uint32_t type, const char *name, const kind &k,
                         const statscl_convert_t *named_row = nullptr) {
    return {type,
            name,
            k.request,
            k.stats,
            k.stats_len,
            k.diff != no_diff,
            k.clear != no_clear,
            k.handlers,
            k.diff_newer_first,
            k.select_all,
            named_row};
}

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

// Not constexpr: comparing the rules with no_diff and no_clear is not a
// constant expression in builds with -fsanitize=undefined.
inline const kind_info catalogue[] = {
#define STATSCL_PI_INFO(type, name) info_of(type, #name, name##_kind),
#define STATSCL_PD_INFO(name, diff, clear) info_of(0, #name, name##_kind, &name##_row),
    STATSCL_PI_KINDS(STATSCL_PI_INFO) STATSCL_PD_KINDS(STATSCL_PD_INFO)
#undef STATSCL_PI_INFO
#undef STATSCL_PD_INFO
};

} // namespace statscl::internal
