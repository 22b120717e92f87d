// Save and restore dispatch: handlers found by name in the host process,
// every step logged, results and arguments passed through bit for bit.
#include "statscl_convert.h"

#include "dispatch.h"
#include "expect.h"
#include "host.h"

namespace statscl::test {
namespace {

using internal::statscl_invoke_restore_pss_hdlr;
using internal::statscl_invoke_save_pss_hdlr;

class dispatch : public ::testing::Test {
  protected:
    void SetUp() override { reset_events(); }
};

TEST_F(dispatch, null_name_is_logged_with_flag_1_and_returns_app_logs_result) {
    set_app_log_result(-17);
    EXPECT_EQ(statscl_invoke_save_pss_hdlr(nullptr), -17);
    EXPECT_EQ(statscl_invoke_restore_pss_hdlr(nullptr, 1, 2, 3, 4, 5, 6), -17);
    ASSERT_EQ(events().logs.size(), 2U);
    EXPECT_EQ(events().logs[0].flag, 1);
    EXPECT_EQ(events().logs[0].text, "statscl_invoke_save_pss_hdlr: NULL symbol\n");
    EXPECT_EQ(events().logs[1].flag, 1);
    EXPECT_EQ(events().logs[1].text, "statscl_invoke_restore_pss_hdlr: NULL symbol\n");
    EXPECT_TRUE(events().calls.empty());
}

TEST_F(dispatch, missing_handler_is_logged_with_flag_0_and_nothing_is_called) {
    set_app_log_result(42);
    EXPECT_EQ(statscl_invoke_save_pss_hdlr("statscl_nowhere_save_pss_hdlr"), 42);
    EXPECT_EQ(statscl_invoke_restore_pss_hdlr("statscl_nowhere_restore_pss_hdlr", 1, 2, 3, 4, 5, 6),
              42);
    ASSERT_EQ(events().logs.size(), 2U);
    EXPECT_EQ(events().logs[0].flag, 0);
    EXPECT_EQ(events().logs[0].text,
              "statscl_invoke_save_pss_hdlr: symbol statscl_nowhere_save_pss_hdlr not found\n");
    EXPECT_EQ(
        events().logs[1].text,
        "statscl_invoke_restore_pss_hdlr: symbol statscl_nowhere_restore_pss_hdlr not found\n");
    EXPECT_TRUE(events().calls.empty());
}

// The log line is bounded by the 1024-byte buffer, terminator included.
TEST_F(dispatch, long_names_are_cut_at_the_buffer_bound) {
    const std::string name(2000, 'x');
    statscl_invoke_save_pss_hdlr(name.c_str());
    ASSERT_EQ(events().logs.size(), 1U);
    EXPECT_EQ(events().logs[0].text.size(), 1023U);
    EXPECT_EQ(events().logs[0].text.rfind("statscl_invoke_save_pss_hdlr: symbol xxx", 0), 0U);
}

// The nine kinds with handlers: "Invoking" is logged before the handler
// runs, the handler's result comes back unchanged (not app_log's), and
// restore's six arguments arrive in order, the 64-bit one whole.
struct kind_handlers {
    const char *kind;
    statscl_save_pss_fn save;
    statscl_restore_pss_fn restore;
};
const kind_handlers with_handlers[] = {
    {"pktflow", statscl_pktflow_save_pss, statscl_pktflow_restore_pss},
    {"diag", statscl_diag_save_pss, statscl_diag_restore_pss},
    {"qos", statscl_qos_save_pss, statscl_qos_restore_pss},
    {"vl", statscl_vl_save_pss, statscl_vl_restore_pss},
    {"fabric_err", statscl_fabric_err_save_pss, statscl_fabric_err_restore_pss},
    {"vl_rates", statscl_vl_rates_save_pss, statscl_vl_rates_restore_pss},
    {"vl_snmp", statscl_vl_snmp_save_pss, statscl_vl_snmp_restore_pss},
    {"eee", statscl_eee_save_pss, statscl_eee_restore_pss},
    {"phy", statscl_phy_save_pss, statscl_phy_restore_pss},
};

TEST_F(dispatch, each_kinds_save_reaches_its_own_handler) {
    for (const kind_handlers &k : with_handlers) {
        reset_events();
        set_app_log_result(-1);
        const std::string handler = std::string("statscl_") + k.kind + "_save_pss_hdlr";
        EXPECT_EQ(k.save(), handler_result) << k.kind;
        ASSERT_EQ(events().logs.size(), 1U);
        EXPECT_EQ(events().logs[0].flag, 0);
        EXPECT_EQ(events().logs[0].text,
                  "statscl_invoke_save_pss_hdlr: Invoking " + handler + "\n");
        ASSERT_EQ(events().calls.size(), 1U);
        EXPECT_EQ(events().calls[0].name, handler);
        EXPECT_EQ(events().order, (std::vector<std::string>{"log", "call"}));
    }
}

TEST_F(dispatch, each_kinds_restore_passes_six_arguments_bit_for_bit) {
    const uint64_t a0 = 0x8000000100000002ULL; // both halves matter
    const uint32_t a[5] = {0xFFFFFFFFU, 0x80000000U, 3, 0x01020304U, 0xFEDCBA98U};
    for (const kind_handlers &k : with_handlers) {
        reset_events();
        const std::string handler = std::string("statscl_") + k.kind + "_restore_pss_hdlr";
        EXPECT_EQ(k.restore(a0, a[0], a[1], a[2], a[3], a[4]),
                  static_cast<int32_t>(handler_result + a[0] + a[4]))
            << k.kind;
        ASSERT_EQ(events().logs.size(), 1U);
        EXPECT_EQ(events().logs[0].text,
                  "statscl_invoke_restore_pss_hdlr: Invoking " + handler + "\n");
        ASSERT_EQ(events().calls.size(), 1U);
        const handler_call &c = events().calls[0];
        EXPECT_EQ(c.name, handler);
        EXPECT_EQ(c.arg0, a0);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(c.args[i], a[i]) << k.kind << " argument " << i + 1;
        EXPECT_EQ(events().order, (std::vector<std::string>{"log", "call"}));
    }
}

// The kinds without handlers look nothing up and log nothing.
TEST_F(dispatch, kinds_without_handlers_stay_silent) {
    const statscl_save_pss_fn saves[] = {statscl_storm_supp_save_pss,  statscl_eee_snmp_save_pss,
                                         statscl_phy_snmp_save_pss,    statscl_snmp_clear_save_pss,
                                         statscl_fabric_path_save_pss, statscl_vq_drop_save_pss};
    const statscl_restore_pss_fn restores[] = {
        statscl_storm_supp_restore_pss,  statscl_eee_snmp_restore_pss,
        statscl_phy_snmp_restore_pss,    statscl_snmp_clear_restore_pss,
        statscl_fabric_path_restore_pss, statscl_vq_drop_restore_pss};
    for (const auto save : saves)
        EXPECT_EQ(save(), 0);
    for (const auto restore : restores)
        EXPECT_EQ(restore(1, 2, 3, 4, 5, 6), 0);
    EXPECT_TRUE(events().logs.empty());
    EXPECT_TRUE(events().calls.empty());
}

} // namespace
} // namespace statscl::test
