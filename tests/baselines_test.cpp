// Software clear-counters of every kind: what diff subtracts, what clear
// captures into the baseline, which null pointers each one tests, and the
// kinds whose diff and clear do nothing.  Records are guard-paged and
// pattern-filled; each expectation is a whole image of a record, built here
// from offsets stated here.
#include "statscl_convert.h"

#include "expect.h"
#include "record_buffer.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace statscl::test {
namespace {

using image = std::vector<unsigned char>;
using offsets = std::vector<std::size_t>;

const statscl_convert_t &row(uint32_t type) { return *statscl_get_convert_tbl(type); }

/// Offsets of `count` 64-bit counters laid end to end from `first`.
offsets run(std::size_t first, std::size_t count) {
    offsets at;
    for (std::size_t i = 0; i < count; ++i)
        at.push_back(first + 8 * i);
    return at;
}

/// `to` with the counters at `at` taken from `from`: what a clear leaves.
image copied(image to, const image &from, const offsets &at) {
    for (const std::size_t o : at)
        std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(o), 8,
                    to.begin() + static_cast<std::ptrdiff_t>(o));
    return to;
}

/// `minuend` with each counter at `at` less the subtrahend's, modulo 2^64.
image subtracted(image minuend, const image &subtrahend, const offsets &at) {
    for (const std::size_t o : at)
        put<uint64_t>(&minuend[o], get<uint64_t>(&minuend[o]) - get<uint64_t>(&subtrahend[o]));
    return minuend;
}

/// `rec` holds exactly `want`, and no byte around it was written.
void expect_image(const guarded_record &rec, const image &want) {
    const image got = rec.bytes();
    const auto first = std::mismatch(got.begin(), got.end(), want.begin()).first - got.begin();
    EXPECT_EQ(first, static_cast<std::ptrdiff_t>(got.size())) << "first byte that differs";
    EXPECT_TRUE(rec.canary_intact());
}

/// Every suite runs at each placement of the records.
class placed : public ::testing::TestWithParam<int> {};

/// diff returns on a null baseline or current (and on a null req when
/// `diff_tests_req`), clear on any null pointer: neither record changes.
/// `req` selects every counter, so a missing guard writes or faults.
void expect_null_guards(const statscl_convert_t &r, guarded_record &req, bool diff_tests_req,
                        int placement) {
    guarded_record base(r.stats_len, placement, 1), cur(r.stats_len, placement, 2);
    const image base0 = base.bytes(), cur0 = cur.bytes();
    r.diff(nullptr, req.data(), cur.data());
    r.diff(base.data(), req.data(), nullptr);
    if (diff_tests_req)
        r.diff(base.data(), nullptr, cur.data());
    r.clear(nullptr, req.data(), cur.data());
    r.clear(base.data(), nullptr, cur.data());
    r.clear(base.data(), req.data(), nullptr);
    expect_image(base, base0);
    expect_image(cur, cur0);
}

// pktflow: 108 counters (864 bytes); 0..101 take part, 102..107 (816..863)
// do not.  Element 10 is at 80, its neighbours 9 and 11 at 72 and 88.
using pktflow_baselines = placed;

// Element 10 becomes 0 when the baseline exceeds current, its neighbours
// wrap.  Only req guards the diff: null, or word 0 equal to 16 (not 16 in
// word 1 or byte-swapped), leaves current as it was, element 10 included.
// Catches the clamp on the wrong element, with < or on one 32-bit half,
// decided after the subtraction or before the guard; a guard on baseline or
// current instead of req; a range other than 0..101; a trailer write.
TEST_P(pktflow_baselines, diff_subtracts_0_to_101_clamps_element_10_unless_req_says_no) {
    struct {
        uint32_t word0;
        uint64_t base, cur, want10, want_other;
    } const cases[] = {{0, 9, 5, 0, 0xFFFFFFFFFFFFFFFCULL},
                       {15, 5, 9, 4, 4},
                       {17, 7, 7, 0, 0},
                       {0x110, 0x100000000ULL, 0xFFFFFFFFULL, 0, ~0ULL},
                       {0x10000000, 0xFFFFFFFFULL, 0x100000000ULL, 1, 1},
                       {16, 9, 5, 0, 0}};
    for (const auto &c : cases) {
        guarded_record base(864, GetParam(), 1), req(80, GetParam(), 2), cur(864, GetParam(), 3);
        put(req.data(), c.word0);
        put<uint32_t>(req.data() + 4, 16);
        for (const std::size_t o : {72U, 80U, 88U}) {
            put(base.data() + o, c.base);
            put(cur.data() + o, c.cur);
        }
        const image base0 = base.bytes(), cur0 = cur.bytes();
        row(STATSCL_TYPE_PKTFLOW).diff(base.data(), nullptr, cur.data());
        expect_image(cur, cur0);
        image want = subtracted(cur0, base0, run(0, 102));
        put(&want[72], c.want_other);
        put(&want[80], c.want10);
        put(&want[88], c.want_other);
        row(STATSCL_TYPE_PKTFLOW).diff(base.data(), req.data(), cur.data());
        expect_image(cur, c.word0 == 16 ? cur0 : want);
        expect_image(base, base0);
    }
}

