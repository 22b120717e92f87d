// guarded.cpp - guard-paged arenas.
#include "guarded.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace statscl::fuzz {
namespace {

constexpr unsigned char canary = 0xC5;

std::size_t page_size() { return static_cast<std::size_t>(sysconf(_SC_PAGESIZE)); }

unsigned char *map_none(std::size_t size) {
    void *map = mmap(nullptr, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (map == MAP_FAILED)
        std::abort();
    return static_cast<unsigned char *>(map);
}

// True when every byte of [from, to) holds the canary.
bool all_canary(const unsigned char *from, const unsigned char *to) {
    static const std::vector<unsigned char> expected(256, canary);
    while (from < to) {
        const auto n = std::min<std::size_t>(static_cast<std::size_t>(to - from), expected.size());
        if (std::memcmp(from, expected.data(), n) != 0)
            return false;
        from += n;
    }
    return true;
}

} // namespace

arena::arena(std::size_t capacity) {
    const std::size_t page = page_size();
    body_ = (capacity + 16 + page - 1) / page * page; // 16: room for the canaries
    map_size_ = body_ + 2 * page;
    map_ = map_none(map_size_);
    if (mprotect(map_ + page, body_, PROT_READ | PROT_WRITE) != 0)
        std::abort();
    record_ = map_ + page;
    std::memset(record_, canary, body_);
}

arena::~arena() { munmap(map_, map_size_); }

unsigned char *arena::place(std::size_t size, unsigned placement) {
    // Every other body byte still holds its canary: each use is checked.
    unsigned char *const body = map_ + page_size();
    std::memset(record_, canary, size_);
    size_ = size;
    if (placement == flush_front) {
        record_ = body;
    } else if (placement == flush_back) {
        record_ = body + body_ - size;
    } else {
        // The last start at `placement` past an 8-byte boundary that leaves
        // at least 8 canary bytes before the trailing guard page.
        const auto latest = reinterpret_cast<std::uintptr_t>(body + body_ - size - 8);
        const std::uintptr_t start = (latest & ~std::uintptr_t{7}) + placement % 8;
        record_ = reinterpret_cast<unsigned char *>(start <= latest ? start : start - 8);
    }
    return record_;
}

bool arena::canary_intact() const {
    const unsigned char *first = map_ + page_size();
    const unsigned char *last = first + body_;
    return all_canary(first, record_) && all_canary(record_ + size_, last);
}

unsigned char *no_access() {
    static unsigned char *const page = map_none(page_size());
    return page + 64;
}

} // namespace statscl::fuzz
