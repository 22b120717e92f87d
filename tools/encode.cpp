// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// encode.cpp - `statscl encode`: JSON as `statscl decode --json` prints it
// becomes the network-order payload, through the kind's own hton.
#include <charconv>
#include <cstring>
#include <limits>

#include "tool.h"

namespace statscl::tool {
namespace {

struct encode_options {
    std::string type, input = "-";
    bool hex = false, request = false;
};

// An integer as a JSON number or a "0x..." string, within the field's range.
uint64_t value_of(const json &v, const std::string &label, uint32_t width) {
    const uint64_t max = internal::with_width(
        width, []<class T>() -> uint64_t { return std::numeric_limits<T>::max(); });
    uint64_t value = v.is_number_unsigned() ? v.get<uint64_t>() : 0;
    bool in_range = v.is_number_unsigned();
    if (!v.is_number_integer()) {
        const std::string text = v.is_string() ? v.get<std::string>() : "";
        const std::string_view digits =
            text.starts_with("0x") ? std::string_view(text).substr(2) : std::string_view();
        const auto [stop, error] = std::from_chars(digits.begin(), digits.end(), value, 16);
        if (stop != digits.end() || error == std::errc::invalid_argument)
            throw refusal(
                fmt::format("'{}': expected an unsigned integer or a \"0x...\" hex string, not {}",
                            label, v.dump()));
        in_range = error != std::errc::result_out_of_range;
    }
    if (!in_range || value > max)
        throw refusal(fmt::format("'{}': {} is out of range for a {}-bit field (0 to {})", label,
                                  v.dump(), 8 * width, max));
    return value;
}

/// The host-order record that a document as decode --json prints describes,
/// each integer a number or a "0x..." string.  Refuses unknown, missing and
/// malformed keys and fields, a head that names another record, and values
/// out of a field's range.
bytes record_from_json(const kind_ref &kind, part p, const json &doc) {
    const std::string what = record_name(kind, p);
    if (!doc.is_object())
        throw refusal("expected an object as 'statscl decode --json' prints it");
    for (const auto &[key, value] : doc.items())
        if (key != "kind" && key != "type" && key != "record" && key != "fields")
            throw refusal(
                fmt::format("unknown key '{}' (expected kind, type, record and fields)", key));
    const json expected = header_json(kind, p);
    for (const char *key : {"kind", "type", "record"})
        if (doc.contains(key) && doc[key] != expected.value(key, json()))
            throw refusal(
                fmt::format("'{}' is {} but {} was asked for", key, doc[key].dump(), what));
    if (!doc.contains("fields"))
        throw refusal("missing 'fields'");
    const json &values = doc["fields"];
    if (!values.is_object())
        throw refusal(fmt::format("'fields' must be an object of the {} fields", what));
    std::vector<std::string_view> names;
    for (const field &f : kind.fields(p))
        names.emplace_back(f.name);
    for (const auto &[name, value] : values.items())
        if (std::find(names.begin(), names.end(), name) == names.end())
            throw refusal(fmt::format("unknown field '{}' for {} (its fields: {})", name, what,
                                      fmt::join(names, ", ")));
    bytes record(size_of(kind.fields(p)), 0);
    for (const field &f : kind.fields(p)) {
        const auto it = values.find(f.name);
        if (it == values.end())
            throw refusal(fmt::format("missing field '{}' of {}", f.name, what));
        unsigned char *at = record.data() + f.offset;
        if (f.width == 1) {
            const std::string expect =
                fmt::format("'{}' must be a string of {} bytes in hex", f.name, f.count);
            const bytes b =
                it->is_string() ? parse_hex(it->get<std::string>(), expect + ": ") : bytes();
            if (!it->is_string() || b.size() != f.count)
                throw refusal(it->is_string() ? fmt::format("{}, not {}", expect, b.size())
                                              : expect);
            std::memcpy(at, b.data(), b.size());
        } else if (f.count == 1) {
            put_host(at, f.width, value_of(*it, f.name, f.width));
        } else {
            if (!it->is_array() || it->size() != f.count)
                throw refusal(fmt::format(
                    "'{}' must be an array of {} values, not {}", f.name, f.count,
                    it->is_array() ? fmt::format("{} values", it->size()) : it->dump()));
            for (uint32_t i = 0; i < f.count; ++i)
                put_host(at + i * f.width, f.width,
                         value_of((*it)[i], fmt::format("{}[{}]", f.name, i), f.width));
        }
    }
    return record;
}

std::string encode(const encode_options &opt) {
    const kind_ref kind = *find_kind(opt.type); // as --type accepted it
    const part p = opt.request ? part::request : part::statistics;
    if (kind.fields(p).empty())
        throw refusal(fmt::format("{} has no request record", kind.info.name));
    const std::string text = read_input(opt.input);
    bytes record;
    try { // every refusal of the document says where
        record = to_network(kind, p, record_from_json(kind, p, json::parse(text)));
    } catch (const json::parse_error &e) {
        const std::string msg = e.what();
        throw refusal(fmt::format("{}: invalid JSON: {}", source_name(opt.input),
                                  msg.substr(msg.find("] ") + 2)));
    } catch (const refusal &e) {
        throw refusal(fmt::format("{}: {}", source_name(opt.input), e.what()));
    }
    if (!opt.hex)
        return std::string(record.begin(), record.end());
    std::string lines; // 16 bytes a line
    for (std::size_t at = 0; at < record.size(); ++at)
        lines += fmt::format("{:02x}{}", record[at],
                             at % 16 == 15 || at + 1 == record.size() ? '\n' : ' ');
    return lines;
}

} // namespace

void add_encode(CLI::App &app, std::string &out) {
    static encode_options opt; // one app a process: its options outlive the parse
    CLI::App *cmd = app.add_subcommand(
        "encode", "Encode JSON as decode prints it into a network-order payload");
    add_kind_option(*cmd, opt.type);
    cmd->add_option("json", opt.input, "JSON file, or - for standard input (default)")
        ->type_name("FILE|-");
    cmd->add_flag("--hex", opt.hex, "Write hex text instead of raw bytes");
    cmd->add_flag("--request", opt.request, "Encode a request record");
    cmd->callback([&out] { out = encode(opt); });
}

} // namespace statscl::tool
