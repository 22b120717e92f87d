// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// primitives.cpp - the exported conversions of the TLV header and of arrays
// of 64-bit counters, and the counter-array subtraction.
#include "statscl_convert.h"

#include "../internal/counters.h"
#include "../internal/layout.h"
#include "statscl_platform.h"

using namespace statscl::internal;

namespace {

// Words 0, 2 and 3 convert as 32-bit integers, the interface index at offset
// 4 through the platform.  Every source word is read before the destination
// word at the same offset is written.
uint32_t convert_tlv_hdr(byte *dst, const byte *src, uint32_t (*convert_if_index)(uint32_t)) {
    convert_one<uint32_t>(dst, src);
    const uint32_t if_index = convert_if_index(load<uint32_t>(src + 4));
    const uint32_t word3 = load<uint32_t>(src + 12);
    const uint32_t word2 = load<uint32_t>(src + 8);
    store(dst + 4, if_index);
    store(dst + 12, to_from_net(word3));
    store(dst + 8, to_from_net(word2));
    return if_index;
}

} // namespace

extern "C" {

uint32_t statscl_tlv_hdr_hton(void *dst, const void *src) {
    return convert_tlv_hdr(bytes(dst), bytes(src), hton_if_index);
}

uint32_t statscl_tlv_hdr_ntoh(void *dst, const void *src) {
    return convert_tlv_hdr(bytes(dst), bytes(src), ntoh_if_index);
}

void statscl_uint64_hton(void *dst, const void *src, uint32_t count) {
    convert64(bytes(dst), bytes(src), count);
}

void statscl_uint64_ntoh(void *dst, const void *src, uint32_t count) {
    convert64(bytes(dst), bytes(src), count);
}

void statscl_uint64_diff(const void *old_values, const void *new_values, void *out,
                         uint32_t count) {
    diff64(bytes(old_values), bytes(new_values), bytes(out), count);
}

} // extern "C"
