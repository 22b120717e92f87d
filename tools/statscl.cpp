// statscl.cpp - the statscl tool: lists the kinds of statistics, decodes a
// captured network-order payload into named fields through the kind's own
// converters, and encodes fields back into a payload.
//
// Every output is composed in full before a byte of it is written, so bad
// input ends in one message on stderr, a non-zero exit and an empty stdout.
#include <algorithm>
#include <iostream>

#include <CLI/CLI.hpp>
#include <fmt/ranges.h>

#include "listing.h"
#include "payload.h"
#include "record.h"
#include "table.h"

namespace statscl::tool {
namespace {

// ---------------------------------------------------------------------------
// Text output.

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

/// The text of one element of a host-order record.
std::string element_text(const bytes &record, uint32_t offset, uint32_t width, uint32_t count) {
    return width == 1 ? to_hex(record.data() + offset, count)
                      : fmt::format("{}", get_host(record.data() + offset, width));
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
    return fmt::format("{}{}, {} bytes", record_name(kind, p),
                       kind.info.type != 0 ? fmt::format(" (type {})", kind.info.type) : "",
                       kind.size(p));
}

// ---------------------------------------------------------------------------
// Records through the kind's converters.

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
        std::cerr << fmt::format("statscl: note: {}: the {} bytes past the {}-byte {} record are "
                                 "not decoded\n",
                                 source, received - size, size, what);
}

/// The host-order record that a network-order payload holds, converted by the
/// kind's req_ntoh, or by its stats_ntoh with the payload's real length.
bytes to_host(const kind_ref &kind, part p, const bytes &payload, const std::string &source) {
    const uint32_t size = kind.size(p);
    const std::string what = record_name(kind, p);
    if (size == 0)
        throw refusal(fmt::format("{} has no request record", kind.info.name));
    const std::string received = fmt::format("{}: the {} payload is {} bytes, the record needs {}",
                                             source, what, payload.size(), size);
    if (p == part::request) {
        if (payload.size() < size)
            throw refusal(fmt::format("{}; req_ntoh takes no length and would read past the "
                                      "payload, so nothing was converted",
                                      received));
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
        throw refusal(fmt::format(
            "{}: its stats_ntoh's len rule is '{}' and it converted {} of {} bytes{}", received,
            internal::name_of(kind.info.stats_len), written, whole,
            past_end != 0 ? fmt::format(", {} of them from past the end of the payload", past_end)
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
        throw refusal(fmt::format("{}: {}", source_name(path), e.what()));
    }
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
    bool hex64 = false;
    bool request = false;
};

std::string decode_one(const kind_ref &kind, part p, const bytes &record, const decode_options &opt,
                       bool sample) {
    if (opt.json) {
        json j = header_json(kind, p);
        j["fields"] = fields_to_json(kind.fields(p), record, {.hex64 = opt.hex64});
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
                             fmt::format("{:#0{}x}", get_host(record.data() + offset, width),
                                         2 + 2 * width)}});
    });
    return fmt::format("{}{}\n{}", title(kind, p), sample ? ", built-in sample" : "",
                       table(rows, "<>>>"));
}

// ---------------------------------------------------------------------------
// The baseline as a host keeps it: the kind's clear, then its diff.

/// The request that clear and diff read, and how the output names it.  Kinds
/// without a request get a valid pointer all the same, since some of their
/// operations return on a null one.
struct used_request {
    bytes data;
    std::string said;
};

/// An all-zero request, at least 8 bytes even for a kind without one.
bytes zero_request(const kind_ref &kind) {
    return bytes(std::max<uint32_t>(kind.row.req_len, 8), 0);
}

used_request request_for(const kind_ref &kind, const decode_options &opt) {
    used_request r{zero_request(kind), ""};
    bytes host;
    const internal::selector all = kind.info.select_all;
    if (!opt.with_request.empty()) {
        host = to_host(kind, part::request, read_payload(opt.with_request, opt.hex),
                       source_name(opt.with_request));
        r.said = source_name(opt.with_request);
    } else if (kind.row.req_len != 0) {
        host = sample_host(kind, part::request);
        r.said = all.field == nullptr ? "the sample request"
                                      : fmt::format("the sample request ({} {}: every counter)",
                                                    all.field, all.value);
    } else {
        r.said = fmt::format("none, {} has no request record", kind.info.name);
    }
    std::copy(host.begin(), host.end(), r.data.begin());
    return r;
}