// clear copies bytes 0..815 of current into the baseline and reads no
// request (null here); the baseline's trailer and current stay.  A diff right
// after it zeroes 0..101 and leaves the trailer.
TEST_P(pktflow_baselines, clear_captures_counters_0_to_101_without_a_request) {
    guarded_record base(864, GetParam(), 1), req(80, GetParam(), 2), cur(864, GetParam(), 3);
    put<uint32_t>(req.data(), 0);
    const image base0 = base.bytes(), cur0 = cur.bytes();
    row(STATSCL_TYPE_PKTFLOW).clear(base.data(), nullptr, cur.data());
    expect_image(base, copied(base0, cur0, run(0, 102)));
    expect_image(cur, cur0);
    row(STATSCL_TYPE_PKTFLOW).diff(base.data(), req.data(), cur.data());
    image zeroed = cur0;
    std::fill_n(zeroed.begin(), 816, 0);
    expect_image(cur, zeroed);
}

// qos (960 bytes), vl (512), eee (32) and phy (16): counter j at 8 * j.  qos
// and vl have 64 counters (qos block b and vl block b are counters 8b..8b+7;
// vl lane i is counter i of each block); qos's tail 512..959 never takes
// part.  eee has 4 counters, phy 2.
using counter_baselines = placed;

// clear copies exactly the counters the request's 32-bit word selects
// (bit j of the third column: counter j).  qos block_select 1 takes the even
// blocks, 2 the odd, 3 all, any other value (7 too, so a bit test fails)
// none; vl bit i takes lane i of every block and bits 8..31 are ignored;
// eee and phy take all whatever req holds.  Byte-swapped words catch a read
// in network order; single vl bits a bit mapped to the wrong lane.
TEST_P(counter_baselines, clear_copies_exactly_the_selected_counters) {
    const uint32_t qos = STATSCL_TYPE_QOS, vl = STATSCL_TYPE_VL;
    std::vector<std::tuple<uint32_t, uint32_t, uint64_t>> cases = {
        {qos, 1, 0x00FF00FF00FF00FFULL},
        {qos, 2, 0xFF00FF00FF00FF00ULL},
        {qos, 3, ~0ULL},
        {vl, 0xA5, 0xA5A5A5A5A5A5A5A5ULL}, // offsets 64 * b + 0, 16, 40, 56
        {vl, 0xFF, ~0ULL},
        {vl, 0xFFFFFFFF, ~0ULL},
        {STATSCL_TYPE_EEE, 0, 0xF},
        {STATSCL_TYPE_PHY, 0, 0x3}};
    for (const uint32_t word : {0U, 4U, 7U, 0x01000000U, 0x03000000U, 0xFFFFFFFFU})
        cases.emplace_back(qos, word, 0);
    for (const uint32_t word : {0U, 0x100U, 0x01000000U})
        cases.emplace_back(vl, word, 0);
    for (unsigned lane = 0; lane < 8; ++lane)
        cases.emplace_back(vl, 1U << lane, 0x0101010101010101ULL << lane);
    for (const auto &[type, word, counters] : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << type << " word " << std::hex << word);
        const std::size_t len = row(type).stats_len;
        guarded_record base(len, GetParam(), 1), req(4, GetParam(), 2), cur(len, GetParam(), 3);
        put(req.data(), word);
        const image base0 = base.bytes(), cur0 = cur.bytes();
        offsets at;
        for (std::size_t j = 0; j < 64; ++j)
            if ((counters >> j) & 1U)
                at.push_back(8 * j);
        row(type).clear(base.data(), req.data(), cur.data());
        expect_image(base, copied(base0, cur0, at));
        expect_image(cur, cur0);
    }
}

