// record_buffer.cpp - guard-paged records.
#include "record_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace statscl::test {
namespace {

constexpr unsigned char canary = 0xC5;

std::size_t page_size() { return static_cast<std::size_t>(sysconf(_SC_PAGESIZE)); }

} // namespace

void fill_pattern(std::span<unsigned char> bytes, unsigned seed) {
    uint32_t x = seed * 2654435761U + 12345U;
    for (unsigned char &b : bytes) {
        x = x * 1103515245U + 12345U;
        b = static_cast<unsigned char>(x >> 16);
    }
}

guarded_record::guarded_record(std::size_t size, int placement, unsigned seed) : size_(size) {
    const std::size_t page = page_size();
    const std::size_t body = (size + 16 + page - 1) / page * page; // 16: room for misplacement
    map_size_ = body + 2 * page;
    void *map = mmap(nullptr, map_size_, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (map == MAP_FAILED)
        std::abort();
    map_ = static_cast<unsigned char *>(map);
    if (mprotect(map_ + page, body, PROT_READ | PROT_WRITE) != 0)
        std::abort();
    unsigned char *guard = map_ + page + body;
    std::memset(map_ + page, canary, body);
    record_ = guard - size;
    if (placement != flush) {
        const auto start = reinterpret_cast<uintptr_t>(record_);
        const uintptr_t wanted = (start & ~uintptr_t{7}) + static_cast<uintptr_t>(placement);
        record_ -= wanted <= start ? start - wanted : start - wanted + 8;
    }
    fill_pattern({record_, size_}, seed);
}

guarded_record::~guarded_record() { munmap(map_, map_size_); }

bool guarded_record::canary_intact() const {
    const unsigned char *first = map_ + page_size();
    const unsigned char *last = map_ + map_size_ - page_size();
    for (const unsigned char *p = first; p < last; ++p)
        if ((p < record_ || p >= record_ + size_) && *p != canary)
            return false;
    return true;
}

} // namespace statscl::test
