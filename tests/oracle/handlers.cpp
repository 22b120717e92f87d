// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// handlers.cpp - the host's save and restore handlers of the nine kinds that
// have them; each records its call with its arguments as received.  No
// extern "C" here: the public header's declarations give the definitions C
// linkage, and a misspelt declaration leaves a mangled name that the
// dispatch cannot find.  Each declaration has its slot's type, which the
// library holds to the type it calls handlers by.
#include "oracle.h"

#include <type_traits>

using namespace statscl::oracle;

#define STATSCL_HANDLERS(kind)                                                                     \
    static_assert(                                                                                 \
        std::is_same_v<decltype(&statscl_##kind##_save_pss_hdlr), statscl_save_pss_fn> &&          \
        std::is_same_v<decltype(&statscl_##kind##_restore_pss_hdlr), statscl_restore_pss_fn>);     \
    int32_t statscl_##kind##_save_pss_hdlr() {                                                     \
        events().push_back("call statscl_" #kind "_save_pss_hdlr");                                \
        return save_result;                                                                        \
    }                                                                                              \
    int32_t statscl_##kind##_restore_pss_hdlr(uint64_t a0, uint32_t a1, uint32_t a2, uint32_t a3,  \
                                              uint32_t a4, uint32_t a5) {                          \
        events().push_back(                                                                        \
            handler_call("statscl_" #kind "_restore_pss_hdlr", a0, a1, a2, a3, a4, a5));           \
        return restore_result;                                                                     \
    }

STATSCL_HANDLERS(pktflow)
STATSCL_HANDLERS(diag)
STATSCL_HANDLERS(qos)
STATSCL_HANDLERS(vl)
STATSCL_HANDLERS(fabric_err)
STATSCL_HANDLERS(vl_rates)
STATSCL_HANDLERS(vl_snmp)
STATSCL_HANDLERS(eee)
STATSCL_HANDLERS(phy)
