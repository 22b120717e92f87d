// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// list.cpp - `statscl list`: every kind as a table, or as JSON with its
// records' layouts.
#include "tool.h"

namespace statscl::tool {
namespace {

/// The operations of a kind that do work: "req", "stats", "diff" (or
/// "diff(newer-first)"), "clear", "pss".
std::vector<std::string> operations(const kind_info &k) {
    std::vector<std::string> ops;
    if (std::ranges::any_of(k.request, [](const field &f) { return f.width != 1; }))
        ops.emplace_back("req");
    ops.emplace_back("stats");
    if (diff_works(k))
        ops.emplace_back(k.diff_newer_first ? "diff(newer-first)" : "diff");
    if (clear_works(k))
        ops.emplace_back("clear");
    if (k.handlers)
        ops.emplace_back("pss");
    return ops;
}

json record_json(layout fields) {
    if (fields.empty())
        return nullptr;
    json list = json::array();
    for (const field &f : fields)
        list.push_back(
            {{"name", f.name}, {"offset", f.offset}, {"width", f.width}, {"count", f.count}});
    return {{"size", size_of(fields)}, {"fields", std::move(list)}};
}

/// Every kind as a table, or as JSON with its records' layouts.
std::string list(bool as_json) {
    std::vector<table_row> rows{
        {{"type", "kind", "request", "statistics", "stats_ntoh len", "operations that do work"}}};
    json kinds = json::array();
    for (const kind_info &k : internal::catalogue) {
        const std::vector<std::string> ops = operations(k);
        rows.push_back({{k.type != 0 ? std::to_string(k.type) : "-", k.name,
                         k.request.empty() ? "-" : std::to_string(size_of(k.request)),
                         std::to_string(size_of(k.stats)), std::string(name_of(k.stats_len)),
                         fmt::format("{}", fmt::join(ops, " "))}});
        kinds.push_back({{"type", k.type != 0 ? json(k.type) : json(nullptr)},
                         {"name", k.name},
                         {"stats_len", name_of(k.stats_len)},
                         {"operations", ops},
                         {"request", record_json(k.request)},
                         {"stats", record_json(k.stats)}});
    }
    if (as_json)
        return kinds.dump(2) + "\n";
    return table(rows, "><>><<") +
           "\nreq: req_hton and req_ntoh convert the request; stats: stats_hton and stats_ntoh"
           " convert the\nstatistics; diff and clear keep a baseline; pss: save_pss and "
           "restore_pss call the host's\nhandlers.  Kinds without a type id are decoded and "
           "encoded by name.\n";
}

} // namespace

void add_list(CLI::App &app, std::string &out) {
    CLI::App *cmd = app.add_subcommand("list", "Every kind: type id, record sizes, len rule and "
                                               "the operations that do work");
    CLI::Option *as_json =
        cmd->add_flag("--json")->description("Print JSON with every record's fields");
    cmd->callback([&out, as_json] { out = list(as_json->count() != 0); });
}

} // namespace statscl::tool
