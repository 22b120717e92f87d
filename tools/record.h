// record.h - a kind's records by field name: lookup of a kind, the host-order
// values of a record as JSON and back, and the built-in sample records.
//
// Field names and offsets come from the library's own catalogue; the values
// are read and written in host order, so a record goes through the kind's
// converters (by its row) before or after.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "catalogue.h"
#include "payload.h"

namespace statscl::tool {

using internal::clear_works;
using internal::diff_works;
using internal::field;
using internal::kind_info;
using internal::layout;
using internal::size_of;
using json = nlohmann::ordered_json;

enum class part { request, statistics };

/// A kind and the converter row through which its records go.
struct kind_ref {
    const kind_info &info;
    const statscl_convert_t &row;

    layout fields(part p) const { return p == part::request ? info.request : info.stats; }
    uint32_t size(part p) const { return p == part::request ? row.req_len : row.stats_len; }
};

/// The kind named by `name_or_id`: a type id or a name.  Refuses an unknown
/// kind, listing the known ones, and a row that does not match the
/// catalogue.
kind_ref find_kind(std::string_view name_or_id);

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
