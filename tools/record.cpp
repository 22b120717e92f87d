// record.cpp - kinds by name or type id, and how a record is named.
#include "tool.h"

namespace statscl::tool {

namespace {

const kind_info *kind_named(std::string_view name_or_id) {
    for (const kind_info &k : internal::catalogue)
        if (name_or_id == k.name || (k.type != 0 && name_or_id == std::to_string(k.type)))
            return &k;
    return nullptr;
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

// The library's table and the catalogue are expanded from the same list of
// kinds, so the row found has the catalogue's record sizes.
kind_ref find_kind(std::string_view name_or_id) {
    const kind_info &k = *kind_named(name_or_id);
    return {k, k.named_row != nullptr ? *k.named_row : *statscl_get_convert_tbl(k.type)};
}

json header_json(const kind_ref &kind, part p) {
    json j = json::object();
    j["kind"] = kind.info.name;
    if (kind.info.type != 0)
        j["type"] = kind.info.type;
    j["record"] = p == part::request ? "request" : "statistics";
    return j;
}

bytes to_network(const kind_ref &kind, part p, bytes record) {
    if (p == part::request)
        kind.row.req_hton(record.data(), record.data());
    else
        kind.row.stats_hton(record.data(), record.data());
    return record;
}

std::string record_name(const kind_ref &kind, part p) {
    return fmt::format("{} {}", kind.info.name, p == part::request ? "request" : "statistics");
}

} // namespace statscl::tool
