// fabric_path.cpp - fabric paths: diff and clear touch only the paths that
// the request's path mask selects.
#include "fabric_path.h"

#include "../core/counters.h"
#include "statscl_convert.h"

using namespace statscl::internal;

namespace {

// Calls apply(offset, n) for each run of n adjacent selected paths in each of
// the three arrays; the mask is read once, and bits 48 to 63 select nothing.
template <class Apply> void for_selected_paths(const void *req, Apply apply) {
    const uint64_t mask = load<uint64_t>(bytes(req) + fabric_path_mask_at);
    for_each_bit_run(mask & ((uint64_t{1} << fabric_paths) - 1),
                     [&](std::size_t path, std::size_t n) {
                         for (const uint32_t array : fabric_path_arrays_at)
                             apply(array + 8 * path, n);
                     });
}

} // namespace

extern "C" {

void statscl_fabric_path_req_hton(void *dst, const void *src) {
    convert<fabric_path_request>(dst, src);
}
void statscl_fabric_path_req_ntoh(void *dst, const void *src) {
    convert<fabric_path_request>(dst, src);
}
void statscl_fabric_path_stats_hton(void *dst, const void *src) {
    convert<fabric_path_stats>(dst, src);
}

void statscl_fabric_path_stats_ntoh(void *dst, const void *src, uint32_t len) {
    convert_received<fabric_path_stats, fabric_path_stats_len>(dst, src, len);
}

void statscl_fabric_path_diff(const void *baseline, const void *req, void *current) {
    if (baseline == nullptr || req == nullptr || current == nullptr)
        return;
    for_selected_paths(req, [&](std::size_t at, std::size_t n) {
        diff64(bytes(baseline) + at, bytes(current) + at, bytes(current) + at, n);
    });
}

void statscl_fabric_path_clear(void *baseline, const void *req, const void *current) {
    if (baseline == nullptr || req == nullptr || current == nullptr)
        return;
    for_selected_paths(req, [&](std::size_t at, std::size_t n) {
        copy64(bytes(baseline) + at, bytes(current) + at, n);
    });
}

int32_t statscl_fabric_path_save_pss(void) { return 0; }

int32_t statscl_fabric_path_restore_pss(uint64_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                        uint32_t) {
    return 0;
}

} // extern "C"
