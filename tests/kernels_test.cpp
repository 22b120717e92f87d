// The 64-bit kernels held to one another and to a byte-by-byte reversal, on
// random data at every alignment of source and destination, in place and out
// of place, so that the vector kernels cannot drift from the portable one.
#include "swap64.h"
#ifdef STATSCL_X86_KERNELS
#include "x86/kernels.h"
#endif

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace statscl::test {
namespace {

using internal::byte;

struct kernel {
    std::string name;
    internal::swap64_fn run;
};

std::vector<kernel> available_kernels() {
    std::vector<kernel> k{{"scalar", internal::swap64_scalar}};
#ifdef STATSCL_X86_KERNELS
    __builtin_cpu_init();
    for (const internal::swap64_kernel &x : internal::swap64_kernels)
        if (x.supported())
            k.push_back({x.name, x.fn});
#endif
    k.push_back({"dispatched", internal::swap64});
    return k;
}

TEST(kernels, agree_with_a_bytewise_reversal_at_every_alignment) {
    std::mt19937 random(20261205);
    constexpr std::size_t counts[] = {0, 1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 33, 64, 151, 2051};
    for (const kernel &k : available_kernels())
        for (const std::size_t count : counts)
            for (std::size_t src_at = 0; src_at < 8; ++src_at)
                for (std::size_t dst_at = 0; dst_at < 8; ++dst_at) {
                    std::vector<byte> src(8 * count + 16), dst(8 * count + 16), want;
                    for (byte &b : src)
                        b = static_cast<byte>(random());
                    for (byte &b : dst)
                        b = static_cast<byte>(random());
                    want = dst;
                    for (std::size_t i = 0; i < 8 * count; ++i)
                        want[dst_at + i] = src[src_at + (i & ~std::size_t{7}) + 7 - (i & 7)];
                    k.run(dst.data() + dst_at, src.data() + src_at, count);
                    ASSERT_EQ(dst, want) << k.name << " count " << count << " src +" << src_at
                                         << " dst +" << dst_at;

                    // In place gives the same bytes.
                    std::vector<byte> in_place = src;
                    k.run(in_place.data() + src_at, in_place.data() + src_at, count);
                    for (std::size_t i = 0; i < 8 * count; ++i)
                        ASSERT_EQ(in_place[src_at + i], want[dst_at + i]) << k.name << " in place";
                }
}

} // namespace
} // namespace statscl::test
