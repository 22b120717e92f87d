// encode.cpp - `statscl encode`: JSON as `statscl decode --json` prints it
// becomes the network-order payload, through the kind's own hton.
#include "tool.h"

namespace statscl::tool {
namespace {

struct encode_options {
    std::string type;
    std::string input = "-";
    bool hex = false;
    bool request = false;
};

std::string encode(const encode_options &opt) {
    const kind_ref kind = find_kind(opt.type);
    const part p = opt.request ? part::request : part::statistics;
    const std::string what = record_name(kind, p);
    const std::string source = source_name(opt.input);
    if (kind.size(p) == 0)
        throw refusal(fmt::format("{} has no request record", kind.info.name));

    json doc;
    try {
        doc = json::parse(read_input(opt.input));
    } catch (const json::parse_error &e) {
        const std::string msg = e.what();
        throw refusal(fmt::format("{}: invalid JSON: {}", source, msg.substr(msg.find("] ") + 2)));
    }
    if (!doc.is_object())
        throw refusal(
            fmt::format("{}: expected an object as 'statscl decode --json' prints it", source));
    for (const auto &[key, value] : doc.items())
        if (key != "kind" && key != "type" && key != "record" && key != "fields")
            throw refusal(fmt::format(
                "{}: unknown key '{}' (expected kind, type, record and fields)", source, key));
    const json expected = header_json(kind, p);
    for (const char *key : {"kind", "type", "record"})
        if (doc.contains(key) && doc[key] != expected.value(key, json()))
            throw refusal(fmt::format("{}: '{}' is {} but {} was asked for", source, key,
                                      doc[key].dump(), what));
    if (!doc.contains("fields"))
        throw refusal(fmt::format("{}: missing 'fields'", source));

    bytes record;
    try {
        record = fields_from_json(kind.fields(p), doc["fields"], what);
    } catch (const refusal &e) {
        throw refusal(fmt::format("{}: {}", source, e.what()));
    }
    to_network(kind, p, record);
    if (opt.hex)
        return to_hex_lines(record);
    return std::string(record.begin(), record.end());
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
