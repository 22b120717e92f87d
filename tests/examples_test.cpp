// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// What a property cannot say: the dispatch's exact log lines, the lookup's
// bounds, and hand-worked values as anchors for the oracle.
#include "dispatch.h"
#include "oracle.h"

#include <gtest/gtest.h>

#include <cstring>

namespace statscl::oracle {
namespace {

using internal::statscl_invoke_restore_pss_hdlr;
using internal::statscl_invoke_save_pss_hdlr;

// A null name is logged with flag 1, a missing handler with flag 0, both
// returning app_log's result; a found handler is logged before it runs and
// gets every argument bit for bit; its result comes back.
TEST(dispatch, logs_each_step_and_passes_arguments_and_results_through) {
    events().clear();
    app_log_result = -17;
    EXPECT_EQ(statscl_invoke_save_pss_hdlr(nullptr), -17);
    EXPECT_EQ(statscl_invoke_restore_pss_hdlr(nullptr, 1, 2, 3, 4, 5, 6), -17);
    EXPECT_EQ(statscl_invoke_save_pss_hdlr("statscl_nowhere_hdlr"), -17);
    EXPECT_EQ(statscl_invoke_restore_pss_hdlr("statscl_nowhere_hdlr", 1, 2, 3, 4, 5, 6), -17);
    EXPECT_EQ(statscl_invoke_save_pss_hdlr("statscl_vl_save_pss_hdlr"), save_result);
    EXPECT_EQ(statscl_invoke_restore_pss_hdlr("statscl_qos_restore_pss_hdlr", 0x8000000100000002ULL,
                                              0xFFFFFFFF, 0x80000000, 3, 0x01020304, 0xFEDCBA98),
              restore_result);
    const std::vector<std::string> want = {
        "log 1 statscl_invoke_save_pss_hdlr: NULL symbol\n",
        "log 1 statscl_invoke_restore_pss_hdlr: NULL symbol\n",
        "log 0 statscl_invoke_save_pss_hdlr: symbol statscl_nowhere_hdlr not found\n",
        "log 0 statscl_invoke_restore_pss_hdlr: symbol statscl_nowhere_hdlr not found\n",
        "log 0 statscl_invoke_save_pss_hdlr: Invoking statscl_vl_save_pss_hdlr\n",
        "call statscl_vl_save_pss_hdlr",
        "log 0 statscl_invoke_restore_pss_hdlr: Invoking statscl_qos_restore_pss_hdlr\n",
        "call statscl_qos_restore_pss_hdlr 8000000100000002 ffffffff 80000000 3 1020304 fedcba98"};
    EXPECT_EQ(events(), want);
}

TEST(dispatch, log_lines_are_cut_at_1023_characters) {
    events().clear();
    statscl_invoke_save_pss_hdlr(std::string(2000, 'x').c_str());
    ASSERT_EQ(events().size(), 1U);
    EXPECT_EQ(events()[0].size(), std::strlen("log 0 ") + 1023);
}

TEST(lookup, yields_null_outside_rows_1_to_15_and_row_0_is_zero) {
    for (const uint32_t type : {0U, 16U, 511U, 512U, 0xFFFFFFFFU})
        EXPECT_EQ(statscl_get_convert_tbl(type), nullptr) << type;
    const statscl_convert_t zero{};
    EXPECT_EQ(std::memcmp(&statscl_pi_convert_tbl[0], &zero, sizeof zero), 0);
    EXPECT_EQ(std::memcmp(&statscl_pd_convert_tbl[0], &zero, sizeof zero), 0);
}

// Network order is the most significant byte first, at each field's width.
TEST(anchors, network_order) {
    const unsigned char msb_first[] = {1, 2, 3, 4, 5, 6, 7, 8};
    const uint64_t value = 0x0102030405060708;
    unsigned char wire[14178] = {};
    statscl_uint64_hton(wire, &value, 1); // one 8-byte unit, not two halves
    EXPECT_EQ(std::memcmp(wire, msb_first, 8), 0);
    uint64_t back = 0;
    statscl_uint64_ntoh(&back, wire, 1);
    EXPECT_EQ(back, value);
    const uint16_t head = 0x0102;
    unsigned char diag[14178] = {};
    std::memcpy(diag, &head, 2);
    statscl_diag_stats_hton(wire, diag);
    EXPECT_EQ(std::memcmp(wire, msb_first, 2), 0);
}

// Words 0, 2 and 3 go to network order, the index through the platform's
// converter, whose result is stored and returned; in place gives the same.
TEST(anchors, tlv_header) {
    const uint32_t host[4] = {0x01020304, 0x0A0B0C0D, 0x05060708, 0x11121314};
    unsigned char out[16], same[16], back[16];
    std::memset(out, 0xEE, 16);
    std::memcpy(same, host, 16);
    const uint32_t index = if_index_hton(0x0A0B0C0D); // stored in host order
    EXPECT_EQ(statscl_tlv_hdr_hton(out, host), index);
    EXPECT_EQ(statscl_tlv_hdr_hton(same, same), index);
    unsigned char want[] = {1, 2, 3, 4, 0, 0, 0, 0, 5, 6, 7, 8, 0x11, 0x12, 0x13, 0x14};
    std::memcpy(want + 4, &index, 4);
    EXPECT_EQ(std::memcmp(out, want, 16), 0);
    EXPECT_EQ(std::memcmp(same, want, 16), 0);
    EXPECT_EQ(statscl_tlv_hdr_ntoh(back, out), if_index_ntoh(index));
    EXPECT_EQ(std::memcmp(back, host, 4), 0);
    EXPECT_EQ(std::memcmp(back + 8, host + 2, 8), 0);
}

// pktflow: element 10 stops at 0 when the baseline is above it, as the high
// halves decide; any other element wraps.
TEST(anchors, pktflow_clamps_element_10_only) {
    uint64_t base[108] = {}, cur[108] = {}, req[20] = {};
    base[9] = base[10] = 9, cur[9] = cur[10] = 5;
    base[11] = 0x100000000, cur[11] = 0xFFFFFFFF;
    statscl_pktflow_diff(base, req, cur);
    EXPECT_EQ(cur[9], 0xFFFFFFFFFFFFFFFC);
    EXPECT_EQ(cur[10], 0U);
    EXPECT_EQ(cur[11], 0xFFFFFFFFFFFFFFFF);
    base[10] = 0xFFFFFFFF, cur[10] = 0x100000000;
    statscl_pktflow_diff(base, req, cur);
    EXPECT_EQ(cur[10], 1U);
}

} // namespace
} // namespace statscl::oracle
