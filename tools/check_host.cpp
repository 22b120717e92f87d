// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// check_host.cpp - `statscl check-host`: whether the library will find the
// handlers and platform symbols that a host executable or shared object
// defines, read from its ELF symbol tables (host_reader.h) before the host
// ever runs.
#include "host_reader.h"

namespace statscl::tool {
namespace {

constexpr std::string_view name_of(found f) {
    constexpr std::string_view names[] = {"exported", "not exported", "C++ linkage", "absent"};
    return names[static_cast<int>(f)];
}

/// The line on stderr for a definition the library cannot find, or empty.
std::string problem(const symbol &s) {
    const std::string consequence = s.handler ? "the library cannot find it"
                                              : fmt::format("the platform library's {} is "
                                                            "used instead",
                                                            s.name);
    if (s.state == found::hidden)
        return fmt::format("{} is defined but not in the dynamic symbol table: {}; give it "
                           "default visibility and export it with {}-Wl,--export-dynamic-symbol "
                           "or -rdynamic",
                           s.name, consequence, s.handler ? "the package's dynamic list, " : "");
    if (s.state == found::cxx)
        return fmt::format("{} is defined with C++ linkage as '{}'; the library looks for '{}' "
                           "with C linkage: {}",
                           s.name, s.cxx, s.expected, consequence);
    return {};
}

std::string detail(const symbol &s, bool shared_object) {
    switch (s.state) {
    case found::exported:
        return shared_object ? "found if the object is loaded globally" : "found";
    case found::hidden:
        return "not found: defined, not in the dynamic symbol table";
    case found::cxx:
        return fmt::format("not found: defined as {}", s.cxx);
    case found::absent:
        break;
    }
    return s.handler ? "the library logs \"symbol ... not found\" and returns app_log's result"
                     : "the platform library's is used";
}

/// The report of `path`: a table or JSON in `out`, problems and warnings on
/// stderr.  Returns whether the library finds everything the host defines.
bool check_host(const std::string &path, bool as_json, std::string &out) {
    std::vector<symbol> symbols = wanted();
    const host h = read_host(path, symbols);
    constexpr std::string_view library = STATSCL_LIBRARY_SONAME;
    const bool needs = std::ranges::find(h.needed, library) != h.needed.end();
    // dlsym's default scope, and the dynamic linker's, hold a shared object
    // only when it is loaded with RTLD_GLOBAL or linked by the executable.
    const bool exports =
        std::ranges::any_of(symbols, [](const symbol &s) { return s.state == found::exported; });
    const std::string note =
        h.shared_object && exports
            ? "a shared object: the library finds what it defines only if it is loaded with "
              "RTLD_GLOBAL or linked by the executable"
            : "";
    std::vector<std::string> problems, warnings;
    for (const symbol &s : symbols)
        if (std::string p = problem(s); !p.empty())
            problems.push_back(std::move(p));
    // A save without its restore (or a conversion without its inverse) is
    // legal, but seldom what a host's author meant.
    for (std::size_t i = 0; i + 1 < symbols.size(); i += 2) {
        const symbol &a = symbols[i], &b = symbols[i + 1];
        if (a.name == "app_log" || (a.state == found::absent) == (b.state == found::absent))
            continue;
        const symbol &has = a.state == found::absent ? b : a,
                     &lacks = a.state == found::absent ? a : b;
        warnings.push_back(fmt::format("{} is defined but {} is not", has.name, lacks.name));
    }
    for (const std::string &w : warnings)
        std::cerr << fmt::format("statscl: warning: {}: {}\n", path, w);
    for (const std::string &p : problems)
        std::cerr << fmt::format("statscl: {}: {}\n", path, p);
    if (as_json) {
        json list = json::array();
        for (const symbol &s : symbols) {
            list.push_back({{"name", s.name},
                            {"role", s.handler ? "handler" : "platform"},
                            {"state", std::string(name_of(s.state))},
                            {"expected", s.expected}});
            if (s.state == found::cxx)
                list.back()["defined_as"] = s.cxx;
        }
        out = json{{"file", path},
                   {"format", h.format},
                   {"needs_library", needs},
                   {"needed", h.needed},
                   {"run_path", h.run_path_tag.empty() ? json(nullptr) : json(h.run_path)},
                   {"run_path_tag", h.run_path_tag.empty() ? json(nullptr) : json(h.run_path_tag)},
                   {"note", note.empty() ? json(nullptr) : json(note)},
                   {"symbols", std::move(list)},
                   {"problems", problems},
                   {"warnings", warnings}}
                  .dump(2) +
              "\n";
        return problems.empty();
    }
    std::vector<table_row> rows{{{"symbol", "state", "so the library"}}};
    for (const symbol &s : symbols)
        rows.push_back({{s.name, std::string(name_of(s.state)), detail(s, h.shared_object)}});
    out = fmt::format("{}: {}\nneeds {}: {}\nrun path: {}\n{}\n", path, h.format, library,
                      needs ? "yes" : "no",
                      h.run_path_tag.empty() ? "none"
                                             : fmt::format("{} ({})", h.run_path, h.run_path_tag),
                      note.empty() ? "" : fmt::format("note: {}\n", note)) +
          table(rows, "<<<") +
          fmt::format("\n{} problem{}, {} warning{}\n", problems.size(),
                      problems.size() == 1 ? "" : "s", warnings.size(),
                      warnings.size() == 1 ? "" : "s");
    return problems.empty();
}

} // namespace

void add_check_host(CLI::App &app, std::string &out, int &status) {
    CLI::App *cmd = app.add_subcommand(
        "check-host", "Whether the library finds the handlers and platform symbols that a host "
                      "executable or shared object defines");
    static std::string path; // one app a process: its options outlive the parse
    cmd->add_option("FILE", path, "The host: an ELF executable or shared object, any target")
        ->required();
    CLI::Option *as_json = cmd->add_flag("--json")->description("Print JSON");
    cmd->callback([&out, &status, as_json] {
        status = check_host(path, as_json->count() != 0, out) ? 0 : 1;
    });
}

} // namespace statscl::tool
