// list.cpp - `statscl list`: every kind as a table, or as JSON with its
// records' layouts.
#include "tool.h"

namespace statscl::tool {
namespace {

/// The operations of a kind that do work: "req", "stats", "diff" (or
/// "diff(newer-first)"), "clear", "pss".
std::vector<std::string> operations(const kind_info &k) {
    std::vector<std::string> ops;
    if (std::any_of(k.request.begin(), k.request.end(),
                    [](const field &f) { return f.width != 1; }))
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

std::string list_text() {
    std::vector<table_row> rows{
        {{"type", "kind", "request", "statistics", "stats_ntoh len", "operations that do work"}}};
    for (const kind_info &k : internal::catalogue)
        rows.push_back({{k.type != 0 ? std::to_string(k.type) : "-", k.name,
                         k.request.empty() ? "-" : std::to_string(size_of(k.request)),
                         std::to_string(size_of(k.stats)), std::string(name_of(k.stats_len)),
                         fmt::format("{}", fmt::join(operations(k), " "))}});
    return table(rows, "><>><<") +
           "\nreq: req_hton and req_ntoh convert the request; stats: stats_hton and stats_ntoh"
           " convert the\nstatistics; diff and clear keep a baseline; pss: save_pss and "
           "restore_pss call the host's\nhandlers.  Kinds without a type id are decoded and "
           "encoded by name.\n";
}

std::string list_json() {
    json kinds = json::array();
    for (const kind_info &k : internal::catalogue)
        kinds.push_back({{"type", k.type != 0 ? json(k.type) : json(nullptr)},
                         {"name", k.name},
                         {"stats_len", name_of(k.stats_len)},
                         {"operations", operations(k)},
                         {"request", record_json(k.request)},
                         {"stats", record_json(k.stats)}});
    return kinds.dump(2) + "\n";
}

} // namespace

void add_list(CLI::App &app, std::string &out) {
    CLI::App *list = app.add_subcommand("list", "Every kind: type id, record sizes, len rule and "
                                                "the operations that do work");
    CLI::Option *as_json =
        list->add_flag("--json")->description("Print JSON with every record's fields");
    list->callback([&out, as_json] { out = as_json->count() != 0 ? list_json() : list_text(); });
}

} // namespace statscl::tool
