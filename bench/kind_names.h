// kind_names.h - the name of each type id, as in the exported function names,
// taken from the library's catalogue of kinds.
#pragma once

#include <cstdint>

#include "../tools/catalogue.h"

/// The name of type id `type` (1 to 15): the catalogue lists them in order.
inline const char *kind_name(uint32_t type) { return statscl::internal::catalogue[type - 1].name; }
