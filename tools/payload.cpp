// payload.cpp - reading input, and hex text as bytes.
#include "tool.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace statscl::tool {

/// The largest input read: far above any record, far below a mistake such as
/// a disk image.
constexpr std::size_t max_input = 1 << 20;

std::string read_input(const std::string &path) {
    const std::string what = path == "-" ? "standard input" : "'" + path + "'";
    std::ifstream file;
    if (path != "-" && (file.open(path, std::ios::binary), !file))
        throw refusal(fmt::format("cannot open {}: {}", what, std::strerror(errno)));
    std::istream &in = path == "-" ? std::cin : file;
    std::string data(max_input + 1, '\0');
    in.read(data.data(), static_cast<std::streamsize>(data.size()));
    if (in.bad())
        throw refusal(fmt::format("cannot read {}: {}", what, std::strerror(errno)));
    if (in.gcount() > static_cast<std::streamsize>(max_input))
        throw refusal(
            fmt::format("{} is larger than {} bytes: not a captured payload", what, max_input));
    data.resize(static_cast<std::size_t>(in.gcount()));
    return data;
}

bytes parse_hex(std::string_view text, const std::string &context) {
    bytes out;
    std::size_t line = 1, column = 0, digits = 0, odd_line = 0, odd_column = 0;
    for (const char c : text) {
        column = c == '\n' ? 0 : column + 1;
        line += c == '\n' ? 1 : 0;
        if (std::string_view(" \t\r\n").find(c) != std::string_view::npos)
            continue;
        const auto u = static_cast<unsigned char>(c);
        if (!std::isxdigit(u))
            throw refusal(fmt::format("{}invalid hex: {} at line {}, column {}", context,
                                      u >= 0x20 && u < 0x7F ? fmt::format("'{}'", c)
                                                            : fmt::format("byte 0x{:02x}", u),
                                      line, column));
        const int v = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        if (digits++ % 2 == 0) {
            odd_line = line;
            odd_column = column;
            out.push_back(static_cast<unsigned char>(v << 4));
        } else {
            out.back() = static_cast<unsigned char>(out.back() | v);
        }
    }
    if (digits % 2 != 0)
        throw refusal(fmt::format("{}invalid hex: an odd number of digits ({}); the last one, at "
                                  "line {}, column {}, has no partner",
                                  context, digits, odd_line, odd_column));
    return out;
}

} // namespace statscl::tool
