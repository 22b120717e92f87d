// layout.h - records described as data, and the conversions derived from them.
//
// Each record kind states its layout once, as a list of fields (name, offset,
// width, count).  The conversions are derived from that list: at compile time
// the fields are checked to be packed end to end and merged into runs of
// same-width elements; at run time a conversion walks the runs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "bytes.h"

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

/// `count` elements of `width` bytes from `offset`, converted in one loop.
struct run {
    uint32_t offset;
    uint32_t width;
    uint32_t count;
};

constexpr uint32_t end_of(const field &f) { return f.offset + f.width * f.count; }

/// Byte size of a record: the end of its last field.
template <std::size_t N> constexpr uint32_t size_of(const field (&fields)[N]) {
    return end_of(fields[N - 1]);
}

/// True when the fields follow one another without gap or overlap from
/// offset 0, each of a width that a conversion knows.
template <std::size_t N> constexpr bool is_packed(const field (&fields)[N]) {
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
template <std::size_t N> constexpr std::size_t merge_runs(const field (&fields)[N], run *out) {
    std::size_t n = 0;
    run cur{0, 0, 0};
    for (const field &f : fields) {
        if (cur.count != 0 && f.width == cur.width &&
            f.offset == cur.offset + cur.width * cur.count) {
            cur.count += f.count;
            continue;
        }
        if (cur.count != 0 && cur.width != 1) {
            if (out != nullptr)
                out[n] = cur;
            ++n;
        }
        cur = {f.offset, f.width, f.count};
    }
    if (cur.width != 1) {
        if (out != nullptr)
            out[n] = cur;
        ++n;
    }
    return n;
}

template <const auto &Fields> constexpr auto make_runs() {
    static_assert(is_packed(Fields), "a record's fields must be packed end to end");
    std::array<run, merge_runs(Fields, nullptr)> runs{};
    merge_runs(Fields, runs.data());
    return runs;
}

/// The runs of a record, computed once at compile time.
template <const auto &Fields> inline constexpr auto runs_of = make_runs<Fields>();

/// Converts `count` elements of `width` bytes, src into dst (dst may be src).
void convert_array(byte *dst, const byte *src, uint32_t width, std::size_t count);

/// Converts every element of the runs that ends at or below byte `limit`.
void convert_runs(std::span<const run> runs, byte *dst, const byte *src, uint32_t limit);

/// Converts a whole record, or only the whole elements below `limit`.
template <const auto &Fields>
inline void convert(void *dst, const void *src, uint32_t limit = size_of(Fields)) {
    convert_runs(runs_of<Fields>, static_cast<byte *>(dst), static_cast<const byte *>(src), limit);
}

/// How a kind's stats_ntoh treats the length of the received payload.
enum class len_rule {
    ignored,      // always converts the whole record
    at_least,     // converts the whole record when len >= its size, else nothing
    whole_values, // converts the whole elements that len covers
    exact,        // converts the whole record when len == its size, else nothing
};

/// The network-to-host conversion of a received record under `Rule`.
template <const auto &Fields, len_rule Rule>
inline void convert_received(void *dst, const void *src, uint32_t len) {
    constexpr uint32_t size = size_of(Fields);
    if constexpr (Rule == len_rule::whole_values) {
        convert<Fields>(dst, src, len < size ? len : size);
    } else {
        const bool whole = Rule == len_rule::ignored ||
                           (Rule == len_rule::at_least && len >= size) ||
                           (Rule == len_rule::exact && len == size);
        if (whole)
            convert<Fields>(dst, src);
    }
}

} // namespace statscl::internal
