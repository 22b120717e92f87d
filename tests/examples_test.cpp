// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// What a property cannot say: the dispatch's exact log lines, the lookup's
// bounds, hand-worked values as anchors for the oracle, and the 64-bit
// kernels held to one another.
#include "dispatch.h"
#include "oracle.h"
#include "kernels.h"
#include "portable/kernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

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

// This CPU's kernels of an operation: each one it runs, then the bound one.
template <class Fn> std::vector<internal::kernel<Fn>> runnable(std::span<const internal::kernel<Fn>> list, Fn bound) {
#if defined(__x86_64__)
    __builtin_cpu_init();
#endif
    std::vector<internal::kernel<Fn>> kernels;
    std::copy_if(list.begin(), list.end(), std::back_inserter(kernels),
                 [](const auto &k) { return k.supported(); });
    kernels.push_back({"bound", internal::always, bound});
    return kernels;
}

// The loader must bind the first kernel of each list that the CPU runs: a
// binding left on the portable kernel converts correctly and is only slow,
// which no other test sees.  What heads the lists is the CPU's own.
TEST(kernels, the_bound_kernel_is_the_best_this_cpu_runs) {
    const auto swaps = internal::swap64_kernels();
    const auto diffs = internal::diff64_kernels();
    for (const bool portable_last : {swaps.back().fn == internal::swap64_portable,
                                     diffs.back().fn == internal::diff64_portable,
                                     swaps.back().supported(), diffs.back().supported()})
        EXPECT_TRUE(portable_last);
    std::string best = "portable";
    if (swaps.size() > 1) {
#if defined(__x86_64__)
        __builtin_cpu_init();
        if (!__builtin_cpu_supports("avx2"))
            GTEST_SKIP() << "skipped: this CPU has no AVX2, the kernels this test is for";
        best = "avx2";
        EXPECT_STREQ(diffs.front().name, "avx2");
#else
        best = "neon";
#endif
    }
    EXPECT_EQ(swaps.front().name, best);
    const auto first = [](const auto &list) {
        return std::find_if(list.begin(), list.end(), [](const auto &k) { return k.supported(); })->fn;
    };
    EXPECT_EQ(internal::statscl_bound_swap64(), first(swaps));
    EXPECT_EQ(internal::statscl_bound_diff64(), first(diffs));
}

TEST(kernels, swap_kernels_agree_with_a_bytewise_reversal_at_every_alignment) {
    std::mt19937 random(20261205);
    for (const auto &k : runnable(internal::swap64_kernels(), internal::swap64_fn{internal::swap64}))
        for (const std::size_t count :
             {0, 1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 33, 64, 151, 2051})
            for (std::size_t from = 0; from < 8; ++from)
                for (std::size_t to = 0; to < 8; ++to) {
                    bytes src(8 * count + 16), dst(8 * count + 16);
                    for (unsigned char &b : src)
                        b = static_cast<unsigned char>(random());
                    bytes want = dst, in_place = src;
                    for (std::size_t i = 0; i < 8 * count; ++i)
                        want[to + i] = src[from + (i & ~std::size_t{7}) + 7 - (i & 7)];
                    k.fn(dst.data() + to, src.data() + from, count);
                    ASSERT_EQ(dst, want)
                        << k.name << " count " << count << " +" << from << " +" << to;
                    k.fn(in_place.data() + from, in_place.data() + from, count);
                    ASSERT_TRUE(std::equal(in_place.begin() + from,
                                           in_place.begin() + from + 8 * count, want.begin() + to))
                        << k.name << " in place";
                }
}

// Each diff kernel this CPU runs, at every alignment, out of place and in
// place on either input, against a subtraction of one counter at a time.
TEST(kernels, diff_kernels_subtract_like_one_counter_at_a_time) {
    std::mt19937 random(20261206);
    for (const auto &k : runnable(internal::diff64_kernels(), internal::diff64_fn{internal::diff64_kernel}))
        for (const std::size_t count : {0, 3, 8, 9, 15, 16, 17, 35, 64, 151})
            for (std::size_t at = 0; at < 8; ++at) {
                bytes older(8 * count + 8), newer(older.size()), out(older.size());
                for (std::size_t i = 0; i < older.size(); ++i)
                    older[i] = static_cast<unsigned char>(random()), newer[i] = older[i] ^ 0x5A;
                bytes want = out, into_older = older, into_newer = newer;
                for (std::size_t i = at; i < at + 8 * count; i += 8)
                    internal::store(want.data() + i, internal::load<uint64_t>(newer.data() + i) -
                                                         internal::load<uint64_t>(older.data() + i));
                k.fn(older.data() + at, newer.data() + at, out.data() + at, count);
                k.fn(into_older.data() + at, newer.data() + at, into_older.data() + at, count);
                k.fn(older.data() + at, into_newer.data() + at, into_newer.data() + at, count);
                ASSERT_EQ(out, want) << k.name << " count " << count << " +" << at;
                for (const bytes *in_place : {&into_older, &into_newer})
                    ASSERT_TRUE(std::equal(want.begin() + at, want.end() - 8 + at,
                                           in_place->begin() + at)) << k.name << " in place";
            }
}

} // namespace
} // namespace statscl::oracle
