// Storm suppression (type 8): only the 64-bit counter at 0 has a baseline;
// the 32-bit value at 8 never does.  (Its conversions are checked with every
// other kind's in conversions_test.cpp, its silent save and restore in
// dispatch_test.cpp.)
#include "statscl_convert.h"

#include "expect.h"
#include "record_buffer.h"

namespace statscl::test {
namespace {

const statscl_convert_t &row() { return *statscl_get_convert_tbl(STATSCL_TYPE_STORM_SUPP); }

class storm_supp : public ::testing::TestWithParam<int> {};

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

INSTANTIATE_TEST_SUITE_P(placements, storm_supp, ::testing::ValuesIn(placements));

} // namespace
} // namespace statscl::test
