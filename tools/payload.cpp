// payload.cpp - reading input, and hex text in both directions.
#include "payload.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

#include <fmt/format.h>
#include <fmt/ranges.h>

namespace statscl::tool {

namespace {

std::string read_stream(std::istream &in, const std::string &what) {
    std::string data;
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        data.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (data.size() > max_input)
            throw refusal(what + " is larger than " + std::to_string(max_input) +
                          " bytes: not a captured payload");
    }
    if (in.bad())
        throw refusal("cannot read " + what + ": " + std::strerror(errno));
    return data;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string printable(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x20 && u < 0x7F ? fmt::format("'{}'", c) : fmt::format("byte 0x{:02x}", u);
}

} // namespace

std::string read_input(const std::string &path) {
    if (path == "-")
        return read_stream(std::cin, "standard input");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw refusal("cannot open '" + path + "': " + std::strerror(errno));
    return read_stream(in, "'" + path + "'");
}

bytes parse_hex(std::string_view text) {
    bytes out;
    std::size_t line = 1, column = 0, digits = 0;
    std::size_t odd_line = 0, odd_column = 0;
    int high = 0;
    for (const char c : text) {
        ++column;
        if (c == '\n') {
            ++line;
            column = 0;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r')
            continue;
        const int v = hex_digit(c);
        if (v < 0)
            throw refusal("invalid hex: " + printable(c) + " at line " + std::to_string(line) +
                          ", column " + std::to_string(column));
        if (digits++ % 2 == 0) {
            high = v;
            odd_line = line;
            odd_column = column;
        } else {
            out.push_back(static_cast<unsigned char>(high << 4 | v));
        }
    }
    if (digits % 2 != 0)
        throw refusal("invalid hex: an odd number of digits (" + std::to_string(digits) +
                      "); the last one, at line " + std::to_string(odd_line) + ", column " +
                      std::to_string(odd_column) + ", has no partner");
    return out;
}

std::string to_hex(const unsigned char *data, std::size_t size) {
    return fmt::format("{:02x}", fmt::join(data, data + size, ""));
}

std::string to_hex_lines(const bytes &data) {
    std::string s;
    for (std::size_t at = 0; at < data.size(); at += 16)
        fmt::format_to(
            std::back_inserter(s), "{:02x}\n",
            fmt::join(data.begin() + at, data.begin() + std::min(at + 16, data.size()), " "));
    return s;
}

} // namespace statscl::tool
