// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// oracle.h - what every kind of record must do, stated here from the
// system's rules and independently of the library's own descriptions, and
// the checks that hold the library to it.  The unit tests run the checks on
// inputs from fixed seeds, the fuzz targets on the fuzzer's inputs.
#pragma once

#include "statscl_convert.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace statscl::oracle {

using bytes = std::vector<unsigned char>;

/// `count` elements of `width` bytes from `offset`.  Width 1: bytes of no
/// known layout, which no conversion writes.
struct field {
    uint32_t offset, width, count;
    friend bool operator==(const field &, const field &) = default;
};
using layout = std::vector<field>;

/// Byte size of a record: the end of its last field.
uint32_t size_of(const layout &fields);

/// How stats_ntoh treats the received length.
enum class len_rule { ignored, at_least, whole_values, exact };

/// What diff subtracts and clear captures.
enum class counters { none, leading, pktflow, diag, qos, vl, fabric_path };

/// The record roles of diff and clear, as bits.
enum role : unsigned { base = 1, req = 2, cur = 4 };

/// The roles an operation tests against null (and then writes nothing), and
/// the roles whose memory it reads; any other role may be anything.
struct guards {
    unsigned tests, reads;
};

struct kind {
    std::string name;
    uint32_t type; ///< 0: platform-dependent, reached by name only
    layout request, stats;
    len_rule rule;
    counters which;
    uint32_t leading; ///< counters from offset 0 that diff and clear take, as the request selects
    guards diff, clear;
    bool handlers; ///< save and restore reach the host's handlers
};

/// Types 1 to 15 in order, then the five platform-dependent kinds.
extern const std::vector<kind> kinds;

/// `dst` with every element of `fields` that ends at or below `limit`
/// converted from `src`: reversed on a little-endian host, copied on a
/// big-endian one.
bytes converted(const layout &fields, const bytes &src, bytes dst, uint32_t limit);

/// The choices of one check, taken from the fuzzer's input or from a seeded
/// generator's bytes; zeros once the input is used up.
class reader {
  public:
    explicit reader(std::span<const uint8_t> data) : data_(data) {}
    uint8_t byte() { return at_ < data_.size() ? data_[at_++] : 0; }
    uint64_t u64();
    /// `n` bytes generated from a seed that the input gives.
    bytes fill(std::size_t n);

  private:
    std::span<const uint8_t> data_;
    std::size_t at_ = 0;
};

/// Drives all of the kind's operations (save and restore only when `pss`)
/// with records, lengths, requests, null pointers and placements that the
/// input chooses; throws std::runtime_error naming the first broken rule.
void check(const kind &k, reader &in, bool pss = true);

/// diff and clear as check() drives them, with the request's selector (as
/// pick_request places it) set to `value`.
void check_selection(const kind &k, uint64_t value, reader &in);

/// The request field whose value makes diff and clear take every counter;
/// width 0 where the request selects nothing.
struct selector {
    uint32_t offset, width;
    uint64_t value;
};
selector select_all(const kind &k);

/// The elements, one per entry, that diff writes under select_all.
layout diff_elements(const kind &k);

/// save_pss and restore_pss of a table kind, with input-chosen arguments.
void check_pss(const kind &k, reader &in);

// The host side, in host.cpp: what the program saw of app_log and of the
// handlers, one line per call in order ("log <flag> <text>", "call <name>
// [arguments in hex]"), and what app_log returns.
std::vector<std::string> &events();
extern int app_log_result;
std::string handler_call(const char *name, uint64_t a0, uint32_t a1, uint32_t a2, uint32_t a3,
                         uint32_t a4, uint32_t a5);
inline constexpr int32_t save_result = 0x5A5A0001, restore_result = 0x5A5A0002;
/// The host's interface-index converters: unlike any byte swap.
inline constexpr uint32_t if_index_hton(uint32_t i) { return ~i; }
inline constexpr uint32_t if_index_ntoh(uint32_t i) { return i ^ 0x0F0F0F0FU; }

} // namespace statscl::oracle
