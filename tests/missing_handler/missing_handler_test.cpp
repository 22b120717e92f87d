// A host that exports no handler: every kind's save and restore, reached
// through its row, logs the not-found line naming its own handler, calls
// nothing, and returns app_log's result.
#include "statscl_convert.h"

#include <gtest/gtest.h>

#include "host.h"

namespace statscl::test {
namespace {

TEST(missing_handler, every_kind_logs_not_found_and_returns_app_logs_result) {
    const struct {
        uint32_t type;
        std::string kind;
    } kinds[] = {{1, "pktflow"},  {2, "diag"},    {3, "qos"}, {4, "vl"},  {5, "fabric_err"},
                 {6, "vl_rates"}, {7, "vl_snmp"}, {9, "eee"}, {11, "phy"}};
    for (const auto &k : kinds) {
        const statscl_convert_t &row = *statscl_get_convert_tbl(k.type);
        reset_events();
        set_app_log_result(1234);
        EXPECT_EQ(row.save_pss(), 1234);
        EXPECT_EQ(row.restore_pss(1, 2, 3, 4, 5, 6), 1234);
        ASSERT_EQ(events().logs.size(), 2U) << k.kind;
        EXPECT_EQ(events().logs[0].flag, 0);
        EXPECT_EQ(events().logs[0].text, "statscl_invoke_save_pss_hdlr: symbol statscl_" + k.kind +
                                             "_save_pss_hdlr not found\n");
        EXPECT_EQ(events().logs[1].flag, 0);
        EXPECT_EQ(events().logs[1].text, "statscl_invoke_restore_pss_hdlr: symbol statscl_" +
                                             k.kind + "_restore_pss_hdlr not found\n");
        EXPECT_TRUE(events().calls.empty());
    }
}

} // namespace
} // namespace statscl::test
