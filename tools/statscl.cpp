// statscl.cpp - the statscl tool: lists the kinds of statistics, decodes a
// captured network-order payload into named fields through the kind's own
// converters, and encodes fields back into a payload.
//
// Every output is composed in full before a byte of it is written, so bad
// input ends in one message on stderr, a non-zero exit and an empty stdout.
#include <algorithm>
#include <iostream>

#include <CLI/CLI.hpp>

#include "payload.h"
#include "record.h"

namespace statscl::tool {
namespace {

using internal::len_rule;

// ---------------------------------------------------------------------------
// Text output.

/// A table row; the cells of a wide row after the second are written as they
/// are, without setting the width of their columns.
struct table_row {
    std::vector<std::string> cells;
    bool wide = false;
};

/// Aligned columns; align holds 'l' or 'r' for each column.
std::string format_table(const std::vector<table_row> &rows, std::string_view align) {
    std::vector<std::size_t> width;
    for (const table_row &r : rows) {
        const std::size_t n = r.wide ? std::min<std::size_t>(2, r.cells.size()) : r.cells.size();
        width.resize(std::max(width.size(), n), 0);
        for (std::size_t i = 0; i < n; ++i)
            width[i] = std::max(width[i], r.cells[i].size());
    }
    std::string out;
    for (const table_row &r : rows) {
        std::string line;
        for (std::size_t i = 0; i < r.cells.size(); ++i) {
            const std::string &c = r.cells[i];
            if (i > 0)
                line += "  ";
            if (r.wide && i >= 2)
                line += c;
            else if (align[i] == 'l')
                line += c + std::string(width[i] - c.size(), ' ');
            else
                line += std::string(width[i] - c.size(), ' ') + c;
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + '\n';
    }
    return out;
}

/// JSON with one field a line: objects are spread out, arrays kept on one
/// line, so that a payload's JSON reads (and diffs) field by field.
std::string dump_lines(const json &j, int depth = 0) {
    if (!j.is_object() || j.empty())
        return j.dump();
    const std::string pad(2 * (depth + 1), ' ');
    std::string s = "{\n";
    bool first = true;
    for (const auto &[key, value] : j.items()) {
        s += (first ? "" : ",\n") + pad + json(key).dump() + ": " + dump_lines(value, depth + 1);
        first = false;
    }
    return s + "\n" + std::string(2 * depth, ' ') + "}";
}

std::string hex_value(uint64_t v, uint32_t width) {
    unsigned char be[8];
    for (uint32_t i = 0; i < width; ++i)
        be[i] = static_cast<unsigned char>(v >> 8 * (width - 1 - i));
    return "0x" + to_hex(be, width);
}

/// The text of one element of a host-order record.
std::string element_text(const bytes &record, uint32_t offset, uint32_t width, uint32_t count) {
    return width == 1 ? to_hex(record.data() + offset, count)
                      : std::to_string(get_host(record.data() + offset, width));
}

json header_json(const kind_ref &kind, part p) {
    json j = json::object();
    j["kind"] = kind.info.name;
    if (kind.info.type != 0)
        j["type"] = kind.info.type;
    j["record"] = p == part::request ? "request" : "statistics";
    return j;
}

std::string title(const kind_ref &kind, part p) {
    std::string s = record_name(kind, p);
    if (kind.info.type != 0)
        s += " (type " + std::to_string(kind.info.type) + ")";
    return s + ", " + std::to_string(kind.size(p)) + " bytes";
}

// ---------------------------------------------------------------------------
// Records through the kind's converters.

std::string rule_text(len_rule rule, uint32_t size) {
    switch (rule) {
    case len_rule::ignored:
        return "ignores len";
    case len_rule::at_least:
        return "converts the whole record only when len >= " + std::to_string(size);
    case len_rule::whole_values:
        return "converts the whole values that len covers";
    case len_rule::exact:
        return "converts only when len == " + std::to_string(size);
    }
    return {};
}

/// Bytes of a record that a conversion writes: those of known layout.
uint32_t convertible_bytes(layout fields) {
    uint32_t n = 0;
    for (const field &f : fields)
        n += f.width == 1 ? 0 : f.width * f.count;
    return n;
}

void note_trailing(const std::string &source, std::size_t received, uint32_t size,
                   const std::string &what) {
    if (received > size)
        std::cerr << "statscl: note: " << source << ": the " << received - size
                  << " bytes past the " << size << "-byte " << what << " record are not decoded\n";
}

/// The host-order record that a network-order payload holds, converted by the
/// kind's req_ntoh, or by its stats_ntoh with the payload's real length.
bytes to_host(const kind_ref &kind, part p, const bytes &payload, const std::string &source) {
    const uint32_t size = kind.size(p);
    const std::string what = record_name(kind, p);
    if (size == 0)
        throw refusal(std::string(kind.info.name) + " has no request record");
    const std::string received = source + ": the " + what + " payload is " +
                                 std::to_string(payload.size()) + " bytes, the record needs " +
                                 std::to_string(size);
    if (p == part::request) {
        if (payload.size() < size)
            throw refusal(received + "; req_ntoh takes no length and would read past the "
                                     "payload, so nothing was converted");
        bytes record(payload.begin(), payload.begin() + size);
        kind.row.req_ntoh(record.data(), record.data());
        note_trailing(source, payload.size(), size, what);
        return record;
    }

    // Which bytes stats_ntoh writes for this len: converted into two records
    // filled differently, a written byte comes out the same in both.
    const auto len = static_cast<uint32_t>(payload.size());
    bytes src = payload;
    src.resize(std::max<std::size_t>(src.size(), size), 0);
    bytes zeros(size, 0x00), ones(size, 0xFF);
    kind.row.stats_ntoh(zeros.data(), src.data(), len);
    kind.row.stats_ntoh(ones.data(), src.data(), len);
    uint32_t written = 0, past_end = 0;
    for (uint32_t i = 0; i < size; ++i)
        if (zeros[i] == ones[i]) {
            ++written;
            past_end += i >= len ? 1 : 0;
        }
    const uint32_t whole = convertible_bytes(kind.info.stats);
    if (len < size || written != whole)
        throw refusal(received + ": its stats_ntoh " + rule_text(kind.info.stats_len, size) +
                      " and converted " + std::to_string(written) + " of " + std::to_string(whole) +
                      " bytes" +
                      (past_end != 0 ? ", " + std::to_string(past_end) +
                                           " of them from past the end of the payload"
                                     : ""));
    bytes record(payload.begin(), payload.begin() + size);
    for (uint32_t i = 0; i < size; ++i)
        if (zeros[i] == ones[i])
            record[i] = zeros[i];
    note_trailing(source, payload.size(), size, what);
    return record;
}

/// Converts a host-order record to network order in place: bytes that the
/// kind's hton leaves alone keep their value, which on a big-endian host is
/// already the network-order one.
void to_network(const kind_ref &kind, part p, bytes &record) {
    if (p == part::request)
        kind.row.req_hton(record.data(), record.data());
    else
        kind.row.stats_hton(record.data(), record.data());
}

bytes sample_host(const kind_ref &kind, part p) {
    return sample_record(kind.fields(p),
                         p == part::request ? kind.info.select_all : internal::selector{});
}

/// How messages name an input.
std::string source_name(const std::string &path) { return path == "-" ? "standard input" : path; }

bytes read_payload(const std::string &path, bool hex) {
    const std::string data = read_input(path);
    if (!hex)
        return bytes(data.begin(), data.end());
    try {
        return parse_hex(data);
    } catch (const refusal &e) {
        throw refusal(source_name(path) + ": " + e.what());
    }
}

// ---------------------------------------------------------------------------
// list

std::string list_kinds() {
    std::vector<table_row> rows{
        {{"type", "kind", "request", "statistics", "stats_ntoh len", "operations that do work"}}};
    for (const internal::kind_info &k : internal::catalogue) {
        const kind_ref kind = find_kind(k.name);
        std::string ops;
        if (convertible_bytes(k.request) != 0)
            ops += "req ";
        ops += "stats";
        ops += k.diff_works ? (k.diff_newer_first ? " diff(newer-first)" : " diff") : "";
        ops += k.clear_works ? " clear" : "";
        ops += k.pss_works ? " pss" : "";
        const std::string rule(internal::name_of(k.stats_len));
        rows.push_back({{k.type != 0 ? std::to_string(k.type) : "-", k.name,
                         kind.row.req_len != 0 ? std::to_string(kind.row.req_len) : "-",
                         std::to_string(kind.row.stats_len), rule, ops}});
    }
    return format_table(rows, "rlrrll") +
           "\nreq: req_hton and req_ntoh convert the request; stats: stats_hton and stats_ntoh"
           " convert the\nstatistics; diff and clear keep a baseline; pss: save_pss and "
           "restore_pss call the host's\nhandlers.  Kinds without a type id are decoded and "
           "encoded by name.\n";
}

// ---------------------------------------------------------------------------
// decode

struct decode_options {
    std::string type;
    std::string payload;
    std::string baseline;
    std::string with_request;
    bool hex = false;
    bool json = false;
    bool request = false;
};

std::string decode_one(const kind_ref &kind, part p, const bytes &record, bool as_json,
                       bool sample) {
    if (as_json) {
        json j = header_json(kind, p);
        j["fields"] = fields_to_json(kind.fields(p), record);
        return dump_lines(j) + "\n";
    }
    std::vector<table_row> rows{{{"field", "offset", "value", "hex"}}};
    for_each_element(kind.fields(p), [&](const std::string &label, uint32_t offset, uint32_t width,
                                         uint32_t count) {
        const std::string value = element_text(record, offset, width, count);
        if (width == 1)
            rows.push_back({{label, std::to_string(offset), value}, true});
        else
            rows.push_back({{label, std::to_string(offset), value,
                             hex_value(get_host(record.data() + offset, width), width)}});
    });
    return title(kind, p) + (sample ? ", built-in sample" : "") + "\n" + format_table(rows, "lrrr");
}

std::string decode_with_baseline(const kind_ref &kind, const bytes &current, const bytes &baseline,
                                 const decode_options &opt) {
    // The request that diff reads: the one given, else the sample request,
    // which selects every counter.  Kinds without a request get a valid
    // pointer all the same, since some diffs return on a null one.
    bytes req(std::max<uint32_t>(kind.row.req_len, 8), 0);
    if (!opt.with_request.empty()) {
        const bytes r = to_host(kind, part::request, read_payload(opt.with_request, opt.hex),
                                source_name(opt.with_request));
        std::copy(r.begin(), r.end(), req.begin());
    } else if (kind.row.req_len != 0) {
        const bytes r = sample_host(kind, part::request);
        std::copy(r.begin(), r.end(), req.begin());
    }
    bytes result;
    if (kind.info.diff_newer_first) {
        result = baseline;
        kind.row.diff(current.data(), req.data(), result.data());
    } else {
        result = current;
        kind.row.diff(baseline.data(), req.data(), result.data());
    }

    const layout fields = kind.info.stats;
    if (opt.json) {
        json j = header_json(kind, part::statistics);
        j["current"] = fields_to_json(fields, current);
        j["baseline"] = fields_to_json(fields, baseline);
        j["diff"] = fields_to_json(fields, result);
        return dump_lines(j) + "\n";
    }
    std::vector<table_row> rows{{{"field", "offset", "current", "baseline", "diff"}}};
    for_each_element(fields, [&](const std::string &label, uint32_t offset, uint32_t width,
                                 uint32_t count) {
        rows.push_back({{label, std::to_string(offset), element_text(current, offset, width, count),
                         element_text(baseline, offset, width, count),
                         element_text(result, offset, width, count)},
                        width == 1});
    });
    std::string how =
        "diff: current minus baseline, as " + std::string(kind.info.name) + "'s diff computes it";
    if (!kind.info.diff_works)
        how = "diff: " + std::string(kind.info.name) +
              " keeps no baseline: its diff leaves the current record as it is";
    else if (kind.info.diff_newer_first)
        how += " (called as diff(current, req, baseline))";
    return title(kind, part::statistics) + "\n" + how + "\n" + format_table(rows, "lrrrr");
}

std::string decode(const decode_options &opt) {
    const kind_ref kind = find_kind(opt.type);
    const part p = opt.request ? part::request : part::statistics;
    if (opt.request && !opt.baseline.empty())
        throw refusal("--baseline compares statistics records; it does not go with --request");
    if (!opt.with_request.empty() && opt.baseline.empty())
        throw refusal("--with-request gives the request that --baseline's diff reads");
    if (kind.size(p) == 0)
        throw refusal(std::string(kind.info.name) + " has no request record");
    if (!opt.baseline.empty() && kind.row.diff == nullptr)
        throw refusal(std::string(kind.info.name) + " has no diff operation");
    const bool sample = opt.payload.empty();
    bytes payload;
    if (sample) {
        payload = sample_host(kind, p);
        to_network(kind, p, payload);
    } else {
        payload = read_payload(opt.payload, opt.hex);
    }
    const bytes record = to_host(kind, p, payload, sample ? "sample" : source_name(opt.payload));
    if (opt.baseline.empty())
        return decode_one(kind, p, record, opt.json, sample);
    const bytes baseline =
        to_host(kind, p, read_payload(opt.baseline, opt.hex), source_name(opt.baseline));
    return decode_with_baseline(kind, record, baseline, opt);
}

// ---------------------------------------------------------------------------
// encode

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
        throw refusal(std::string(kind.info.name) + " has no request record");

    json doc;
    try {
        doc = json::parse(read_input(opt.input));
    } catch (const json::parse_error &e) {
        const std::string msg = e.what();
        throw refusal(source + ": invalid JSON: " + msg.substr(msg.find("] ") + 2));
    }
    if (!doc.is_object())
        throw refusal(source + ": expected an object as 'statscl decode --json' prints it");
    for (const auto &[key, value] : doc.items())
        if (key != "kind" && key != "type" && key != "record" && key != "fields")
            throw refusal(source + ": unknown key '" + key +
                          "' (expected kind, type, record and fields)");
    const json expected = header_json(kind, p);
    for (const char *key : {"kind", "type", "record"})
        if (doc.contains(key) && doc[key] != expected.value(key, json()))
            throw refusal(source + ": '" + key + "' is " + doc[key].dump() + " but " + what +
                          " was asked for");
    if (!doc.contains("fields"))
        throw refusal(source + ": missing 'fields'");

    bytes record;
    try {
        record = fields_from_json(kind.fields(p), doc["fields"], what);
    } catch (const refusal &e) {
        throw refusal(source + ": " + e.what());
    }
    to_network(kind, p, record);
    if (opt.hex)
        return to_hex_lines(record);
    return std::string(record.begin(), record.end());
}

} // namespace
} // namespace statscl::tool

