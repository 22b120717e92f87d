// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// The 64-bit kernels: every kernel this CPU runs held to the portable one,
// and the loader's choice held to the CPU's own features.
#include "kernels.h"
#include "portable/kernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace statscl::internal {

// A failing case names its kernel.
template <class Fn> void PrintTo(const kernel<Fn> &k, std::ostream *out) { *out << k.name; }

namespace {

using bytes = std::vector<unsigned char>;

// Lengths 0 to 300 values; the destination at each of the 64 offsets within
// a cache line, since the wide kernels choose their steps by where it sits;
// the sources at offsets that run through all 64 as the length changes.
constexpr std::size_t longest = 300, line = 64, room = 8 * longest + 2 * line;

bytes random_bytes(std::mt19937 &random) {
    bytes b(room);
    for (unsigned char &c : b)
        c = static_cast<unsigned char>(random());
    return b;
}

template <class Fn> bool runs(const kernel<Fn> &k) {
#if defined(__x86_64__)
    __builtin_cpu_init();
#endif
    return k.supported();
}

template <class Fn> std::string named(const testing::TestParamInfo<kernel<Fn>> &info) {
    return info.param.name;
}

class swap64_kernel : public testing::TestWithParam<kernel<swap64_fn>> {};
class diff64_kernel : public testing::TestWithParam<kernel<diff64_fn>> {};
class copy64_kernel : public testing::TestWithParam<kernel<copy64_fn>> {};

// A kernel that reads values from src and writes them to dst held to its
// portable one, out of place and in place; no byte outside the values
// changes.
void agrees_with(const kernel<swap64_fn> &k, swap64_fn portable, unsigned seed) {
    std::mt19937 random(seed);
    const bytes src = random_bytes(random), dst = random_bytes(random);
    for (std::size_t count = 0; count <= longest; ++count)
        for (std::size_t to = 0; to < line; ++to) {
            const std::size_t from = (to * 5 + count) % line;
            bytes want = dst, got = dst, in_place = src, want_in_place = src;
            portable(want.data() + to, src.data() + from, count);
            k.fn(got.data() + to, src.data() + from, count);
            portable(want_in_place.data() + to, want_in_place.data() + to, count);
            k.fn(in_place.data() + to, in_place.data() + to, count);
            ASSERT_EQ(got, want) << count << " values, from +" << from << " to +" << to;
            ASSERT_EQ(in_place, want_in_place) << count << " values in place at +" << to;
        }
}

TEST_P(swap64_kernel, reverses_like_the_portable_kernel_at_every_length_and_offset) {
    if (!runs(GetParam()))
        GTEST_SKIP() << "skipped: this CPU cannot run the " << GetParam().name << " kernel";
    agrees_with(GetParam(), swap64_portable, 20261207);
}

TEST_P(copy64_kernel, copies_like_the_portable_kernel_at_every_length_and_offset) {
    if (!runs(GetParam()))
        GTEST_SKIP() << "skipped: this CPU cannot run the " << GetParam().name << " kernel";
    agrees_with(GetParam(), copy64_portable, 20261209);
}

// Into a third record and into either input; no byte outside the results
// changes.
TEST_P(diff64_kernel, subtracts_like_the_portable_kernel_at_every_length_and_offset) {
    const kernel<diff64_fn> &k = GetParam();
    if (!runs(k))
        GTEST_SKIP() << "skipped: this CPU cannot run the " << k.name << " kernel";
    std::mt19937 random(20261208);
    const bytes older = random_bytes(random), newer = random_bytes(random), out = random_bytes(random);
    for (std::size_t count = 0; count <= longest; ++count)
        for (std::size_t at = 0; at < line; ++at) {
            const std::size_t o = (at * 5 + count) % line, n = (at * 3 + 2 * count + 7) % line;
            bytes want = out, got = out;
            diff64_portable(older.data() + o, newer.data() + n, want.data() + at, count);
            k.fn(older.data() + o, newer.data() + n, got.data() + at, count);
            ASSERT_EQ(got, want) << count << " counters, +" << o << " and +" << n << " into +" << at;
            bytes into_older = older, into_newer = newer;
            k.fn(into_older.data() + at, newer.data() + n, into_older.data() + at, count);
            k.fn(older.data() + o, into_newer.data() + at, into_newer.data() + at, count);
            want = older;
            diff64_portable(want.data() + at, newer.data() + n, want.data() + at, count);
            ASSERT_EQ(into_older, want) << count << " counters into the older at +" << at;
            want = newer;
            diff64_portable(older.data() + o, want.data() + at, want.data() + at, count);
            ASSERT_EQ(into_newer, want) << count << " counters into the newer at +" << at;
        }
}

INSTANTIATE_TEST_SUITE_P(kernels, swap64_kernel,
                         testing::ValuesIn(swap64_kernels().begin(), swap64_kernels().end()),
                         named<swap64_fn>);
INSTANTIATE_TEST_SUITE_P(kernels, diff64_kernel,
                         testing::ValuesIn(diff64_kernels().begin(), diff64_kernels().end()),
                         named<diff64_fn>);
INSTANTIATE_TEST_SUITE_P(kernels, copy64_kernel,
                         testing::ValuesIn(copy64_kernels().begin(), copy64_kernels().end()),
                         named<copy64_fn>);

template <class Fn> std::string bound_name(std::span<const kernel<Fn>> list, Fn bound) {
    const auto k = std::find_if(list.begin(), list.end(), [&](const auto &e) { return e.fn == bound; });
    return k == list.end() ? "a kernel of no list" : k->name;
}

// A binding left on a slower kernel converts correctly and is only slow,
// which no other test sees.  What the loader must bind follows from the
// CPU's features alone: the widest kernels it runs.
TEST(kernels, the_loader_binds_the_widest_kernels_this_cpu_runs) {
    std::string swap = "portable", diff = "portable", copy = "portable";
#if defined(__x86_64__)
    __builtin_cpu_init();
    const bool avx512bw = __builtin_cpu_supports("avx512bw"), avx2 = __builtin_cpu_supports("avx2");
    if (vector_kernels) {
        swap = avx512bw ? "avx512bw" : avx2 ? "avx2" : __builtin_cpu_supports("ssse3") ? "ssse3" : swap;
        diff = avx512bw ? "avx512bw" : avx2 ? "avx2" : diff;
        copy = avx512bw ? "avx512bw" : copy;
    }
#elif defined(__aarch64__)
    if (vector_kernels)
        swap = "neon";
#endif
    std::printf("this CPU: swap64 %s, diff64 %s, copy64 %s\n", swap.c_str(), diff.c_str(), copy.c_str());
    EXPECT_EQ(bound_name(swap64_kernels(), statscl_bound_swap64()), swap);
    EXPECT_EQ(bound_name(diff64_kernels(), statscl_bound_diff64()), diff);
    EXPECT_EQ(bound_name(copy64_kernels(), statscl_bound_copy64()), copy);
}

} // namespace
} // namespace statscl::internal