// diff subtracts every counter whatever the request (null here), each on its
// own: 0 - 1 wraps without borrowing from the next counter, 0x100000000 - 1
// borrows across the halves, 5 - 7 wraps.  The baseline, qos's tail, and
// (on a null baseline or current, or a clear without req) everything stay.
// Catches a diff of qos's 120 values, of the selected counters only, and a
// borrow carried into the next counter.
TEST_P(counter_baselines, diff_subtracts_every_counter_on_its_own) {
    const struct {
        uint32_t type;
        std::size_t counters;
        uint32_t select_all;
    } kinds[] = {{STATSCL_TYPE_QOS, 64, 3},
                 {STATSCL_TYPE_VL, 64, 0xFF},
                 {STATSCL_TYPE_EEE, 4, 0},
                 {STATSCL_TYPE_PHY, 2, 0}};
    const uint64_t base_values[] = {1, 1, 7, ~0ULL}, cur_values[] = {0, 0x100000000ULL, 5, ~0ULL},
                   want[] = {~0ULL, 0xFFFFFFFFULL, 0xFFFFFFFFFFFFFFFEULL, 0};
    for (const auto &k : kinds) {
        SCOPED_TRACE(::testing::Message() << "type " << k.type);
        const std::size_t len = row(k.type).stats_len;
        guarded_record base(len, GetParam(), 1), req(4, GetParam(), 2), cur(len, GetParam(), 3);
        for (std::size_t i = 0; i < 4 && i < k.counters; ++i) {
            put(base.data() + 8 * i, base_values[i]);
            put(cur.data() + 8 * i, cur_values[i]);
        }
        const image base0 = base.bytes(), cur0 = cur.bytes();
        row(k.type).diff(base.data(), nullptr, cur.data());
        expect_image(cur, subtracted(cur0, base0, run(0, k.counters)));
        expect_image(base, base0);
        for (std::size_t i = 0; i < 4 && i < k.counters; ++i)
            EXPECT_EQ(get<uint64_t>(cur.data() + 8 * i), want[i]) << "counter " << i;
        put(req.data(), k.select_all);
        expect_null_guards(row(k.type), req, false, GetParam());
    }
}

// fabric_path: 2720 bytes; path i of array k (0..2) at 32 + 384 * k + 8 * i
// for 48 paths; head 0..31 and tail 1184..2719 never take part.  The 64-bit
// path_mask is at offset 8 of the 144-byte request.
using fabric_path_baselines = placed;

offsets path_counters(uint64_t mask) {
    offsets at;
    for (std::size_t path = 0; path < 48; ++path)
        if ((mask >> path) & 1U)
            for (std::size_t k = 0; k < 3; ++k)
                at.push_back(32 + 384 * k + 8 * path);
    return at;
}

// Bit 0 alone touches 32, 416, 800; bit 47 alone 408, 792, 1176; bits 48..63
// nothing.  diff subtracts the selected counters, clear copies them, and a
// diff after the clear zeroes exactly them; a null baseline, req or current
// writes nothing.  Catches the mask read at the wrong offset or byte order,
// bits past 47 taken as paths, and a wrong array or path stride.
TEST_P(fabric_path_baselines, diff_and_clear_touch_the_selected_paths_only) {
    for (const uint64_t mask :
         {1ULL, 1ULL << 47, 0xFFFF000000000000ULL, ~0ULL, 0ULL, 0x0000A5A55A5A0F0FULL}) {
        SCOPED_TRACE(::testing::Message() << "path_mask " << std::hex << mask);
        guarded_record base(2720, GetParam(), 1), req(144, GetParam(), 2), cur(2720, GetParam(), 3);
        put(req.data() + 8, mask);
        const image base0 = base.bytes(), cur0 = cur.bytes(), req0 = req.bytes();
        const offsets at = path_counters(mask);
        const statscl_convert_t &r = row(STATSCL_TYPE_FABRIC_PATH);
        r.diff(base.data(), req.data(), cur.data());
        const image cur1 = subtracted(cur0, base0, at);
        expect_image(cur, cur1);
        expect_image(base, base0);
        r.clear(base.data(), req.data(), cur.data());
        expect_image(base, copied(base0, cur1, at));
        expect_image(cur, cur1);
        r.diff(base.data(), req.data(), cur.data());
        expect_image(cur, subtracted(cur1, cur1, at));
        expect_image(req, req0);
    }
    guarded_record all(144, GetParam(), 5);
    put(all.data() + 8, ~0ULL);
    expect_null_guards(row(STATSCL_TYPE_FABRIC_PATH), all, true, GetParam());
}

// In a network-order request, path 0 is the low bit of byte 15 and path 47
// the high bit of byte 10; bytes 8 and 9 hold bits 48..63.  Converted with
// req_ntoh, each selects that path alone, or nothing.
TEST_P(fabric_path_baselines, mask_bytes_of_a_network_order_request) {
    using mask_byte = std::tuple<std::size_t, unsigned char, uint64_t>; // byte, value, paths
    for (const auto &[byte, value, paths] :
         {mask_byte{15, 0x01, 1}, {10, 0x80, 1ULL << 47}, {9, 0xFF, 0}, {8, 0xFF, 0}}) {
        guarded_record base(2720, GetParam(), 1), wire(144, GetParam(), 2), req(144, GetParam(), 3),
            cur(2720, GetParam(), 4);
        std::fill_n(wire.data() + 8, 8, 0);
        wire[byte] = value;
        row(STATSCL_TYPE_FABRIC_PATH).req_ntoh(req.data(), wire.data());
        const image base0 = base.bytes(), cur0 = cur.bytes();
        row(STATSCL_TYPE_FABRIC_PATH).clear(base.data(), req.data(), cur.data());
        expect_image(base, copied(base0, cur0, path_counters(paths)));
    }
}

