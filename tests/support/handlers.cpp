// handlers.cpp - the host's save and restore handlers of the nine kinds.
// Each records its call; save returns handler_result, restore a value that
// depends on every argument.
#include "host.h"

using namespace statscl::test;

namespace {

int32_t save(const char *name) {
    events().calls.push_back({name});
    events().order.emplace_back("call");
    return handler_result;
}

int32_t restore(const char *name, uint64_t a0, uint32_t a1, uint32_t a2, uint32_t a3, uint32_t a4,
                uint32_t a5) {
    events().calls.push_back({name, a0, {a1, a2, a3, a4, a5}});
    events().order.emplace_back("call");
    return static_cast<int32_t>(handler_result + a1 + a5);
}

} // namespace

extern "C" {

int32_t statscl_pktflow_save_pss_hdlr() { return save("statscl_pktflow_save_pss_hdlr"); }
int32_t statscl_diag_save_pss_hdlr() { return save("statscl_diag_save_pss_hdlr"); }
int32_t statscl_qos_save_pss_hdlr() { return save("statscl_qos_save_pss_hdlr"); }
int32_t statscl_vl_save_pss_hdlr() { return save("statscl_vl_save_pss_hdlr"); }
int32_t statscl_fabric_err_save_pss_hdlr() { return save("statscl_fabric_err_save_pss_hdlr"); }
int32_t statscl_vl_rates_save_pss_hdlr() { return save("statscl_vl_rates_save_pss_hdlr"); }
int32_t statscl_vl_snmp_save_pss_hdlr() { return save("statscl_vl_snmp_save_pss_hdlr"); }
int32_t statscl_eee_save_pss_hdlr() { return save("statscl_eee_save_pss_hdlr"); }
int32_t statscl_phy_save_pss_hdlr() { return save("statscl_phy_save_pss_hdlr"); }

int32_t statscl_pktflow_restore_pss_hdlr(uint64_t a0, uint32_t a1, uint32_t a2, uint32_t a3,
                                         uint32_t a4, uint32_t a5) {
    return restore("statscl_pktflow_restore_pss_hdlr", a0, a1, a2, a3, a4, a5);
}
int32_t statscl_diag_restore_pss_hdlr(uint64_t a0, uint32_t a1, uint32_t a2, uint32_t a3,
                                      uint32_t a4, uint32_t a5) {
    return restore("statscl_diag_restore_pss_hdlr", a0, a1, a2, a3, a4, a5);
}
int32_t statscl_qos_restore_pss_hdlr(uint64_t a0, uint32_t a1, uint32_t a2, uint32_t a3,
                                     uint32_t a4, uint32_t a5) {
    return restore("statscl_qos_restore_pss_hdlr", a0, a1, a2, a3, a4, a5);
}
int32_t statscl_vl_restore_pss_hdlr(uint64_t a0, uint32_t a1, uint32_t a2, uint32_t a3, uint32_t a4,
                                    uint32_t a5) {
    return restore("statscl_vl_restore_pss_hdlr", a0, a1, a2, a3, a4, a5);
}
int32_t statscl_fabric_err_restore_pss_hdlr(uint64_t a0, uint32_t a1, uint32_t a2, uint32_t a3,
                                            uint32_t a4, uint32_t a5) {
    return restore("statscl_fabric_err_restore_pss_hdlr", a0, a1, a2, a3, a4, a5);
}
int32_t statscl_vl_rates_restore_pss_hdlr(uint64_t a0, uint32_t a1, uint32_t a2, uint32_t a3,
                                          uint32_t a4, uint32_t a5) {
    return restore("statscl_vl_rates_restore_pss_hdlr", a0, a1, a2, a3, a4, a5);
}
int32_t statscl_vl_snmp_restore_pss_hdlr(uint64_t a0, uint32_t a1, uint32_t a2, uint32_t a3,
                                         uint32_t a4, uint32_t a5) {
    return restore("statscl_vl_snmp_restore_pss_hdlr", a0, a1, a2, a3, a4, a5);
}
int32_t statscl_eee_restore_pss_hdlr(uint64_t a0, uint32_t a1, uint32_t a2, uint32_t a3,
                                     uint32_t a4, uint32_t a5) {
    return restore("statscl_eee_restore_pss_hdlr", a0, a1, a2, a3, a4, a5);
}
int32_t statscl_phy_restore_pss_hdlr(uint64_t a0, uint32_t a1, uint32_t a2, uint32_t a3,
                                     uint32_t a4, uint32_t a5) {
    return restore("statscl_phy_restore_pss_hdlr", a0, a1, a2, a3, a4, a5);
}

} // extern "C"
