// layout.h - records described as data, and the conversions derived from them.
//
// Each record kind states its layout once, as a list of fields (name, offset,
// width, count).  The conversions are derived from that list: at compile time
// the fields are checked to be packed end to end and merged into runs of
// same-width elements; a conversion is one loop (or kernel call) per run, on
// a big-endian host one memmove per run.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "bytes.h"
#include "swap64.h"

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

template <uint32_t Width> struct uint_of;
template <> struct uint_of<2> { using type = uint16_t; };
template <> struct uint_of<4> { using type = uint32_t; };
template <> struct uint_of<8> { using type = uint64_t; };

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
            convert_one<typename uint_of<R.width>::type>(d + i * R.width, s + i * R.width);
    }
}

/// Converts a whole record, or only its whole elements below `limit`.  The
/// walk over the runs is unrolled at compile time.
template <const auto &Fields>
inline void convert(void *dst, const void *src, uint32_t limit = size_of(Fields)) {
    constexpr auto &runs = runs_of<Fields>;
    auto *d = static_cast<byte *>(dst);
    const auto *s = static_cast<const byte *>(src);
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (convert_run<runs[I]>(d, s, limit), ...);
    }(std::make_index_sequence<runs.size()>{});
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
