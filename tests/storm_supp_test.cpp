// Storm suppression (type 8): a 64-bit counter at 0 with a baseline, a
// 32-bit value at 8 without one; a request of three 32-bit words.
#include "statscl_convert.h"

#include "expect.h"
#include "host.h"
#include "record_buffer.h"

namespace statscl::test {
namespace {

const statscl_convert_t &row() { return *statscl_get_convert_tbl(STATSCL_TYPE_STORM_SUPP); }

class storm_supp : public ::testing::TestWithParam<int> {};

TEST_P(storm_supp, request_converts_three_words_both_ways) {
    for (const direction dir : {direction::hton, direction::ntoh}) {
        guarded_record src(12, GetParam(), 1), dst(12, GetParam(), 2);
        const auto before = dst.bytes();
        (dir == direction::hton ? row().req_hton : row().req_ntoh)(dst.data(), src.data());
        expect_converted(dst.data(), src.data(), before, {{0, 4, 3}}, dir);
        EXPECT_TRUE(dst.canary_intact());
    }
}

// storm_counter is one 8-byte unit (a swap of two 32-bit halves fails), and
// stats_ntoh converts all 12 bytes whatever len says.
TEST_P(storm_supp, statistics_convert_at_each_fields_width_for_any_len) {
    for (const uint32_t len : {0U, 11U, 12U, 13U, 0xFFFFFFFFU}) {
        guarded_record src(12, GetParam(), len), dst(12, GetParam(), 3);
        const auto before = dst.bytes();
        row().stats_ntoh(dst.data(), src.data(), len);
        expect_converted(dst.data(), src.data(), before, {{0, 8}, {8, 4}}, direction::ntoh);
        EXPECT_TRUE(dst.canary_intact());
    }
    guarded_record src(12, GetParam(), 4), dst(12, GetParam(), 5);
    const auto before = dst.bytes();
    row().stats_hton(dst.data(), src.data());
    expect_converted(dst.data(), src.data(), before, {{0, 8}, {8, 4}}, direction::hton);
}

TEST_P(storm_supp, conversions_round_trip_in_place) {
    guarded_record stats(12, GetParam(), 6), req(12, GetParam(), 7);
    const auto stats0 = stats.bytes(), req0 = req.bytes();
    row().stats_hton(stats.data(), stats.data());
    row().stats_ntoh(stats.data(), stats.data(), 12);
    row().req_hton(req.data(), req.data());
    row().req_ntoh(req.data(), req.data());
    EXPECT_EQ(stats.bytes(), stats0);
    EXPECT_EQ(req.bytes(), req0);
}

TEST(storm_supp_bytes, network_order_of_both_fields) {
    unsigned char host[12], wire[12];
    put<uint64_t>(host, 0x1122334455667788ULL);
    put<uint32_t>(host + 8, 0x99AABBCCU);
    statscl_storm_supp_stats_hton(wire, host);
    const unsigned char want[12] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66,
                                    0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC};
    EXPECT_EQ(0, std::memcmp(wire, want, 12));
}

// diff: current.storm_counter -= baseline.storm_counter modulo 2^64; the
// value at 8 and the whole baseline stay as they were.
TEST_P(storm_supp, diff_subtracts_the_counter_only) {
    struct {
        uint64_t current, baseline, want;
    } const cases[] = {{0x0000000100000000ULL, 1, 0x00000000FFFFFFFFULL},
                       {5, 7, 0xFFFFFFFFFFFFFFFEULL},
                       {1250, 1000, 250}};
    for (const auto &c : cases) {
        guarded_record base(12, GetParam(), 1), cur(12, GetParam(), 2);
        put(base.data(), c.baseline);
        put(cur.data(), c.current);
        const auto base0 = base.bytes(), cur0 = cur.bytes();
        row().diff(base.data(), nullptr, cur.data()); // req may be null
        EXPECT_EQ(get<uint64_t>(cur.data()), c.want);
        expect_unchanged(cur.data(), cur0, 8, 12);
        EXPECT_EQ(base.bytes(), base0);
        EXPECT_TRUE(cur.canary_intact() && base.canary_intact());
    }
}

TEST_P(storm_supp, diff_against_itself_zeroes_the_counter) {
    guarded_record rec(12, GetParam(), 8);
    const auto before = rec.bytes();
    row().diff(rec.data(), nullptr, rec.data());
    EXPECT_EQ(get<uint64_t>(rec.data()), 0U);
    expect_unchanged(rec.data(), before, 8, 12);
}

TEST_P(storm_supp, clear_copies_the_counter_only) {
    guarded_record base(12, GetParam(), 1), req(12, GetParam(), 2), cur(12, GetParam(), 3);
    const auto base0 = base.bytes(), cur0 = cur.bytes(), req0 = req.bytes();
    row().clear(base.data(), req.data(), cur.data());
    expect_unchanged(base.data(), cur0, 0, 8);
    expect_unchanged(base.data(), base0, 8, 12);
    EXPECT_EQ(cur.bytes(), cur0);
    EXPECT_EQ(req.bytes(), req0);
    // A diff right after the clear, against the same reading, gives 0.
    row().diff(base.data(), req.data(), cur.data());
    EXPECT_EQ(get<uint64_t>(cur.data()), 0U);
}

// The guards: diff needs baseline and current, clear also needs req.
TEST_P(storm_supp, null_records_leave_everything_as_it_was) {
    guarded_record base(12, GetParam(), 1), req(12, GetParam(), 2), cur(12, GetParam(), 3);
    const auto base0 = base.bytes(), cur0 = cur.bytes();
    row().diff(nullptr, req.data(), cur.data());
    row().diff(base.data(), req.data(), nullptr);
    row().clear(base.data(), nullptr, cur.data());
    row().clear(nullptr, req.data(), cur.data());
    row().clear(base.data(), req.data(), nullptr);
    EXPECT_EQ(base.bytes(), base0);
    EXPECT_EQ(cur.bytes(), cur0);
}

TEST(storm_supp_pss, save_and_restore_do_nothing_and_log_nothing) {
    reset_events();
    EXPECT_EQ(row().save_pss(), 0);
    EXPECT_EQ(row().restore_pss(1, 2, 3, 4, 5, 6), 0);
    EXPECT_TRUE(events().logs.empty());
    EXPECT_TRUE(events().calls.empty());
}

INSTANTIATE_TEST_SUITE_P(placements, storm_supp, ::testing::ValuesIn(placements));

} // namespace
} // namespace statscl::test
