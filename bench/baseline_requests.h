// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// baseline_requests.h - for the bench programs: each table kind whose diff
// does work, the bytes of the counters its description says diff and clear
// cover, and its request set to select all of them or half (from the
// description's select_all), in host order as diff and clear read it.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "../core/catalogue.h"

struct baseline_request {
    const statscl::internal::kind_info &kind;
    const statscl_convert_t *row;
    uint32_t bytes_all, bytes_half; ///< bytes_half 0: no request selects half

    /// Zeroes req and sets its selecting field, if the kind has one, to
    /// select every counter or half of them: the low half of the set bits of
    /// select_all (qos 3 -> 1, vl 0xFF -> 0x0F, fabric_path's 48 paths -> 24).
    void select(unsigned char *req, bool all) const {
        using namespace statscl::internal;
        std::memset(req, 0, 256);
        uint64_t value = kind.select_all.value;
        if (!all) {
            uint64_t half = 0, bits = value;
            for (int n = std::popcount(bits) / 2; n > 0; --n, bits &= bits - 1)
                half |= bits & (~bits + 1);
            value = half;
        }
        for (const field &f : kind.request)
            if (kind.select_all.field != nullptr && std::strcmp(f.name, kind.select_all.field) == 0)
                with_width(f.width, [&]<class T>() { store(req + f.offset, static_cast<T>(value)); });
    }
};

inline const std::vector<baseline_request> &baseline_requests() {
    static const std::vector<baseline_request> list = [] {
        std::vector<baseline_request> kinds;
        for (const statscl::internal::kind_info &k : statscl::internal::catalogue) {
            if (k.type == 0 || !statscl::internal::diff_works(k))
                continue;
            uint32_t bytes = 0;
            for (const statscl::internal::field &f : k.diff_fields)
                bytes += f.width * f.count;
            kinds.push_back({k, statscl_get_convert_tbl(k.type), bytes,
                             k.select_all.field != nullptr ? bytes / 2 : 0});
        }
        return kinds;
    }();
    return list;
}
