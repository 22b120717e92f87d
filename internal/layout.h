// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// layout.h - records described as data, and the conversions derived from them.
//
// Each kind of statistics states its records once, as lists of fields (name,
// offset, width, count), in a `kind` together with its len rule and its
// baseline rules.  The conversions are derived from those lists: at compile
// time the fields are checked to be packed end to end and merged into runs
// of same-width elements; a conversion is one loop (or kernel call) per run,
// on a big-endian host one memmove per run.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <utility>

#include "bytes.h"
#include "kernels.h"

namespace statscl::internal {

/// One field of a record: `count` elements of `width` bytes from `offset`.
/// Width 1 marks bytes whose layout the library does not know: they have no
/// byte order, and conversions leave them where they are (they are not
/// copied).
struct field {
    const char *name;
    uint32_t offset;
    uint32_t width;
    uint32_t count;
};

/// A record's fields in offset order; empty for a record a kind does not have.
using record = std::span<const field>;

constexpr uint32_t end_of(const field &f) { return f.offset + f.width * f.count; }

/// Byte size of a record: the end of its last field, 0 for none.
constexpr uint32_t size_of(record fields) { return fields.empty() ? 0 : end_of(fields.back()); }

/// Never defined: reached only while a constant is being evaluated, where
/// calling it is a compile error that names it.
field the_record_has_no_field_of_that_name();

/// The field called `name`.  A name that the record lacks does not compile,
/// so a constant taken from a layout cannot outlive a renamed field.
consteval field field_named(record fields, std::string_view name) {
    for (const field &f : fields)
        if (name == f.name)
            return f;
    return the_record_has_no_field_of_that_name();
}

/// The first element of `f` alone.
constexpr field first_element(field f) { return {f.name, f.offset, f.width, 1}; }

/// How a kind's stats_ntoh treats the length of the received payload.
enum class len_rule {
    ignored,      // always converts the whole record
    at_least,     // converts the whole record when len >= its size, else nothing
    whole_values, // converts the whole elements that len covers
    exact,        // converts the whole record when len == its size, else nothing
};

/// A request field and the value that makes clear and diff cover every
/// counter.
struct selector {
    const char *field = nullptr;
    uint64_t value = 0;
};

/// What a kind's diff or clear does with its request pointer.
enum class request_use {
    unused,   // neither tests nor reads it: NULL is fine
    non_null, // does nothing when it is NULL; reads none of its bytes
    read,     // does nothing when it is NULL; what it does depends on its bytes
};

using diff_rule = void (*)(const void *baseline, const void *req, void *current);
using clear_rule = void (*)(void *baseline, const void *req, const void *current);

/// The diff and clear of a kind that keeps no baseline: they touch no memory.
inline void no_diff(const void * /*baseline*/, const void * /*req*/, void * /*current*/) {}
inline void no_clear(void * /*baseline*/, const void * /*req*/, const void * /*current*/) {}

/// Everything a kind of statistics is: its records, the len rule of its
/// stats_ntoh and its baseline rules.  The exported operations and the
/// tables are derived from it.
struct kind {
    record request{}; ///< empty: the kind has no request; its conversions touch nothing
    record stats;
    len_rule stats_len;
    diff_rule diff = no_diff;
    clear_rule clear = no_clear;
    bool handlers = false;      ///< save_pss and restore_pss call the host's handlers
    bool diff_newer_first = false; ///< diff(newer, req, older) writes newer - older into older
    selector select_all{};         ///< the request field that widens clear and diff to everything
    record diff_fields{};          ///< what diff writes, and clear captures, under select_all
    request_use diff_request = request_use::unused;  ///< what diff does with req
    request_use clear_request = request_use::unused; ///< what clear does with req
    record stats_hton_big_endian{}; ///< when not empty: all that stats_hton converts on big-endian
};

/// `count` elements of `width` bytes from `offset`, converted in one loop.
struct run {
    uint32_t offset;
    uint32_t width;
    uint32_t count;
};

/// True when the fields follow one another without gap or overlap from
/// offset 0, each of a width that a conversion knows.
constexpr bool is_packed(record fields) {
    uint32_t at = 0;
    for (const field &f : fields) {
        const bool known = f.width == 1 || f.width == 2 || f.width == 4 || f.width == 8;
        if (f.offset != at || !known || f.count == 0)
            return false;
        at = end_of(f);
    }
    return true;
}

/// Merges adjacent fields of the same width into runs; width-1 fields make
/// no run.  With `out` null only counts the runs.
constexpr std::size_t merge_runs(record fields, run *out) {
    std::size_t n = 0;
    run cur{0, 0, 0};
    const auto emit = [&] {
        if (cur.count != 0 && cur.width != 1) {
            if (out != nullptr)
                out[n] = cur;
            ++n;
        }
    };
    for (const field &f : fields) {
        if (cur.count != 0 && f.width == cur.width &&
            f.offset == cur.offset + cur.width * cur.count) {
            cur.count += f.count;
            continue;
        }
        emit();
        cur = {f.offset, f.width, f.count};
    }
    emit();
    return n;
}

/// The runs of record `R` of kind `K`, computed once at compile time.
template <const kind &K, record kind::*R>
inline constexpr auto runs_of = [] {
    static_assert(is_packed(K.*R), "a record's fields must be packed end to end");
    std::array<run, merge_runs(K.*R, nullptr)> runs{};
    merge_runs(K.*R, runs.data());
    return runs;
}();

/// Converts `count` 64-bit values, src into dst (dst may be src).  On a
/// big-endian host this is a copy, skipped when dst is src.
inline void convert64(byte *dst, const byte *src, std::size_t count) {
    if constexpr (std::endian::native == std::endian::big) {
        if (dst != src)
            std::memmove(dst, src, 8 * count);
    } else {
        swap64(dst, src, count);
    }
}

/// Runs of at least this many 64-bit values go to the kernel; shorter runs
/// are converted inline.
inline constexpr uint32_t kernel_run = 8;

/// Converts the elements of run R that end at or below byte `limit`.
template <run R> inline void convert_run(byte *dst, const byte *src, uint32_t limit) {
    if (limit <= R.offset)
        return;
    const uint32_t whole = (limit - R.offset) / R.width;
    const std::size_t n = whole < R.count ? whole : R.count;
    byte *d = dst + R.offset;
    const byte *s = src + R.offset;
    if constexpr (std::endian::native == std::endian::big) {
        // Network order is host order: each run is one copy.
        if (d != s)
            std::memmove(d, s, n * R.width);
    } else if constexpr (R.width == 8 && R.count >= kernel_run) {
        swap64(d, s, n);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            convert_one<uint_t<R.width>>(d + i * R.width, s + i * R.width);
    }
}

/// Converts record `R` of kind `K` whole, or only its whole elements below
/// `limit`.  The walk over the runs is unrolled at compile time.
template <const kind &K, record kind::*R>
inline void convert(void *dst, const void *src, uint32_t limit = size_of(K.*R)) {
    constexpr auto &runs = runs_of<K, R>;
    auto *d = static_cast<byte *>(dst);
    const auto *s = static_cast<const byte *>(src);
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (convert_run<runs[I]>(d, s, limit), ...);
    }(std::make_index_sequence<runs.size()>{});
}

/// The network-to-host conversion of a received statistics record.
template <const kind &K> inline void convert_received(void *dst, const void *src, uint32_t len) {
    constexpr uint32_t size = size_of(K.stats);
    constexpr len_rule rule = K.stats_len;
    if constexpr (rule == len_rule::whole_values) {
        convert<K, &kind::stats>(dst, src, len < size ? len : size);
    } else {
        const bool whole = rule == len_rule::ignored || (rule == len_rule::at_least && len >= size) ||
                           (rule == len_rule::exact && len == size);
        if (whole)
            convert<K, &kind::stats>(dst, src);
    }
}

/// The host-to-network conversion of a statistics record.
template <const kind &K> inline void convert_sent(void *dst, const void *src) {
    if constexpr (std::endian::native == std::endian::big && !K.stats_hton_big_endian.empty())
        convert<K, &kind::stats_hton_big_endian>(dst, src);
    else
        convert<K, &kind::stats>(dst, src);
}

} // namespace statscl::internal
