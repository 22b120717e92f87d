// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// tool.h - what the subcommands of statscl share: payloads in, the refusal
// that every bad input ends in, aligned text, and kinds with their records'
// host-order values.
//
// Field names and offsets come from the library's own catalogue; the values
// are read and written in host order, so a record goes through the kind's
// converters (by its row) before or after.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>
#include <fmt/format.h>
#include <fmt/ranges.h>
#include <nlohmann/json.hpp>

#include "../core/catalogue.h"

namespace statscl::tool {

using bytes = std::vector<unsigned char>;

/// Bad input: the message says what is wrong and where.  The tool prints it
/// and exits non-zero without writing anything to standard output.
struct refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/// The contents of `path`, or of standard input for "-".
std::string read_input(const std::string &path);

/// The bytes that hex text spells: two hex digits a byte, whitespace allowed
/// anywhere between digits.  Refuses an invalid character or an odd number
/// of digits, saying where after `context`.
bytes parse_hex(std::string_view text, const std::string &context);

/// How messages name an input.
inline std::string source_name(const std::string &path) {
    return path == "-" ? "standard input" : path;
}

/// A table row; the cells of a wide row after the second are written as they
/// are, without setting the width of their columns.
struct table_row {
    std::vector<std::string> cells;
    bool wide = false;
};

/// The rows in aligned columns; align holds '<' or '>' for each column.
inline std::string table(const std::vector<table_row> &rows, std::string_view align) {
    std::vector<std::size_t> width(align.size(), 0);
    for (const table_row &r : rows)
        for (std::size_t i = 0; i < r.cells.size() && (!r.wide || i < 2); ++i)
            width[i] = std::max(width[i], r.cells[i].size());
    std::string out;
    for (const table_row &r : rows) {
        std::string line; // each cell and two spaces, then no space at the end
        for (std::size_t i = 0; i < r.cells.size(); ++i)
            line += fmt::format(fmt::runtime(align[i] == '<' ? "{:<{}}  " : "{:>{}}  "), r.cells[i],
                                r.wide && i >= 2 ? 0 : width[i]);
        out += line.erase(line.find_last_not_of(' ') + 1) + '\n';
    }
    return out;
}

using internal::clear_works;
using internal::diff_works;
using internal::field;
using internal::kind_info;
using internal::size_of;
using layout = internal::record;
using json = nlohmann::ordered_json;

/// The host-order integer of `width` bytes at p, and its store.
inline uint64_t get_host(const unsigned char *p, uint32_t width) {
    return internal::with_width(width, [&]<class T>() -> uint64_t { return internal::load<T>(p); });
}
inline void put_host(unsigned char *p, uint32_t width, uint64_t v) {
    internal::with_width(width, [&]<class T>() { internal::store(p, static_cast<T>(v)); });
}

enum class part { request, statistics };

/// A kind and the converter row through which its records go.
struct kind_ref {
    const kind_info &info;
    const statscl_convert_t &row;

    layout fields(part p) const { return p == part::request ? info.request : info.stats; }
};

/// The kind named by `name_or_id`, a type id or a name, if there is one.
std::optional<kind_ref> find_kind(std::string_view name_or_id);

/// Adds the required -t,--type option, which accepts a kind's type id or
/// name and refuses any other, listing the known ones.
void add_kind_option(CLI::App &cmd, std::string &type);

/// The subcommands: each adds itself to `app` with its options and their
/// rules, and its callback composes the whole output in `out`.
void add_list(CLI::App &app, std::string &out);
void add_header(CLI::App &app, std::string &out);
void add_decode(CLI::App &app, std::string &out);
void add_encode(CLI::App &app, std::string &out);
/// check-host, in a native build with libelf; its status is 1 when the host
/// defines something that the library cannot find.
void add_check_host(CLI::App &app, std::string &out, int &status);

/// "qos statistics" or "pktflow request".
inline std::string record_name(const kind_ref &kind, part p) {
    return fmt::format("{} {}", kind.info.name, p == part::request ? "request" : "statistics");
}

/// The head of a record's JSON: kind, type and which record.
inline json header_json(const kind_ref &kind, part p) {
    json j = {{"kind", kind.info.name}};
    if (kind.info.type != 0)
        j["type"] = kind.info.type;
    j["record"] = p == part::request ? "request" : "statistics";
    return j;
}

/// A host-order record in network order: bytes that the kind's hton leaves
/// alone keep their value, which on a big-endian host is already the
/// network-order one.
inline bytes to_network(const kind_ref &kind, part p, bytes record) {
    (p == part::request ? kind.row.req_hton : kind.row.stats_hton)(record.data(), record.data());
    return record;
}

} // namespace statscl::tool
