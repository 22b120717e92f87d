// kind_names.h - the name of each type id, as in the exported function names,
// from the library's list of kinds.
#pragma once

#include <cstdint>

#include "../core/kinds.h"

/// The name of type id `type` (1 to 15).
inline const char *kind_name(uint32_t type) {
    static constexpr const char *names[] = {
        nullptr,
#define STATSCL_KIND_NAME(type, name) #name,
        STATSCL_PI_KINDS(STATSCL_KIND_NAME)
#undef STATSCL_KIND_NAME
    };
    return names[type];
}
