// model.h - what the fuzz targets expect of a conversion, worked out byte by
// byte from a record's layout as each target states it, and the checks that
// stop the run on the first broken expectation.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace statscl::fuzz {

// The targets run on the fuzzing host, where every converted field is
// reversed; a big-endian build is covered by the unit tests under qemu.
static_assert(std::endian::native == std::endian::little,
              "fuzz targets expect a little-endian host");

using bytes_t = std::vector<unsigned char>;

/// `count` elements of `width` bytes from `offset`.
struct elements {
    uint32_t offset;
    uint32_t width;
    uint32_t count;
};

/// How a stats_ntoh treats the received length.
enum class len_rule { ignored, at_least, whole_values, exact };

/// The bytes of a record of `size` that stats_ntoh converts for `len`: the
/// whole record, the whole elements below the returned limit, or none (0).
uint32_t converted_limit(len_rule rule, uint32_t size, uint32_t len);

/// True when the elements cover every byte of a record of `size`.
bool covers_whole(std::span<const elements> layout, uint32_t size);

/// dst as a conversion of src must leave it: every element that ends at or
/// below `limit` is src's element reversed, every other byte is dst_before's.
bytes_t converted(std::span<const elements> layout, const bytes_t &src, bytes_t dst_before,
                  uint32_t limit);

/// Host-order 64-bit value at `at`, and its store.
uint64_t load64(const bytes_t &b, std::size_t at);
void store64(bytes_t &b, std::size_t at, uint64_t v);

/// Fills `n` bytes at p from `from`, cyclically from `shift` on, each byte
/// xored with `flip` (all `flip` when `from` is empty).
void fill(unsigned char *p, std::size_t n, const bytes_t &from, std::size_t shift,
          unsigned char flip);

/// Reports `what` and aborts, so that the fuzzer keeps the input, unless
/// `holds`.
void require(bool holds, const char *what);

/// require(now == want) for the record at p, with the first differing byte
/// in the report.
void require_bytes(const unsigned char *p, const bytes_t &want, const char *what);

} // namespace statscl::fuzz
