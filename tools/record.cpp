// record.cpp - kinds by name or type id, records by field name.
#include "record.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <vector>

#include <fmt/ranges.h>

namespace statscl::tool {

namespace {

void put_host(unsigned char *p, uint32_t width, uint64_t v) {
    internal::with_width(width, [&]<class T>() { internal::store(p, static_cast<T>(v)); });
}

std::string known_kinds() {
    std::vector<std::string> typed, named;
    for (const kind_info &k : internal::catalogue) {
        if (k.type != 0)
            typed.push_back(fmt::format("{} {}", k.type, k.name));
        else
            named.emplace_back(k.name);
    }
    return fmt::format("known types: {}, and by name only: {}", fmt::join(typed, ", "),
                       fmt::join(named, " "));
}

std::string field_names(layout fields) {
    std::vector<std::string_view> names;
    for (const field &f : fields)
        names.emplace_back(f.name);
    return fmt::format("{}", fmt::join(names, ", "));
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
    const char *end = digits.data() + digits.size();
    uint64_t value = 0;
    const auto [stop, error] = std::from_chars(digits.data(), end, value, 16);
    if (digits.empty() || stop != end || error == std::errc::invalid_argument)
        throw refusal(
            fmt::format("'{}': expected an unsigned integer or a \"0x...\" hex string, not {}",
                        label, v.dump()));
    if (error == std::errc::result_out_of_range || value > max)
        throw out_of_range();
    return value;
}

} // namespace

kind_ref find_kind(std::string_view name_or_id) {
    for (const kind_info &k : internal::catalogue) {
        if (name_or_id != k.name && (k.type == 0 || name_or_id != std::to_string(k.type)))
            continue;
        const statscl_convert_t *row =
            k.named_row != nullptr ? k.named_row : statscl_get_convert_tbl(k.type);
        if (row == nullptr || row->req_len != size_of(k.request) ||
            row->stats_len != size_of(k.stats))
            throw refusal(fmt::format("the library's row for {} does not match this tool's "
                                      "record layouts: tool and library come from different builds",
                                      k.name));
        return {k, *row};
    }
    throw refusal(fmt::format("unknown type '{}'; {}", name_or_id, known_kinds()));
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
    for (const auto &[name, value] : values.items()) {
        bool known = false;
        for (const field &f : fields)
            known = known || name == f.name;
        if (!known)
            throw refusal(fmt::format("unknown field '{}' for {} (its fields: {})", name, what,
                                      field_names(fields)));
    }
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
            bytes b;
            try {
                b = parse_hex(it->get<std::string>());
            } catch (const refusal &e) {
                throw refusal(fmt::format("{}: {}", expect, e.what()));
            }
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
