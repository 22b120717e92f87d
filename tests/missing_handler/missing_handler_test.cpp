// A host that exports no handler: every kind's save and restore, reached
// through its row, logs the not-found line naming its own handler, calls
// nothing and returns app_log's result; a handler that comes and goes
// between calls is found exactly while it is there.
#include "oracle.h"

#include <gtest/gtest.h>

// vl's save handler, switched on and off by the test: an indirect function,
// whose resolver the dynamic linker runs on every lookup by name, and which
// exists only while the resolver yields it.
namespace {
bool late_handler_on = false;
extern "C" int32_t late_handler() { return 77; }
extern "C" decltype(&late_handler) resolve_late_handler() {
    return late_handler_on ? late_handler : nullptr;
}
} // namespace
extern "C" int32_t statscl_vl_save_pss_hdlr() __attribute__((ifunc("resolve_late_handler")));

namespace statscl::oracle {
namespace {

TEST(missing_handler, every_kind_logs_not_found_and_returns_app_logs_result) {
    app_log_result = 1234;
    for (const kind &k : kinds) {
        if (!k.handlers)
            continue;
        events().clear();
        const statscl_convert_t &row = *statscl_get_convert_tbl(k.type);
        EXPECT_EQ(row.save_pss(), 1234);
        EXPECT_EQ(row.restore_pss(1, 2, 3, 4, 5, 6), 1234);
        const std::vector<std::string> want = {
            "log 0 statscl_invoke_save_pss_hdlr: symbol statscl_" + k.name +
                "_save_pss_hdlr not found\n",
            "log 0 statscl_invoke_restore_pss_hdlr: symbol statscl_" + k.name +
                "_restore_pss_hdlr not found\n"};
        EXPECT_EQ(events(), want);
    }
}

TEST(missing_handler, the_lookup_is_repeated_on_every_call) {
    app_log_result = 1234;
    for (const bool on : {false, true, false, true}) {
        late_handler_on = on;
        EXPECT_EQ(statscl_vl_save_pss(), on ? 77 : 1234) << (on ? "there" : "gone");
    }
}

} // namespace
} // namespace statscl::oracle
