// record.cpp - kinds by name or type id, records by field name.
#include "tool.h"

#include <charconv>
#include <cstring>
#include <limits>

namespace statscl::tool {

namespace {

void put_host(unsigned char *p, uint32_t width, uint64_t v) {
    internal::with_width(width, [&]<class T>() { internal::store(p, static_cast<T>(v)); });
}

const kind_info *kind_named(std::string_view name_or_id) {
    for (const kind_info &k : internal::catalogue)
        if (name_or_id == k.name || (k.type != 0 && name_or_id == std::to_string(k.type)))
            return &k;
    return nullptr;
}

// An integer as a JSON number or a "0x..." string, within the field's range.
uint64_t value_of(const json &v, const std::string &label, uint32_t width) {
    const uint64_t max = internal::with_width(
        width, []<class T>() -> uint64_t { return std::numeric_limits<T>::max(); });
    const auto out_of_range = [&] {
        return refusal(fmt::format("'{}': {} is out of range for a {}-bit field (0 to {})", label,
                                   v.dump(), 8 * width, max));
    };
    if (v.is_number_unsigned() && v.get<uint64_t>() <= max)
        return v.get<uint64_t>();
    if (v.is_number_integer())
        throw out_of_range();
    const std::string text = v.is_string() ? v.get<std::string>() : "";
    const std::string_view digits =
        text.starts_with("0x") ? std::string_view(text).substr(2) : std::string_view();
    uint64_t value = 0;
    const auto [stop, error] = std::from_chars(digits.begin(), digits.end(), value, 16);
    if (digits.empty() || stop != digits.end() || error == std::errc::invalid_argument)
        throw refusal(
            fmt::format("'{}': expected an unsigned integer or a \"0x...\" hex string, not {}",
                        label, v.dump()));
    if (error == std::errc::result_out_of_range || value > max)
        throw out_of_range();
    return value;
}

} // namespace

void add_kind_option(CLI::App &cmd, std::string &type) {
    cmd.add_option("-t,--type", type, "Kind: type id or name (see 'statscl list')")
        ->required()
        ->check(CLI::Validator(
            [](const std::string &name_or_id) -> std::string {
                if (kind_named(name_or_id) != nullptr)
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

kind_ref find_kind(std::string_view name_or_id) {
    const kind_info &k = *kind_named(name_or_id);
    const statscl_convert_t *row =
        k.named_row != nullptr ? k.named_row : statscl_get_convert_tbl(k.type);
    if (row == nullptr || row->req_len != size_of(k.request) || row->stats_len != size_of(k.stats))
        throw refusal(fmt::format("the library's row for {} does not match this tool's record "
                                  "layouts: tool and library come from different builds",
                                  k.name));
    return {k, *row};
}

std::string source_name(const std::string &path) { return path == "-" ? "standard input" : path; }

json header_json(const kind_ref &kind, part p) {
    json j = json::object();
    j["kind"] = kind.info.name;
    if (kind.info.type != 0)
        j["type"] = kind.info.type;
    j["record"] = p == part::request ? "request" : "statistics";
    return j;
}

std::string dump_lines(const json &j, int depth) {
    if (!j.is_object() || j.empty())
        return j.dump();
    const std::string pad(2 * (depth + 1), ' ');
    std::string s = "{\n";
    for (const auto &[key, value] : j.items())
        s += (s.size() > 2 ? ",\n" : "") + pad + json(key).dump() + ": " +
             dump_lines(value, depth + 1);
    return s + "\n" + std::string(2 * depth, ' ') + "}";
}

void to_network(const kind_ref &kind, part p, bytes &record) {
    if (p == part::request)
        kind.row.req_hton(record.data(), record.data());
    else
        kind.row.stats_hton(record.data(), record.data());
}

std::string record_name(const kind_ref &kind, part p) {
    return fmt::format("{} {}", kind.info.name, p == part::request ? "request" : "statistics");
}

uint64_t get_host(const unsigned char *p, uint32_t width) {
    return internal::with_width(width, [&]<class T>() -> uint64_t { return internal::load<T>(p); });
}

json fields_to_json(layout fields, const bytes &record, json_style style) {
    const auto value = [&](uint32_t offset, uint32_t width) -> json {
        if (style.touched != nullptr &&
            std::all_of(style.touched->begin() + offset, style.touched->begin() + offset + width,
                        [](unsigned char b) { return b == 0; }))
            return nullptr;
        const uint64_t v = get_host(record.data() + offset, width);
        return style.hex64 && width == 8 ? json(fmt::format("{:#018x}", v)) : json(v);
    };
    json out = json::object();
    for (const field &f : fields) {
        if (f.width == 1) {
            out[f.name] = to_hex(record.data() + f.offset, f.count);
        } else if (f.count == 1) {
            out[f.name] = value(f.offset, f.width);
        } else {
            json values = json::array();
            for (uint32_t i = 0; i < f.count; ++i)
                values.push_back(value(f.offset + i * f.width, f.width));
            out[f.name] = std::move(values);
        }
    }
    return out;
}

bytes fields_from_json(layout fields, const json &values, const std::string &what) {
    if (!values.is_object())
        throw refusal(fmt::format("'fields' must be an object of the {} fields", what));
    std::vector<std::string_view> names;
    for (const field &f : fields)
        names.emplace_back(f.name);
    for (const auto &[name, value] : values.items())
        if (std::find(names.begin(), names.end(), name) == names.end())
            throw refusal(fmt::format("unknown field '{}' for {} (its fields: {})", name, what,
                                      fmt::join(names, ", ")));
    bytes record(size_of(fields), 0);
    for (const field &f : fields) {
        const auto it = values.find(f.name);
        if (it == values.end())
            throw refusal(fmt::format("missing field '{}' of {}", f.name, what));
        unsigned char *at = record.data() + f.offset;
        if (f.width == 1) {
            const std::string expect =
                fmt::format("'{}' must be a string of {} bytes in hex", f.name, f.count);
            if (!it->is_string())
                throw refusal(expect);
            const bytes b = parse_hex(it->get<std::string>(), expect + ": ");
            if (b.size() != f.count)
                throw refusal(fmt::format("{}, not {}", expect, b.size()));
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

bytes sample_record(layout fields, internal::selector select) {
    bytes record(size_of(fields), 0);
    for (std::size_t n = 0; n < fields.size(); ++n) {
        const field &f = fields[n];
        for (uint32_t i = 0; i < f.count; ++i) {
            uint64_t v = f.width == 1 ? i : 1000 * (n + 1) + i;
            if (select.field != nullptr && std::strcmp(select.field, f.name) == 0)
                v = select.value;
            put_host(record.data() + f.offset + i * f.width, f.width, v);
        }
    }
    return record;
}

} // namespace statscl::tool
