// expect.h - test-side views of record bytes and byte-exact expectations.
//
// The tests state every offset and width themselves; nothing here comes from
// the library's own layout descriptions.  Expectations are written so that
// they hold on either byte order: a host-order value is what memcpy gives,
// a network-order value is built from its bytes most significant first.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <span>
#include <vector>

namespace statscl::test {

/// The host-order integer of `width` bytes at p.
inline uint64_t host_value(const unsigned char *p, unsigned width) {
    switch (width) {
    case 2: {
        uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    }
    case 4: {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    default: {
        uint64_t v;
        std::memcpy(&v, p, 8);
        return v;
    }
    }
}

/// The network-order (big-endian) integer of `width` bytes at p.
inline uint64_t net_value(const unsigned char *p, unsigned width) {
    uint64_t v = 0;
    for (unsigned i = 0; i < width; ++i)
        v = v << 8 | p[i];
    return v;
}

/// Stores v in host order.
template <class T> void put(unsigned char *p, T v) { std::memcpy(p, &v, sizeof v); }
template <class T> T get(const unsigned char *p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

/// Stores v in network order.
inline void put_net(unsigned char *p, uint64_t v, unsigned width) {
    for (unsigned i = 0; i < width; ++i)
        p[i] = static_cast<unsigned char>(v >> 8 * (width - 1 - i));
}

/// `count` elements of `width` bytes from `offset`, as a test states them.
struct span_of {
    std::size_t offset;
    unsigned width;
    std::size_t count = 1;
};

enum class direction { hton, ntoh };

/// Checks that every element of `fields` in dst is src's element converted
/// in `dir`, and that every other byte of dst still equals `dst_before`.
inline void expect_converted(const unsigned char *dst, const unsigned char *src,
                             const std::vector<unsigned char> &dst_before,
                             std::span<const span_of> fields, direction dir) {
    std::vector<bool> written(dst_before.size(), false);
    for (const span_of &f : fields)
        for (std::size_t i = 0; i < f.count; ++i) {
            const std::size_t at = f.offset + i * f.width;
            const uint64_t want = dir == direction::hton ? host_value(src + at, f.width)
                                                         : net_value(src + at, f.width);
            const uint64_t got = dir == direction::hton ? net_value(dst + at, f.width)
                                                        : host_value(dst + at, f.width);
            EXPECT_EQ(got, want) << "element at offset " << at << " (width " << f.width << ")";
            for (unsigned k = 0; k < f.width; ++k)
                written[at + k] = true;
        }
    for (std::size_t i = 0; i < dst_before.size(); ++i)
        if (!written[i]) {
            EXPECT_EQ(dst[i], dst_before[i]) << "byte " << i << " should be untouched";
        }
}

/// The same, for fields written out at the call.
inline void expect_converted(const unsigned char *dst, const unsigned char *src,
                             const std::vector<unsigned char> &dst_before,
                             std::initializer_list<span_of> fields, direction dir) {
    expect_converted(dst, src, dst_before, std::span<const span_of>(fields.begin(), fields.size()),
                     dir);
}

/// Checks that bytes [from, to) of `now` equal those of `before`.
inline void expect_unchanged(const unsigned char *now, const std::vector<unsigned char> &before,
                             std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        EXPECT_EQ(now[i], before[i]) << "byte " << i << " changed";
}

} // namespace statscl::test
