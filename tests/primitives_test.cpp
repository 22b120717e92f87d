// The five primitives: TLV header, 64-bit array conversions, array diff.
#include "statscl_convert.h"

#include "expect.h"
#include "host.h"
#include "record_buffer.h"

namespace statscl::test {
namespace {

class primitives : public ::testing::TestWithParam<int> {};

// The header's words 0, 2 and 3 are 32-bit integers; the interface index at
// offset 4 goes through the platform's converter, whose result is stored and
// returned.  A swap of the index by the library itself, or words 2 and 3
// exchanged, would fail here.
TEST_P(primitives, tlv_header_converts_words_and_routes_the_index) {
    for (const direction dir : {direction::hton, direction::ntoh}) {
        guarded_record src(16, GetParam(), 1), dst(16, GetParam(), 2);
        auto before = dst.bytes();
        const uint32_t index = get<uint32_t>(src.data() + 4);
        const uint32_t want = dir == direction::hton ? if_index_hton(index) : if_index_ntoh(index);
        const uint32_t got = dir == direction::hton ? statscl_tlv_hdr_hton(dst.data(), src.data())
                                                    : statscl_tlv_hdr_ntoh(dst.data(), src.data());
        EXPECT_EQ(got, want);
        EXPECT_EQ(get<uint32_t>(dst.data() + 4), want);
        std::memcpy(before.data() + 4, dst.data() + 4, 4); // the index is checked above
        expect_converted(dst.data(), src.data(), before, {{0, 4}, {8, 4}, {12, 4}}, dir);
        EXPECT_TRUE(dst.canary_intact() && src.canary_intact());
    }
}

TEST_P(primitives, tlv_header_in_place_equals_out_of_place) {
    guarded_record rec(16, GetParam(), 3), out(16, GetParam(), 4);
    statscl_tlv_hdr_hton(out.data(), rec.data());
    statscl_tlv_hdr_hton(rec.data(), rec.data());
    EXPECT_EQ(rec.bytes(), out.bytes());
}

// Each 64-bit value is reversed as one 8-byte unit (not as two halves), and
// nothing past `count` elements is written.
TEST_P(primitives, uint64_arrays_convert_whole_values_and_stop_at_count) {
    for (const uint32_t count : {0U, 1U, 7U, 33U}) {
        guarded_record src(8 * 40, GetParam(), count), dst(8 * 40, GetParam(), count + 9);
        const auto before = dst.bytes();
        statscl_uint64_hton(dst.data(), src.data(), count);
        expect_converted(dst.data(), src.data(), before, {{0, 8, count}}, direction::hton);
        const auto mid = dst.bytes();
        statscl_uint64_ntoh(dst.data(), src.data(), count);
        expect_converted(dst.data(), src.data(), mid, {{0, 8, count}}, direction::ntoh);
        EXPECT_TRUE(dst.canary_intact());
    }
}

TEST_P(primitives, uint64_arrays_convert_in_place_and_round_trip) {
    guarded_record rec(8 * 19, GetParam(), 5);
    const auto original = rec.bytes();
    statscl_uint64_hton(rec.data(), rec.data(), 19);
    for (std::size_t i = 0; i < 19; ++i)
        EXPECT_EQ(net_value(rec.data() + 8 * i, 8), host_value(original.data() + 8 * i, 8));
    statscl_uint64_ntoh(rec.data(), rec.data(), 19);
    EXPECT_EQ(rec.bytes(), original);
}

// Network order is fixed: the most significant byte comes first.
TEST(primitives_bytes, uint64_network_order_is_big_endian) {
    unsigned char host[8], wire[8];
    put<uint64_t>(host, 0x0102030405060708ULL);
    statscl_uint64_hton(wire, host, 1);
    const unsigned char want[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(0, std::memcmp(wire, want, 8));
}

// out = new - old modulo 2^64, each element on its own: the borrow crosses
// the 32-bit halves of one value and never reaches the next value.
TEST_P(primitives, uint64_diff_borrows_within_a_value_only) {
    guarded_record older(8 * 4, GetParam(), 0), newer(8 * 4, GetParam(), 0),
        out(8 * 4 + 8, GetParam(), 7);
    const uint64_t o[4] = {1, 1, 0xFFFFFFFFULL, 7};
    const uint64_t n[4] = {0, 0x0000000100000000ULL, 0x0000000100000000ULL, 5};
    const uint64_t want[4] = {~0ULL, 0xFFFFFFFFULL, 1, 0xFFFFFFFFFFFFFFFEULL};
    for (int i = 0; i < 4; ++i) {
        put(older.data() + 8 * i, o[i]);
        put(newer.data() + 8 * i, n[i]);
    }
    const auto tail = out.bytes();
    statscl_uint64_diff(older.data(), newer.data(), out.data(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(get<uint64_t>(out.data() + 8 * i), want[i]) << "element " << i;
    expect_unchanged(out.data(), tail, 32, 40);

    statscl_uint64_diff(older.data(), newer.data(), newer.data(), 4); // out == new
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(get<uint64_t>(newer.data() + 8 * i), want[i]);
    put<uint64_t>(newer.data(), 9);
    statscl_uint64_diff(older.data(), newer.data(), older.data(), 1); // out == old
    EXPECT_EQ(get<uint64_t>(older.data()), 8U);
}

TEST_P(primitives, uint64_diff_of_zero_elements_writes_nothing) {
    guarded_record out(8, GetParam(), 3);
    const auto before = out.bytes();
    statscl_uint64_diff(out.data(), out.data(), out.data(), 0);
    EXPECT_EQ(out.bytes(), before);
}

INSTANTIATE_TEST_SUITE_P(placements, primitives, ::testing::ValuesIn(placements));

} // namespace
} // namespace statscl::test
