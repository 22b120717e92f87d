// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// record.cpp - what the subcommands read: the kind named on the command line,
// and records from a file or standard input, as raw bytes or hex text.
#include <cerrno>
#include <cstring>
#include <fstream>

#include "tool.h"

namespace statscl::tool {

/// The largest input read: far above any record, far below a mistake such as
/// a disk image.
constexpr std::size_t max_input = 1 << 20;

void add_kind_option(CLI::App &cmd, std::string &type) {
    cmd.add_option("-t,--type", type, "Kind: type id or name (see 'statscl list')")
        ->required()
        ->check(CLI::Validator(
            [](const std::string &name_or_id) -> std::string {
                if (find_kind(name_or_id))
                    return {};
                std::vector<std::string> typed, named;
                for (const kind_info &k : internal::catalogue)
                    (k.type != 0 ? typed : named)
                        .push_back(k.type != 0 ? fmt::format("{} {}", k.type, k.name) : k.name);
                return fmt::format("unknown type '{}'; known types: {}, and by name only: {}",
                                   name_or_id, fmt::join(typed, ", "), fmt::join(named, " "));
            },
            "KIND"));
}

// The library's table and the catalogue are expanded from the same list of
// kinds, so the row found has the catalogue's record sizes.
std::optional<kind_ref> find_kind(std::string_view name_or_id) {
    for (const kind_info &k : internal::catalogue)
        if (name_or_id == k.name || (k.type != 0 && name_or_id == std::to_string(k.type)))
            return kind_ref{k, k.named_row != nullptr ? *k.named_row
                                                      : *statscl_get_convert_tbl(k.type)};
    return std::nullopt;
}

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
    constexpr std::string_view hex = "0123456789abcdefABCDEF";
    const auto where = [text](std::size_t at) {             // of text[at], both counted from 1
        const std::string_view before = text.substr(0, at); // rfind's npos + 1 wraps to 0
        return fmt::format("line {}, column {}", 1 + std::ranges::count(before, '\n'),
                           at - before.rfind('\n'));
    };
    const std::size_t bad = text.find_first_not_of(" \t\r\n0123456789abcdefABCDEF");
    if (bad != std::string_view::npos) {
        const auto u = static_cast<unsigned char>(text[bad]);
        throw refusal(fmt::format("{}invalid hex: {} at {}", context,
                                  u >= 0x20 && u < 0x7F ? fmt::format("'{}'", text[bad])
                                                        : fmt::format("byte 0x{:02x}", u),
                                  where(bad)));
    }
    std::string digits(text);
    std::erase_if(digits, [hex](char c) { return hex.find(c) == std::string_view::npos; });
    if (digits.size() % 2 != 0)
        throw refusal(fmt::format("{}invalid hex: an odd number of digits ({}); the last one, at "
                                  "{}, has no partner",
                                  context, digits.size(), where(text.find_last_of(hex))));
    bytes out(digits.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<unsigned char>(std::stoi(digits.substr(2 * i, 2), nullptr, 16));
    return out;
}

} // namespace statscl::tool
