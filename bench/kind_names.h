// kind_names.h - the name of each type id, as in the exported function names.
#pragma once

#include <cstdint>

inline const char *kind_name(uint32_t type) {
    static const char *const names[] = {"",           "pktflow",    "diag",        "qos",
                                        "vl",         "fabric_err", "vl_rates",    "vl_snmp",
                                        "storm_supp", "eee",        "eee_snmp",    "phy",
                                        "phy_snmp",   "snmp_clear", "fabric_path", "vq_drop"};
    return type < sizeof names / sizeof names[0] ? names[type] : "";
}
