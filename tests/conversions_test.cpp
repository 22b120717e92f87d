// Every record conversion of every kind, driven by one table of layouts: the
// fifteen kinds of the converter table and the five platform-dependent kinds
// reached by name.  Offsets and widths are typed in here from the documented
// layouts, independently of the library's own layout descriptions.
#include "statscl_convert.h"

#include "expect.h"
#include "record_buffer.h"

#include <algorithm>
#include <bit>
#include <string>
#include <tuple>

namespace statscl::test {
namespace {

using fields = std::vector<span_of>;

// How a kind's stats_ntoh treats the payload length.
enum class len_rule {
    ignored,      // converts the record whatever len says
    at_least,     // the whole record when len >= size, else nothing
    whole_values, // the whole 64-bit values that min(len, size) covers
    exactly,      // the whole record when len == size, else nothing
};

struct kind {
    const char *name;
    uint32_t type; // 0: platform-dependent, reached by name only
    statscl_req_conv_fn req_hton, req_ntoh;
    statscl_stats_hton_fn stats_hton;
    statscl_stats_ntoh_fn stats_ntoh;
    uint32_t req_len, stats_len;
    fields req, stats; // what the conversions convert; nothing else is written
    len_rule rule;
};

// clang-format off
const kind kinds[] = {
    // pktflow: both request directions are checked against the same 20 words,
    // so req_ntoh gives exactly the bytes of req_hton.
    {"pktflow", 1, statscl_pktflow_req_hton, statscl_pktflow_req_ntoh,
     statscl_pktflow_stats_hton, statscl_pktflow_stats_ntoh,
     80, 864, {{0, 4, 20}}, {{0, 8, 108}}, len_rule::whole_values},
    {"diag", 2, statscl_diag_req_hton, statscl_diag_req_ntoh,
     statscl_diag_stats_hton, statscl_diag_stats_ntoh, 0, 14178, {},
     {{0, 2}, {2, 2, 16}, {34, 4, 16}, {98, 8, 128},                        // descriptive part
      {1122, 8, 16}, {1250, 8, 16}, {1378, 8, 16},                          // entry_ctr0..2
      {1506, 8, 16}, {1634, 8, 16}, {1762, 8, 16},                          // entry_ctr3..5
      {1890, 8, 256}, {3938, 8, 256}, {5986, 8, 256},                       // grid_ctr0..2
      {8034, 8, 256}, {10082, 8, 256}, {12130, 8, 256}}, len_rule::at_least}, // grid_ctr3..5
    {"qos", 3, statscl_qos_req_hton, statscl_qos_req_ntoh, statscl_qos_stats_hton,
     statscl_qos_stats_ntoh, 4, 960, {{0, 4}}, {{0, 8, 64}, {512, 8, 56}}, len_rule::at_least},
    {"vl", 4, statscl_vl_req_hton, statscl_vl_req_ntoh, statscl_vl_stats_hton,
     statscl_vl_stats_ntoh, 4, 512, {{0, 4}}, {{0, 8, 64}}, len_rule::at_least},
    {"fabric_err", 5, statscl_fabric_err_req_hton, statscl_fabric_err_req_ntoh,
     statscl_fabric_err_stats_hton, statscl_fabric_err_stats_ntoh,
     0, 1208, {}, {{0, 8, 151}}, len_rule::at_least},
    {"vl_rates", 6, statscl_vl_rates_req_hton, statscl_vl_rates_req_ntoh,
     statscl_vl_rates_stats_hton, statscl_vl_rates_stats_ntoh,
     8, 32, {{0, 8}}, {{0, 8, 4}}, len_rule::whole_values},
    {"vl_snmp", 7, statscl_vl_snmp_req_hton, statscl_vl_snmp_req_ntoh,
     statscl_vl_snmp_stats_hton, statscl_vl_snmp_stats_ntoh,
     4, 512, {{0, 4}}, {{0, 8, 64}}, len_rule::whole_values},
    {"storm_supp", 8, statscl_storm_supp_req_hton, statscl_storm_supp_req_ntoh,
     statscl_storm_supp_stats_hton, statscl_storm_supp_stats_ntoh,
     12, 12, {{0, 4, 3}}, {{0, 8}, {8, 4}}, len_rule::ignored},
    {"eee", 9, statscl_eee_req_hton, statscl_eee_req_ntoh, statscl_eee_stats_hton,
     statscl_eee_stats_ntoh, 0, 32, {}, {{0, 8, 4}}, len_rule::ignored},
    {"eee_snmp", 10, statscl_eee_snmp_req_hton, statscl_eee_snmp_req_ntoh,
     statscl_eee_snmp_stats_hton, statscl_eee_snmp_stats_ntoh,
     0, 32, {}, {{0, 8, 4}}, len_rule::ignored},
    {"phy", 11, statscl_phy_req_hton, statscl_phy_req_ntoh, statscl_phy_stats_hton,
     statscl_phy_stats_ntoh, 0, 16, {}, {{0, 8, 2}}, len_rule::ignored},
    {"phy_snmp", 12, statscl_phy_snmp_req_hton, statscl_phy_snmp_req_ntoh,
     statscl_phy_snmp_stats_hton, statscl_phy_snmp_stats_ntoh,
     0, 16, {}, {{0, 8, 2}}, len_rule::ignored},
    // Only the leading word of snmp_clear has a layout: its 24 request bytes
    // and statistics bytes 4..523 are never written.
    {"snmp_clear", 13, statscl_snmp_clear_req_hton, statscl_snmp_clear_req_ntoh,
     statscl_snmp_clear_stats_hton, statscl_snmp_clear_stats_ntoh,
     24, 524, {}, {{0, 4}}, len_rule::ignored},
    {"fabric_path", 14, statscl_fabric_path_req_hton, statscl_fabric_path_req_ntoh,
     statscl_fabric_path_stats_hton, statscl_fabric_path_stats_ntoh,
     144, 2720, {{0, 8}, {8, 8}, {16, 4, 32}},
     {{0, 8, 4}, {32, 8, 48}, {416, 8, 48}, {800, 8, 48}, {1184, 8, 192}}, len_rule::at_least},
    // Every 64-bit field of vq_drop starts 4 bytes past a multiple of 8.
    {"vq_drop", 15, statscl_vq_drop_req_hton, statscl_vq_drop_req_ntoh,
     statscl_vq_drop_stats_hton, statscl_vq_drop_stats_ntoh,
     20, 16412, {{0, 4, 3}, {12, 8}},
     {{0, 4}, {4, 8}, {12, 8, 1024}, {8204, 8, 1024}, {16396, 8}, {16404, 8}}, len_rule::ignored},
    {"kelm_fabric_err", 0, statscl_kelm_fabric_err_req_hton, statscl_kelm_fabric_err_req_ntoh,
     statscl_kelm_fabric_err_stats_hton, statscl_kelm_fabric_err_stats_ntoh,
     0, 1208, {}, {{0, 8, 151}}, len_rule::ignored},
    {"dorn_fabric_err", 0, statscl_dorn_fabric_err_req_hton, statscl_dorn_fabric_err_req_ntoh,
     statscl_dorn_fabric_err_stats_hton, statscl_dorn_fabric_err_stats_ntoh,
     0, 1208, {}, {{0, 8, 151}}, len_rule::ignored},
    {"vexa_mac_vl", 0, statscl_vexa_mac_vl_req_hton, statscl_vexa_mac_vl_req_ntoh,
     statscl_vexa_mac_vl_stats_hton, statscl_vexa_mac_vl_stats_ntoh,
     0, 512, {}, {{0, 8, 64}}, len_rule::at_least},
    {"fcmac_avg_ctrs", 0, statscl_fcmac_avg_ctrs_req_hton, statscl_fcmac_avg_ctrs_req_ntoh,
     statscl_fcmac_avg_ctrs_stats_hton, statscl_fcmac_avg_ctrs_stats_ntoh,
     0, 40, {}, {{0, 8, 5}}, len_rule::exactly},
    {"fcmac_if_ctrs", 0, statscl_fcmac_if_ctrs_req_hton, statscl_fcmac_if_ctrs_req_ntoh,
     statscl_fcmac_if_ctrs_stats_hton, statscl_fcmac_if_ctrs_stats_ntoh,
     0, 704, {}, {{0, 8, 88}}, len_rule::exactly},
};
// clang-format on

// pktflow's stats_hton is the one conversion whose reach depends on the byte
// order of the host: a big-endian host writes element 0 only (bytes 8..863 of
// dst keep what they held), a little-endian host converts all 108 values so
// that stats_ntoh with len 864 gives the record back.
fields stats_hton_fields(const kind &k) {
    if (k.type == STATSCL_TYPE_PKTFLOW && std::endian::native == std::endian::big)
        return {{0, 8}};
    return k.stats;
}

// What stats_ntoh converts from a payload of len bytes.  The whole-values
// kinds are plain arrays of 64-bit values, so a prefix of the array.
fields stats_ntoh_fields(const kind &k, uint32_t len) {
    switch (k.rule) {
    case len_rule::ignored:
        return k.stats;
    case len_rule::at_least:
        return len >= k.stats_len ? k.stats : fields{};
    case len_rule::exactly:
        return len == k.stats_len ? k.stats : fields{};
    case len_rule::whole_values:
        return {{0, 8, std::min(len, k.stats_len) / 8}};
    }
    return {};
}

std::size_t covered(const fields &f) {
    std::size_t bytes = 0;
    for (const span_of &s : f)
        bytes += s.width * s.count;
    return bytes;
}

// True when the fields lie in order, without overlap, inside size bytes.
bool tiles_within(const fields &f, std::size_t size) {
    std::size_t end = 0;
    for (const span_of &s : f) {
        if (s.offset < end)
            return false;
        end = s.offset + s.width * s.count;
    }
    return end <= size;
}

// Converts a patterned src into a differently patterned dst and checks that
// exactly `converted` was written, each element at its own width, that src
// was only read and that no byte around either record changed.
template <class Convert>
void expect_conversion(std::size_t size, int placement, const fields &converted, direction dir,
                       Convert convert) {
    guarded_record src(size, placement, 11), dst(size, placement, 22);
    const auto src0 = src.bytes(), dst0 = dst.bytes();
    convert(dst.data(), src.data());
    expect_converted(dst.data(), src.data(), dst0, converted, dir);
    EXPECT_EQ(src.bytes(), src0);
    EXPECT_TRUE(src.canary_intact() && dst.canary_intact());
}

// Catches a typo in the table above (a gap or overlap would weaken every test
// below) and a row slot that does not lead to the kind's exported function.
TEST(conversion_table, layouts_tile_their_records_and_rows_reach_the_named_functions) {
    for (const kind &k : kinds) {
        SCOPED_TRACE(k.name);
        const bool known = k.type != STATSCL_TYPE_SNMP_CLEAR;
        EXPECT_TRUE(tiles_within(k.req, k.req_len) && tiles_within(k.stats, k.stats_len));
        EXPECT_EQ(covered(k.req), known ? k.req_len : 0U);
        EXPECT_EQ(covered(k.stats), known ? k.stats_len : 4U);
        if (k.type == 0)
            continue;
        const statscl_convert_t *row = statscl_get_convert_tbl(k.type);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->req_len, k.req_len);
        EXPECT_EQ(row->stats_len, k.stats_len);
        EXPECT_EQ(row->req_hton, k.req_hton);
        EXPECT_EQ(row->req_ntoh, k.req_ntoh);
        EXPECT_EQ(row->stats_hton, k.stats_hton);
        EXPECT_EQ(row->stats_ntoh, k.stats_ntoh);
    }
}

class conversions : public ::testing::TestWithParam<std::tuple<std::size_t, int>> {
  protected:
    const kind &k() const { return kinds[std::get<0>(GetParam())]; }
    int placement() const { return std::get<1>(GetParam()); }
};

// A wrong offset or width, a 64-bit field swapped as two 32-bit halves, an
// aligned access at an odd offset (sanitize preset), a write past the record
// or into a gap, a conversion that reads dst or writes src.
TEST_P(conversions, every_field_converts_at_its_own_width) {
    for (const direction dir : {direction::hton, direction::ntoh}) {
        const bool out = dir == direction::hton;
        if (!k().req.empty())
            expect_conversion(k().req_len, placement(), k().req, dir, [&](auto *dst, auto *src) {
                (out ? k().req_hton : k().req_ntoh)(dst, src);
            });
        expect_conversion(k().stats_len, placement(), out ? stats_hton_fields(k()) : k().stats, dir,
                          [&](auto *dst, auto *src) {
                              out ? k().stats_hton(dst, src)
                                  : k().stats_ntoh(dst, src, k().stats_len);
                          });
    }
}

// An off-by-one in a length test, a test on the wrong side (> for >=), a
// partial 64-bit value converted, a len that drives a write past the record,
// and a failed test that still writes something.
TEST_P(conversions, stats_ntoh_obeys_the_kinds_len_rule_at_its_boundaries) {
    const uint32_t size = k().stats_len;
    for (const uint32_t len :
         {0U, 1U, 7U, 8U, 12U, size - 1, size, size + 1, 2 * size, 0xFFFFFFFFU}) {
        SCOPED_TRACE("len " + std::to_string(len));
        expect_conversion(size, placement(), stats_ntoh_fields(k(), len), direction::ntoh,
                          [&](auto *dst, auto *src) { k().stats_ntoh(dst, src, len); });
    }
}

// A conversion that writes a field of dst before it has read every byte of
// that field from src breaks in place; a direction that is not the inverse of
// the other breaks the round trip.
TEST_P(conversions, in_place_equals_out_of_place_and_round_trips) {
    const auto same_in_place = [&](std::size_t size, auto convert) {
        guarded_record rec(size, placement(), 3), out(size, placement(), 4);
        std::copy_n(rec.data(), size, out.data());
        convert(out.data(), rec.data());
        convert(rec.data(), rec.data());
        EXPECT_EQ(rec.bytes(), out.bytes());
    };
    const auto round_trip = [&](std::size_t size, auto there, auto back) {
        guarded_record x(size, placement(), 5), wire(size, placement(), 6), y(size, placement(), 7);
        there(wire.data(), x.data());
        back(y.data(), wire.data());
        EXPECT_EQ(y.bytes(), x.bytes());
    };
    const kind &c = k();
    const auto ntoh = [&](void *dst, const void *src) { c.stats_ntoh(dst, src, c.stats_len); };
    same_in_place(c.req_len, c.req_hton);
    same_in_place(c.req_len, c.req_ntoh);
    same_in_place(c.stats_len, c.stats_hton);
    same_in_place(c.stats_len, ntoh);
    if (!c.req.empty() && covered(c.req) == c.req_len)
        round_trip(c.req_len, c.req_hton, c.req_ntoh);
    if (covered(stats_hton_fields(c)) == c.stats_len)
        round_trip(c.stats_len, c.stats_hton, ntoh);
}

INSTANTIATE_TEST_SUITE_P(kinds, conversions,
                         ::testing::Combine(::testing::Range<std::size_t>(0, std::size(kinds)),
                                            ::testing::ValuesIn(placements)),
                         [](const auto &test) {
                             const int at = std::get<1>(test.param);
                             return std::string(kinds[std::get<0>(test.param)].name) +
                                    (at == flush ? "_flush" : "_at" + std::to_string(at));
                         });

// Kinds without a request, and snmp_clear whose request has no known layout:
// their request conversions must not even read.  A null pointer crashes on
// any access, a zero-size record against a guard page faults or shows in the
// canary.
TEST(conversions_without_request, touch_no_memory) {
    for (const kind &k : kinds) {
        if (!k.req.empty())
            continue;
        SCOPED_TRACE(k.name);
        k.req_hton(nullptr, nullptr);
        k.req_ntoh(nullptr, nullptr);
        for (const int at : placements) {
            guarded_record dst(0, at, 1), src(0, at, 2);
            k.req_hton(dst.data(), src.data());
            k.req_ntoh(dst.data(), src.data());
            EXPECT_TRUE(dst.canary_intact() && src.canary_intact());
        }
    }
}

// Network order is most significant byte first at each field's own width,
// whatever the field's alignment; checked on raw bytes, not through helpers.
// diag has all three widths, none of them naturally aligned.
TEST(network_order, most_significant_byte_first_at_16_32_and_64_bits) {
    std::vector<unsigned char> host(14178), wire(14178), back(14178);
    put<uint16_t>(&host[0], 0x0102);                    // head_u16
    put<uint32_t>(&host[34], 0x01020304U);              // entry_u32[0]
    put<uint64_t>(&host[98], 0x0102030405060708ULL);    // entry_block[0][0]
    put<uint64_t>(&host[14170], 0x0102030405060708ULL); // grid_ctr5[15][15]
    statscl_diag_stats_hton(wire.data(), host.data());
    const unsigned char bytes[] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_TRUE(std::equal(bytes, bytes + 2, &wire[0]));
    EXPECT_TRUE(std::equal(bytes, bytes + 4, &wire[34]));
    EXPECT_TRUE(std::equal(bytes, bytes + 8, &wire[98]));
    EXPECT_TRUE(std::equal(bytes, bytes + 8, &wire[14170]));
    statscl_diag_stats_ntoh(back.data(), wire.data(), 14178);
    EXPECT_EQ(get<uint16_t>(&back[0]), 0x0102);
    EXPECT_EQ(get<uint32_t>(&back[34]), 0x01020304U);
    EXPECT_EQ(get<uint64_t>(&back[98]), 0x0102030405060708ULL);
    EXPECT_EQ(get<uint64_t>(&back[14170]), 0x0102030405060708ULL);
}

} // namespace
} // namespace statscl::test
