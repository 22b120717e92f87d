// payload.h - payloads in and out: raw bytes or hex text, from a file or
// standard input; and the refusal that every bad input ends in.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace statscl::tool {

using bytes = std::vector<unsigned char>;

/// Bad input: the message says what is wrong and where.  The tool prints it
/// and exits non-zero without writing anything to standard output.
struct refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/// The largest input read: far above any record, far below a mistake such as
/// a disk image.
inline constexpr std::size_t max_input = 1 << 20;

/// The contents of `path`, or of standard input for "-".
std::string read_input(const std::string &path);

/// The bytes that hex text spells: two hex digits a byte, whitespace allowed
/// anywhere between digits.  Refuses an invalid character or an odd number
/// of digits, saying where.
bytes parse_hex(std::string_view text);

/// Hex text of `data`, 16 bytes a line, bytes separated by spaces.
std::string to_hex_lines(const bytes &data);

/// Hex digits of `size` bytes from `data`, without separators.
std::string to_hex(const unsigned char *data, std::size_t size);

} // namespace statscl::tool
