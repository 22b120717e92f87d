// tool.h - what the subcommands of statscl share: payloads in and out, the
// refusal that every bad input ends in, aligned text, and a kind's records by
// field name (lookup of a kind, host-order values as JSON and back, built-in
// sample records).
//
// Field names and offsets come from the library's own catalogue; the values
// are read and written in host order, so a record goes through the kind's
// converters (by its row) before or after.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <memory>
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

/// The largest input read: far above any record, far below a mistake such as
/// a disk image.
inline constexpr std::size_t max_input = 1 << 20;

/// The contents of `path`, or of standard input for "-".
std::string read_input(const std::string &path);

/// The bytes that hex text spells: two hex digits a byte, whitespace allowed
/// anywhere between digits.  Refuses an invalid character or an odd number
/// of digits, saying where after `context`.
bytes parse_hex(std::string_view text, const std::string &context);

/// Hex text of `data`, 16 bytes a line, bytes separated by spaces.
std::string to_hex_lines(const bytes &data);

/// Hex digits of `size` bytes from `data`, without separators.
std::string to_hex(const unsigned char *data, std::size_t size);

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
        std::string line;
        for (std::size_t i = 0; i < r.cells.size(); ++i) {
            const std::size_t w = r.wide && i >= 2 ? 0 : width[i];
            line += i > 0 ? "  " : "";
            line += align[i] == '<' ? fmt::format("{:<{}}", r.cells[i], w)
                                    : fmt::format("{:>{}}", r.cells[i], w);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + '\n';
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

enum class part { request, statistics };

/// A kind and the converter row through which its records go.
struct kind_ref {
    const kind_info &info;
    const statscl_convert_t &row;

    layout fields(part p) const { return p == part::request ? info.request : info.stats; }
    uint32_t size(part p) const { return p == part::request ? row.req_len : row.stats_len; }
};

/// The kind named by `name_or_id`, a type id or a name that the --type option
/// accepted.  Refuses a row that does not match the catalogue.
kind_ref find_kind(std::string_view name_or_id);

/// Adds the required -t,--type option, which accepts a kind's type id or
/// name and refuses any other, listing the known ones.
void add_kind_option(CLI::App &cmd, std::string &type);

/// The subcommands: each adds itself to `app` with its options and their
/// rules, and its callback composes the whole output in `out`.
void add_list(CLI::App &app, std::string &out);
void add_header(CLI::App &app, std::string &out);
void add_decode(CLI::App &app, std::string &out);
void add_encode(CLI::App &app, std::string &out);

/// How messages name an input.
std::string source_name(const std::string &path);

/// The head of a record's JSON: kind, type and which record.
json header_json(const kind_ref &kind, part p);

/// JSON with one field a line: objects are spread out, arrays kept on one
/// line, so that a payload's JSON reads (and diffs) field by field.
std::string dump_lines(const json &j, int depth = 0);

/// Converts a host-order record to network order in place: bytes that the
/// kind's hton leaves alone keep their value, which on a big-endian host is
/// already the network-order one.
void to_network(const kind_ref &kind, part p, bytes &record);

/// "qos statistics" or "pktflow request".
std::string record_name(const kind_ref &kind, part p);

/// Calls fn(label, offset, width, elements) for every element of `fields`;
/// the bytes of a width-1 field are one element labelled with its name.
template <class Fn> void for_each_element(layout fields, Fn &&fn) {
    for (const field &f : fields) {
        if (f.width == 1) {
            fn(std::string(f.name), f.offset, f.width, f.count);
            continue;
        }
        for (uint32_t i = 0; i < f.count; ++i)
            fn(f.count == 1 ? std::string(f.name) : fmt::format("{}[{}]", f.name, i),
               f.offset + i * f.width, f.width, 1U);
    }
}

/// The host-order integer of `width` bytes at p.
uint64_t get_host(const unsigned char *p, uint32_t width);

/// How fields_to_json writes values.
struct json_style {
    bool hex64 = false;             ///< 64-bit values as "0x..." strings, which survive doubles
    const bytes *touched = nullptr; ///< when set: elements with no nonzero byte here are null
};

/// Every field of a host-order record: a number, an array of numbers, or a
/// hex string for bytes of unknown layout.
json fields_to_json(layout fields, const bytes &record, json_style style = {});

/// The host-order record that a "fields" object describes, each integer a
/// number or a "0x..." string.  Refuses unknown, missing and malformed fields
/// and values out of a field's range.
bytes fields_from_json(layout fields, const json &values, const std::string &what);

/// A host-order record with a distinct value in every element; `select` sets
/// one request field to the value that widens clear and diff to everything.
bytes sample_record(layout fields, internal::selector select);

} // namespace statscl::tool
