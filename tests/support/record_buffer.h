// record_buffer.h - records placed against guard pages, with byte-exact
// checks of what an operation wrote and what it left alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace statscl::test {

/// Where a record starts: flush against the guard page that follows it, or
/// this many bytes past an 8-byte boundary (with a few canary bytes between
/// its end and the guard page).
inline constexpr int flush = -1;
inline constexpr int placements[] = {flush, 1, 2, 3, 5};

/// One record of `size` bytes between two inaccessible guard pages.  Any
/// access beyond the mapped pages faults; bytes between the record and the
/// guards hold a canary that `canary_intact` checks.
class guarded_record {
  public:
    guarded_record(std::size_t size, int placement, unsigned seed);
    ~guarded_record();
    guarded_record(const guarded_record &) = delete;
    guarded_record &operator=(const guarded_record &) = delete;

    unsigned char *data() { return record_; }
    const unsigned char *data() const { return record_; }
    std::size_t size() const { return size_; }
    unsigned char &operator[](std::size_t i) { return record_[i]; }

    /// The record's bytes as they are now.
    std::vector<unsigned char> bytes() const { return {record_, record_ + size_}; }
    /// True when no byte outside the record has changed.
    bool canary_intact() const;

  private:
    unsigned char *map_ = nullptr;
    std::size_t map_size_ = 0;
    unsigned char *record_ = nullptr;
    std::size_t size_ = 0;
};

/// Fills `bytes` with a pattern that differs for each seed and each offset.
void fill_pattern(std::span<unsigned char> bytes, unsigned seed);

} // namespace statscl::test