/// The baseline that the kind's clear captures from `reading` into a zeroed
/// one; for a kind whose clear does nothing, the reading itself, as its host
/// would copy it.
bytes cleared(const kind_ref &kind, const bytes &req, const bytes &reading) {
    if (!clear_works(kind.info))
        return reading;
    bytes baseline(reading.size(), 0);
    kind.row.clear(baseline.data(), req.data(), reading.data());
    return baseline;
}

/// Current minus baseline as the kind's diff computes it.
bytes diffed(const kind_ref &kind, const bytes &req, const bytes &baseline, const bytes &current) {
    bytes out = kind.info.diff_newer_first ? baseline : current;
    if (kind.info.diff_newer_first)
        kind.row.diff(current.data(), req.data(), out.data());
    else
        kind.row.diff(baseline.data(), req.data(), out.data());
    return out;
}

/// A record of distinct bytes, for probing what an operation does.
bytes probe(uint32_t size, unsigned step) {
    bytes b(size);
    for (uint32_t i = 0; i < size; ++i)
        b[i] = static_cast<unsigned char>(i * step + 1);
    return b;
}

/// Nonzero where diff writes with this request: from a baseline of 0x01
/// bytes and a current of 0x03 bytes, every value it subtracts or copies
/// comes out changed.
bytes touched_by_diff(const kind_ref &kind, const bytes &req) {
    const uint32_t size = kind.size(part::statistics);
    const bytes older(size, 0x01), newer(size, 0x03);
    const bytes out = diffed(kind, req, older, newer);
    const bytes &before = kind.info.diff_newer_first ? older : newer;
    bytes touched(size);
    for (uint32_t i = 0; i < size; ++i)
        touched[i] = out[i] != before[i];
    return touched;
}

/// True when some single bit set in an all-zero request changes what `op`
/// (a function of the request) gives.
template <class Op> bool reads_request(const kind_ref &kind, Op op) {
    bytes req = zero_request(kind);
    const bytes plain = op(req);
    for (uint32_t bit = 0; bit < 8 * kind.row.req_len; ++bit) {
        req[bit / 8] = static_cast<unsigned char>(1U << bit % 8);
        if (op(req) != plain)
            return true;
        req[bit / 8] = 0;
    }
    return false;
}

/// The operations that do work but whose result no request changes.
std::vector<std::string> ignoring_request(const kind_ref &kind) {
    const uint32_t size = kind.size(part::statistics);
    const bytes older = probe(size, 7), newer = probe(size, 13);
    std::vector<std::string> ops;
    if (kind.row.req_len == 0)
        return ops;
    if (clear_works(kind.info) &&
        !reads_request(kind, [&](const bytes &req) { return cleared(kind, req, older); }))
        ops.emplace_back("clear");
    if (diff_works(kind.info) &&
        !reads_request(kind, [&](const bytes &req) { return diffed(kind, req, older, newer); }))
        ops.emplace_back("diff");
    return ops;
}

