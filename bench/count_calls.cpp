// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// count_calls.cpp - calls each row's stats_hton and stats_ntoh, and each
// diff and clear with every counter selected, exactly once, so that
// callgrind's inclusive cost of each function is its instruction count per
// call.  Prints "function bytes" for each call made.
#include "statscl_convert.h"

#include <cstdio>
#include <string>
#include <vector>

#include "baseline_requests.h"

int main() {
    std::vector<unsigned char> src(16412 + 64), dst(src.size()), base(src.size()), req(256);
    for (std::size_t i = 0; i < src.size(); ++i)
        src[i] = static_cast<unsigned char>(i * 131 + 7);
    for (uint32_t type = 1; type < STATSCL_PI_ROWS; ++type) {
        const statscl_convert_t *row = statscl_get_convert_tbl(type);
        if (row == nullptr)
            continue;
        const std::string name = std::string("statscl_") + statscl::internal::catalogue[type - 1].name;
        row->stats_hton(dst.data(), src.data());
        row->stats_ntoh(dst.data(), src.data(), row->stats_len);
        std::printf("%s_stats_hton %u\n%s_stats_ntoh %u\n", name.c_str(), row->stats_len,
                    name.c_str(), row->stats_len);
    }
    for (const baseline_request &w : baseline_requests()) {
        const std::string name = std::string("statscl_") + w.kind.name;
        w.select(req.data(), true);
        w.row->diff(base.data(), req.data(), dst.data());
        w.row->clear(base.data(), req.data(), dst.data());
        std::printf("%s_diff %u\n%s_clear %u\n", name.c_str(), w.bytes_all, name.c_str(),
                    w.bytes_all);
    }
    return 0;
}
