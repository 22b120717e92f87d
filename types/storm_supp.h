// storm_supp.h - storm-suppression records (type 8).
#pragma once

#include "../core/layout.h"

namespace statscl::internal {

inline constexpr field storm_supp_request[] = {
    {"request_word_0", 0, 4, 1},
    {"request_word_1", 4, 4, 1},
    {"request_word_2", 8, 4, 1},
};

inline constexpr field storm_supp_stats[] = {
    {"storm_counter", 0, 8, 1},
    {"storm_value", 8, 4, 1},
};

// What stats_ntoh converts: len is not examined.
inline constexpr len_rule storm_supp_stats_len = len_rule::ignored;

} // namespace statscl::internal
