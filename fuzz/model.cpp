// model.cpp - expected conversions and the checks of the fuzz targets.
#include "model.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace statscl::fuzz {

uint32_t converted_limit(len_rule rule, uint32_t size, uint32_t len) {
    switch (rule) {
    case len_rule::ignored:
        return size;
    case len_rule::at_least:
        return len >= size ? size : 0;
    case len_rule::whole_values:
        return len < size ? len : size;
    case len_rule::exact:
        return len == size ? size : 0;
    }
    return 0;
}

bool covers_whole(std::span<const elements> layout, uint32_t size) {
    uint32_t covered = 0;
    for (const elements &e : layout)
        covered += e.width * e.count;
    return covered == size;
}

bytes_t converted(std::span<const elements> layout, const bytes_t &src, bytes_t dst_before,
                  uint32_t limit) {
    for (const elements &e : layout)
        for (uint32_t i = 0; i < e.count; ++i) {
            const uint32_t at = e.offset + i * e.width;
            if (at + e.width > limit)
                return dst_before;
            for (uint32_t k = 0; k < e.width; ++k)
                dst_before[at + k] = src[at + e.width - 1 - k];
        }
    return dst_before;
}

uint64_t load64(const bytes_t &b, std::size_t at) {
    uint64_t v;
    std::memcpy(&v, b.data() + at, 8);
    return v;
}

void store64(bytes_t &b, std::size_t at, uint64_t v) { std::memcpy(b.data() + at, &v, 8); }

void fill(unsigned char *p, std::size_t n, const bytes_t &from, std::size_t shift,
          unsigned char flip) {
    if (from.empty()) {
        std::memset(p, flip, n);
        return;
    }
    // One rotated copy of `from`, then doubling copies of what is written.
    const std::size_t first = std::min(n, from.size());
    for (std::size_t i = 0; i < first; ++i)
        p[i] = from[(i + shift) % from.size()] ^ flip;
    for (std::size_t done = first; done < n;) {
        const std::size_t chunk = std::min(done - done % from.size(), n - done);
        std::memcpy(p + done, p, chunk);
        done += chunk;
    }
}

void require(bool holds, const char *what) {
    if (holds)
        return;
    std::fprintf(stderr, "broken expectation: %s\n", what);
    std::abort();
}

void require_bytes(const unsigned char *p, const bytes_t &want, const char *what) {
    if (std::memcmp(p, want.data(), want.size()) == 0)
        return;
    for (std::size_t i = 0; i < want.size(); ++i)
        if (p[i] != want[i]) {
            std::fprintf(stderr, "broken expectation: %s: byte %zu is 0x%02x, expected 0x%02x\n",
                         what, i, p[i], want[i]);
            std::abort();
        }
}

} // namespace statscl::fuzz