// diag: 14178 bytes, a descriptive part 0..1121, then 1632 counters.  Its
// diff reads the FIRST record (newer) and writes the THIRD (older): counters
// become newer - older, the descriptive part a copy of newer's.
using diag_baselines = placed;

// Catches the roles swapped (newer written, or older - newer), the
// descriptive part subtracted or kept, and a counter start other than 1122.
// req is null: it is never read.
TEST_P(diag_baselines, diff_writes_newer_minus_older_into_the_third_record) {
    guarded_record newer(14178, GetParam(), 1), older(14178, GetParam(), 2);
    put<uint64_t>(newer.data() + 1122, 9);
    put<uint64_t>(older.data() + 1122, 5);
    const image newer0 = newer.bytes(), older0 = older.bytes();
    row(STATSCL_TYPE_DIAG).diff(newer.data(), nullptr, older.data());
    expect_image(older, subtracted(newer0, older0, run(1122, 1632)));
    expect_image(newer, newer0);
    EXPECT_EQ(get<uint64_t>(older.data() + 1122), 4U);
    // With itself: the descriptive part stays, every counter becomes 0.
    image want = newer0;
    std::fill(want.begin() + 1122, want.end(), 0);
    row(STATSCL_TYPE_DIAG).diff(newer.data(), nullptr, newer.data());
    expect_image(newer, want);
}

// Kinds without a baseline: diff and clear touch nothing, whatever they are
// given, null pointers included.  Catches an _snmp kind doing its sibling's
// arithmetic, and a do-nothing slot wired to a real diff or clear.
using idle_baselines = placed;

TEST_P(idle_baselines, diff_and_clear_touch_nothing) {
    struct idle {
        std::string name;
        statscl_diff_fn diff;
        statscl_clear_fn clear;
        std::size_t len;
    };
    std::vector<idle> kinds = {
        {"diag clear", nullptr, row(STATSCL_TYPE_DIAG).clear, 14178},
        {"fcmac_avg_ctrs", statscl_fcmac_avg_ctrs_diff, statscl_fcmac_avg_ctrs_clear, 40},
        {"fcmac_if_ctrs", statscl_fcmac_if_ctrs_diff, statscl_fcmac_if_ctrs_clear, 704}};
    for (const uint32_t type : {STATSCL_TYPE_FABRIC_ERR, STATSCL_TYPE_VL_RATES,
                                STATSCL_TYPE_VL_SNMP, STATSCL_TYPE_EEE_SNMP, STATSCL_TYPE_PHY_SNMP,
                                STATSCL_TYPE_SNMP_CLEAR, STATSCL_TYPE_VQ_DROP})
        kinds.push_back(
            {"type " + std::to_string(type), row(type).diff, row(type).clear, row(type).stats_len});
    for (const auto &k : kinds) {
        SCOPED_TRACE(k.name);
        guarded_record base(k.len, GetParam(), 1), req(144, GetParam(), 2),
            cur(k.len, GetParam(), 3);
        const image base0 = base.bytes(), req0 = req.bytes(), cur0 = cur.bytes();
        if (k.diff != nullptr) {
            k.diff(nullptr, nullptr, nullptr);
            k.diff(base.data(), req.data(), cur.data());
            k.diff(base.data(), nullptr, base.data());
        }
        k.clear(nullptr, nullptr, nullptr);
        k.clear(base.data(), req.data(), cur.data());
        expect_image(base, base0);
        expect_image(req, req0);
        expect_image(cur, cur0);
    }
    // diag has no request: its request conversions accept null as well.
    row(STATSCL_TYPE_DIAG).req_hton(nullptr, nullptr);
    row(STATSCL_TYPE_DIAG).req_ntoh(nullptr, nullptr);
}

INSTANTIATE_TEST_SUITE_P(placements, pktflow_baselines, ::testing::ValuesIn(placements));
INSTANTIATE_TEST_SUITE_P(placements, fabric_path_baselines, ::testing::ValuesIn(placements));
INSTANTIATE_TEST_SUITE_P(placements, diag_baselines, ::testing::ValuesIn(placements));
INSTANTIATE_TEST_SUITE_P(placements, counter_baselines, ::testing::ValuesIn(placements));
INSTANTIATE_TEST_SUITE_P(placements, idle_baselines, ::testing::ValuesIn(placements));

} // namespace
} // namespace statscl::test
