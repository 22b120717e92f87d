// record.cpp - kinds by name or type id, records by field name.
#include "record.h"

#include <cstring>
#include <limits>

namespace statscl::tool {

namespace {

// Element values in host order, through the library's own loads and stores.
void put_host(unsigned char *p, uint32_t width, uint64_t v) {
    using internal::store;
    switch (width) {
    case 1:
        store(p, static_cast<uint8_t>(v));
        break;
    case 2:
        store(p, static_cast<uint16_t>(v));
        break;
    case 4:
        store(p, static_cast<uint32_t>(v));
        break;
    default:
        store(p, v);
    }
}

std::string known_kinds() {
    std::string s = "known types:";
    for (const kind_info &k : internal::catalogue)
        s += k.type != 0 ? " " + std::to_string(k.type) + " " + k.name + "," : "";
    s += " and by name only:";
    for (const kind_info &k : internal::catalogue)
        s += k.type == 0 ? std::string(" ") + k.name : "";
    return s;
}

std::string field_names(layout fields) {
    std::string s;
    for (const field &f : fields)
        s += (s.empty() ? "" : ", ") + std::string(f.name);
    return s;
}

uint64_t value_of(const json &v, const std::string &label, uint32_t width) {
    const uint64_t max =
        width == 8 ? std::numeric_limits<uint64_t>::max() : (uint64_t{1} << 8 * width) - 1;
    if (v.is_number_unsigned() && v.get<uint64_t>() <= max)
        return v.get<uint64_t>();
    if (v.is_number())
        throw refusal("'" + label + "': " + v.dump() + " is out of range for a " +
                      std::to_string(8 * width) + "-bit field (an integer from 0 to " +
                      std::to_string(max) + ")");
    throw refusal("'" + label + "': expected an unsigned integer, not " + v.dump());
}

} // namespace

uint32_t size_of(layout fields) { return fields.empty() ? 0 : internal::end_of(fields.back()); }

kind_ref find_kind(std::string_view name_or_id) {
    for (const kind_info &k : internal::catalogue) {
        if (name_or_id != k.name && (k.type == 0 || name_or_id != std::to_string(k.type)))
            continue;
        const statscl_convert_t *row =
            k.named_row != nullptr ? k.named_row : statscl_get_convert_tbl(k.type);
        if (row == nullptr || row->req_len != size_of(k.request) ||
            row->stats_len != size_of(k.stats))
            throw refusal(std::string("the library's row for ") + k.name +
                          " does not match this tool's record layouts: tool and library come "
                          "from different builds");
        return {k, *row};
    }
    throw refusal("unknown type '" + std::string(name_or_id) + "'; " + known_kinds());
}

std::string record_name(const kind_ref &kind, part p) {
    return std::string(kind.info.name) + (p == part::request ? " request" : " statistics");
}

uint64_t get_host(const unsigned char *p, uint32_t width) {
    using internal::load;
    switch (width) {
    case 2:
        return load<uint16_t>(p);
    case 4:
        return load<uint32_t>(p);
    default:
        return load<uint64_t>(p);
    }
}

json fields_to_json(layout fields, const bytes &record) {
    json out = json::object();
    for (const field &f : fields) {
        const unsigned char *at = record.data() + f.offset;
        if (f.width == 1) {
            out[f.name] = to_hex(at, f.count);
        } else if (f.count == 1) {
            out[f.name] = get_host(at, f.width);
        } else {
            json values = json::array();
            for (uint32_t i = 0; i < f.count; ++i)
                values.push_back(get_host(at + i * f.width, f.width));
            out[f.name] = std::move(values);
        }
    }
    return out;
}

bytes fields_from_json(layout fields, const json &values, const std::string &what) {
    if (!values.is_object())
        throw refusal("'fields' must be an object of the " + what + " fields");
    for (const auto &[name, value] : values.items()) {
        bool known = false;
        for (const field &f : fields)
            known = known || name == f.name;
        if (!known)
            throw refusal("unknown field '" + name + "' for " + what +
                          " (its fields: " + field_names(fields) + ")");
    }
    bytes record(size_of(fields), 0);
    for (const field &f : fields) {
        const auto it = values.find(f.name);
        if (it == values.end())
            throw refusal("missing field '" + std::string(f.name) + "' of " + what);
        unsigned char *at = record.data() + f.offset;
        if (f.width == 1) {
            // Appended, not "'" + std::string: GCC 12 at -O3 warns (-Wrestrict) on
            // the insert at the front that the latter inlines.
            std::string expect("'");
            expect.append(f.name).append("' must be a string of ");
            expect.append(std::to_string(f.count)).append(" bytes in hex");
            if (!it->is_string())
                throw refusal(expect);
            bytes b;
            try {
                b = parse_hex(it->get<std::string>());
            } catch (const refusal &e) {
                throw refusal(expect + ": " + e.what());
            }
            if (b.size() != f.count)
                throw refusal(expect + ", not " + std::to_string(b.size()));
            std::memcpy(at, b.data(), b.size());
        } else if (f.count == 1) {
            put_host(at, f.width, value_of(*it, f.name, f.width));
        } else {
            if (!it->is_array() || it->size() != f.count)
                throw refusal(
                    "'" + std::string(f.name) + "' must be an array of " + std::to_string(f.count) +
                    " values, not " +
                    (it->is_array() ? std::to_string(it->size()) + " values" : it->dump()));
            for (uint32_t i = 0; i < f.count; ++i)
                put_host(at + i * f.width, f.width,
                         value_of((*it)[i], std::string(f.name) + "[" + std::to_string(i) + "]",
                                  f.width));
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