std::string decode_with_baseline(const kind_ref &kind, const bytes &current, const bytes &reading,
                                 const decode_options &opt) {
    const used_request req = request_for(kind, opt);
    const bytes baseline = cleared(kind, req.data, reading);
    const bytes result = diffed(kind, req.data, baseline, current);
    const bytes touched = touched_by_diff(kind, req.data);
    if (const auto ops = ignoring_request(kind); !ops.empty())
        std::cerr << fmt::format("statscl: note: {}'s {} {} not read the request: it makes no "
                                 "difference there\n",
                                 kind.info.name, fmt::join(ops, " and "),
                                 ops.size() == 1 ? "does" : "do");

    const layout fields = kind.info.stats;
    if (opt.json) {
        json j = header_json(kind, part::statistics);
        j["request"] = req.said;
        j["current"] = fields_to_json(fields, current, {.hex64 = opt.hex64});
        j["baseline"] = fields_to_json(fields, baseline, {.hex64 = opt.hex64});
        j["diff"] = fields_to_json(fields, result, {.hex64 = opt.hex64, .touched = &touched});
        return dump_lines(j) + "\n";
    }
    std::vector<table_row> rows{{{"field", "offset", "current", "baseline", "diff"}}};
    for_each_element(fields, [&](const std::string &label, uint32_t offset, uint32_t width,
                                 uint32_t count) {
        const bool written =
            std::any_of(touched.begin() + offset, touched.begin() + offset + width * count,
                        [](unsigned char b) { return b != 0; });
        rows.push_back({{label, std::to_string(offset), element_text(current, offset, width, count),
                         element_text(baseline, offset, width, count),
                         written ? element_text(result, offset, width, count) : "-"},
                        width == 1});
    });
    const std::string_view name = kind.info.name;
    const std::string source = source_name(opt.baseline);
    return fmt::format(
        "{}\nrequest: {}\nbaseline: {}\ndiff: {}\n{}", title(kind, part::statistics), req.said,
        clear_works(kind.info)
            ? fmt::format("what {}'s clear captures from {} into a zeroed baseline", name, source)
            : fmt::format("{} as it is ({} has no clear: its host copies the baseline)", source,
                          name),
        !diff_works(kind.info)
            ? fmt::format("{} keeps no baseline: its diff changes nothing", name)
            : fmt::format("current minus baseline as {}'s diff computes it{}; - where it writes "
                          "nothing",
                          name,
                          kind.info.diff_newer_first ? " (called as diff(current, req, baseline))"
                                                     : ""),
        table(rows, "<>>>>"));
}

std::string decode(const decode_options &opt) {
    const kind_ref kind = find_kind(opt.type);
    const part p = opt.request ? part::request : part::statistics;
    if (opt.request && !opt.baseline.empty())
        throw refusal("--baseline compares statistics records; it does not go with --request");
    if (!opt.with_request.empty() && opt.baseline.empty())
        throw refusal("--with-request gives the request that --baseline's clear and diff read");
    if (kind.size(p) == 0)
        throw refusal(fmt::format("{} has no request record", kind.info.name));
    if (!opt.baseline.empty() && kind.row.diff == nullptr)
        throw refusal(fmt::format("{} has no diff operation", kind.info.name));
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
        return decode_one(kind, p, record, opt, sample);
    const bytes reading =
        to_host(kind, p, read_payload(opt.baseline, opt.hex), source_name(opt.baseline));
    return decode_with_baseline(kind, record, reading, opt);
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
} // namespace statscl::tool

int main(int argc, char **argv) {
    using namespace statscl::tool;
    CLI::App app{"statscl - the kinds of statistics records: list them, decode captured "
                 "payloads, encode crafted ones"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "statscl " STATSCL_VERSION_STRING);

    CLI::App *list = app.add_subcommand("list", "Every kind: type id, record sizes, len rule and "
                                                "the operations that do work");
    bool list_as_json = false;
    list->add_flag("--json", list_as_json, "Print JSON with every record's fields");
    CLI::App *header = app.add_subcommand(
        "header", "Print include/statscl_records.h: every record's fields as C macros");

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
    CLI::Option *as_json =
        decode_cmd->add_flag("--json", dec.json, "Print JSON (the format that encode reads)");
    decode_cmd
        ->add_flag("--hex64", dec.hex64,
                   "With --json: 64-bit values as \"0x...\" strings, which JSON tools that read "
                   "numbers as doubles cannot round")
        ->needs(as_json);
    decode_cmd->add_flag("--request", dec.request, "Decode a request record");
    decode_cmd
        ->add_option("--baseline", dec.baseline,
                     "A baseline statistics payload: show current, the baseline that the kind's "
                     "clear captures from it, and the kind's diff")
        ->type_name("FILE");
    decode_cmd
        ->add_option("--with-request", dec.with_request,
                     "Request payload that --baseline's clear and diff read (default: the "
                     "sample request, which selects every counter)")
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
            out = list_as_json ? list_json() : list_text();
        else if (header->parsed())
            out = records_header();
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
