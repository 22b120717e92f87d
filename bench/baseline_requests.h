// baseline_requests.h - for the programs that count instructions: each kind
// whose diff and clear do work, the bytes of the counters they cover, and
// the requests that select all of them and half (no half: bytes_half 0).
#pragma once

#include "statscl_convert.h"

#include <cstdint>
#include <cstring>
#include <vector>

struct baseline_request {
    uint32_t type;
    uint32_t bytes_all, bytes_half;
    void (*select)(unsigned char *req, bool all);
};

inline const std::vector<baseline_request> &baseline_requests() {
    static const auto put32 = [](unsigned char *p, uint32_t v) { std::memcpy(p, &v, 4); };
    static const auto put64 = [](unsigned char *p, uint64_t v) { std::memcpy(p, &v, 8); };
    static const std::vector<baseline_request> list = {
        {STATSCL_TYPE_PKTFLOW, 816, 0, [](unsigned char *r, bool) { put32(r, 0); }},
        {STATSCL_TYPE_DIAG, 14178, 0, [](unsigned char *, bool) {}},
        {STATSCL_TYPE_QOS, 512, 256, [](unsigned char *r, bool all) { put32(r, all ? 3 : 1); }},
        {STATSCL_TYPE_VL, 512, 256, [](unsigned char *r, bool all) { put32(r, all ? 0xFF : 0x0F); }},
        {STATSCL_TYPE_STORM_SUPP, 8, 0, [](unsigned char *, bool) {}},
        {STATSCL_TYPE_EEE, 32, 0, [](unsigned char *, bool) {}},
        {STATSCL_TYPE_PHY, 16, 0, [](unsigned char *, bool) {}},
        {STATSCL_TYPE_FABRIC_PATH, 1152, 576,
         [](unsigned char *r, bool all) { put64(r + 8, all ? ~0ULL : 0xFFFFFFULL); }},
    };
    return list;
}
