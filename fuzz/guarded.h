// guarded.h - records placed against inaccessible pages for the fuzz
// targets, reused from one input to the next.
#pragma once

#include <cstddef>
#include <vector>

namespace statscl::fuzz {

/// Where a record starts inside its arena: 0 to 7 bytes past an 8-byte
/// boundary with canary bytes on both sides, flush against the trailing
/// guard page, or flush against the leading one.
inline constexpr unsigned flush_back = 8;
inline constexpr unsigned flush_front = 9;
inline constexpr unsigned placement_count = 10;

/// A mapping of guard page, body, guard page.  `place` lays a record of up
/// to `capacity` bytes into the body at a placement and fills every other
/// body byte with a canary; an access past the body faults at once, and a
/// write beside the record inside the body shows in `canary_intact`.
class arena {
  public:
    explicit arena(std::size_t capacity);
    ~arena();
    arena(const arena &) = delete;
    arena &operator=(const arena &) = delete;

    unsigned char *place(std::size_t size, unsigned placement);
    unsigned char *data() const { return record_; }
    std::size_t size() const { return size_; }
    std::vector<unsigned char> bytes() const { return {record_, record_ + size_}; }
    bool canary_intact() const;

  private:
    unsigned char *map_ = nullptr;
    std::size_t map_size_ = 0;
    std::size_t body_ = 0;
    unsigned char *record_ = nullptr;
    std::size_t size_ = 0;
};

/// An address inside a page that can be neither read nor written: passed to
/// an operation that must touch no memory, any access faults.
unsigned char *no_access();

} // namespace statscl::fuzz
