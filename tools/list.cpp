// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// list.cpp - `statscl list`: every kind as a table, or as JSON for programs
// (docs/kinds.json, whose form docs/kinds.schema.json states).
#include "tool.h"

namespace statscl::tool {
namespace {

/// The form of the JSON: moves when a key or a token changes meaning, is
/// removed or is renamed (docs/kinds.schema.json says the same).
constexpr int schema_version = 1;

/// The slots of a kind's row that do work, by the row's field names.
std::vector<std::string_view> working_slots(const kind_info &k) {
    std::vector<std::string_view> slots;
    if (std::ranges::any_of(k.request, [](const field &f) { return f.width != 1; }))
        slots.insert(slots.end(), {"req_hton", "req_ntoh"});
    slots.insert(slots.end(), {"stats_hton", "stats_ntoh"});
    if (diff_works(k))
        slots.emplace_back("diff");
    if (clear_works(k))
        slots.emplace_back("clear");
    if (k.handlers)
        slots.insert(slots.end(), {"save_pss", "restore_pss"});
    return slots;
}

/// The table's words for those slots: one a pair ("req", "stats", "pss"),
/// and diag's diff marked for its order of arguments.
std::string slot_words(const kind_info &k, const std::vector<std::string_view> &slots) {
    std::vector<std::string_view> words;
    for (const std::string_view slot : slots) {
        if (slot.ends_with("_ntoh") || slot == "restore_pss")
            continue; // said with its pair
        if (slot.ends_with("_hton"))
            words.push_back(slot.substr(0, slot.size() - 5));
        else if (slot == "save_pss")
            words.emplace_back("pss");
        else
            words.push_back(slot == "diff" && k.diff_newer_first ? "diff(newer-first)" : slot);
    }
    return fmt::format("{}", fmt::join(words, " "));
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

json kind_json(const kind_info &k, const std::vector<std::string_view> &slots) {
    json covered = json::array();
    for (const field &f : k.diff_fields)
        covered.push_back(f.name);
    json select_all = nullptr;
    if (k.select_all.field != nullptr)
        select_all = {{"field", k.select_all.field}, {"value", k.select_all.value}};
    return {{"type", k.type != 0 ? json(k.type) : json(nullptr)},
            {"name", k.name},
            {"len_rule", internal::token_of(k.stats_len)},
            {"operations", slots},
            {"diff_newer_first", k.diff_newer_first},
            {"request_use",
             {{"diff", internal::token_of(k.diff_request)},
              {"clear", internal::token_of(k.clear_request)}}},
            {"baseline_fields", std::move(covered)},
            {"select_all", std::move(select_all)},
            {"request", record_json(k.request)},
            {"stats", record_json(k.stats)}};
}

/// Every kind as a table, or as JSON with its records' layouts.
std::string list(bool as_json) {
    std::vector<table_row> rows{
        {{"type", "kind", "request", "statistics", "stats_ntoh len", "operations that do work"}}};
    json kinds = json::array();
    for (const kind_info &k : internal::catalogue) {
        const std::vector<std::string_view> slots = working_slots(k);
        rows.push_back({{k.type != 0 ? std::to_string(k.type) : "-", k.name,
                         k.request.empty() ? "-" : std::to_string(size_of(k.request)),
                         std::to_string(size_of(k.stats)), std::string(name_of(k.stats_len)),
                         slot_words(k, slots)}});
        kinds.push_back(kind_json(k, slots));
    }
    if (as_json)
        return json{{"schema_version", schema_version}, {"kinds", std::move(kinds)}}.dump(2) + "\n";
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