int main(int argc, char **argv) {
    using namespace statscl::tool;
    CLI::App app{"statscl - the kinds of statistics records: list them, decode captured "
                 "payloads, encode crafted ones"};
    app.require_subcommand(1);

    CLI::App *list = app.add_subcommand("list", "Every kind: type id, record sizes, len rule and "
                                                "the operations that do work");

    decode_options dec;
    CLI::App *decode_cmd = app.add_subcommand(
        "decode", "Decode a network-order payload into named fields through the kind's ntoh");
    decode_cmd->add_option("-t,--type", dec.type, "Kind: type id or name (see 'statscl list')")
        ->required();
    decode_cmd
        ->add_option("payload", dec.payload,
                     "Payload file, or - for standard input; none decodes the kind's "
                     "built-in sample")
        ->type_name("FILE|-");
    decode_cmd->add_flag("--hex", dec.hex, "Payloads are hex text, not raw bytes");
    decode_cmd->add_flag("--json", dec.json, "Print JSON (the format that encode reads)");
    decode_cmd->add_flag("--request", dec.request, "Decode a request record");
    decode_cmd
        ->add_option("--baseline", dec.baseline,
                     "A baseline statistics payload: show current, baseline and the kind's diff")
        ->type_name("FILE");
    decode_cmd
        ->add_option("--with-request", dec.with_request,
                     "Request payload that --baseline's diff reads (default: the sample "
                     "request, which selects every counter)")
        ->type_name("FILE");

    encode_options enc;
    CLI::App *encode_cmd = app.add_subcommand(
        "encode", "Encode JSON as decode prints it into a network-order payload");
    encode_cmd->add_option("-t,--type", enc.type, "Kind: type id or name (see 'statscl list')")
        ->required();
    encode_cmd->add_option("json", enc.input, "JSON file, or - for standard input (default)")
        ->type_name("FILE|-");
    encode_cmd->add_flag("--hex", enc.hex, "Write hex text instead of raw bytes");
    encode_cmd->add_flag("--request", enc.request, "Encode a request record");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError &e) {
        return app.exit(e);
    }

    try {
        std::string out;
        if (list->parsed())
            out = list_kinds();
        else if (decode_cmd->parsed())
            out = decode(dec);
        else if (encode_cmd->parsed())
            out = encode(enc);
        std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "statscl: cannot write to standard output\n";
            return 1;
        }
        return 0;
    } catch (const refusal &e) {
        std::cerr << "statscl: " << e.what() << '\n';
        return 1;
    } catch (const std::exception &e) {
        std::cerr << "statscl: " << e.what() << '\n';
        return 2;
    }
}
