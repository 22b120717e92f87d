// The converter tables and the lookup by type id.
#include "statscl_convert.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

namespace {

// Row sizes as the interface states them, by type id.
struct row_sizes {
    uint32_t type, req_len, stats_len;
};
constexpr row_sizes expected_rows[] = {
    {1, 80, 864}, {2, 0, 14178}, {3, 4, 960},   {4, 4, 512},     {5, 0, 1208},
    {6, 8, 32},   {7, 4, 512},   {8, 12, 12},   {9, 0, 32},      {10, 0, 32},
    {11, 0, 16},  {12, 0, 16},   {13, 24, 524}, {14, 144, 2720}, {15, 20, 16412},
};

TEST(lookup, ids_that_name_no_kind_yield_null) {
    for (const uint32_t type : {0U, 16U, 17U, 511U, 512U, 0x7FFFFFFFU, 0xFFFFFFFFU})
        EXPECT_EQ(statscl_get_convert_tbl(type), nullptr) << "type " << type;
}

TEST(lookup, yields_the_tables_own_row_with_its_sizes) {
    for (const row_sizes &r : expected_rows) {
        const statscl_convert_t *row = statscl_get_convert_tbl(r.type);
        ASSERT_EQ(row, &statscl_pi_convert_tbl[r.type]) << "type " << r.type;
        EXPECT_EQ(row->req_len, r.req_len) << "type " << r.type;
        EXPECT_EQ(row->stats_len, r.stats_len) << "type " << r.type;
        EXPECT_EQ(row->reserved, 0U);
    }
}

TEST(lookup, filled_rows_have_every_slot_and_row_zero_none) {
    for (uint32_t type = 1; type < STATSCL_PI_ROWS; ++type) {
        const statscl_convert_t &row = statscl_pi_convert_tbl[type];
        EXPECT_TRUE(row.req_hton && row.req_ntoh && row.stats_hton && row.stats_ntoh && row.diff &&
                    row.clear && row.save_pss && row.restore_pss)
            << "type " << type;
    }
    const statscl_convert_t zero{};
    EXPECT_EQ(0, std::memcmp(&statscl_pi_convert_tbl[0], &zero, sizeof zero));
    EXPECT_EQ(0, std::memcmp(&statscl_pd_convert_tbl[0], &zero, sizeof zero));
}

// The row layout is ABI: three 32-bit words, then eight pointers in order.
TEST(lookup, row_layout_is_fixed) {
    EXPECT_EQ(offsetof(statscl_convert_t, req_len), 0U);
    EXPECT_EQ(offsetof(statscl_convert_t, stats_len), 4U);
    EXPECT_EQ(offsetof(statscl_convert_t, reserved), 8U);
    EXPECT_LT(offsetof(statscl_convert_t, req_hton), offsetof(statscl_convert_t, req_ntoh));
    EXPECT_EQ(offsetof(statscl_convert_t, restore_pss) - offsetof(statscl_convert_t, req_hton),
              7 * sizeof(void *));
}

TEST(lookup, storm_supp_row_points_to_its_exported_operations) {
    const statscl_convert_t *row = statscl_get_convert_tbl(STATSCL_TYPE_STORM_SUPP);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->req_hton, &statscl_storm_supp_req_hton);
    EXPECT_EQ(row->req_ntoh, &statscl_storm_supp_req_ntoh);
    EXPECT_EQ(row->stats_hton, &statscl_storm_supp_stats_hton);
    EXPECT_EQ(row->stats_ntoh, &statscl_storm_supp_stats_ntoh);
    EXPECT_EQ(row->diff, &statscl_storm_supp_diff);
    EXPECT_EQ(row->clear, &statscl_storm_supp_clear);
    EXPECT_EQ(row->save_pss, &statscl_storm_supp_save_pss);
    EXPECT_EQ(row->restore_pss, &statscl_storm_supp_restore_pss);
}

} // namespace
