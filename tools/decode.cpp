// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// decode.cpp - `statscl decode`: a captured network-order payload as named
// fields, received as a host receives it (a request through the kind's
// req_ntoh); with --baseline, the kind's clear and diff as a host calls them.
#include <functional>
#include <utility>

#include "statscl_receive.h"
#include "tool.h"

namespace statscl::tool {
namespace {

struct decode_options {
    std::string type, payload, baseline, with_request;
    bool hex = false, json = false, hex64 = false, request = false, each = false;
};

/// Calls fn(label, offset, width, elements) for every element of `fields`;
/// the bytes of a width-1 field are one element labelled with its name.
template <class Fn> void for_each_element(layout fields, Fn &&fn) {
    for (const field &f : fields)
        for (uint32_t i = 0; i < (f.width == 1 ? 1 : f.count); ++i)
            fn(f.count == 1 || f.width == 1 ? std::string(f.name)
                                            : fmt::format("{}[{}]", f.name, i),
               f.offset + i * f.width, f.width, f.width == 1 ? f.count : 1U);
}

/// The text of one element of a host-order record; bytes as hex digits.
std::string element_text(const bytes &record, uint32_t offset, uint32_t width, uint32_t count) {
    const unsigned char *at = record.data() + offset;
    return width == 1 ? fmt::format("{:02x}", fmt::join(at, at + count, ""))
                      : fmt::format("{}", get_host(at, width));
}

/// Whether `touched` is given and has no nonzero byte among `size` at offset.
bool untouched(const bytes *touched, uint32_t offset, uint32_t size) {
    return touched != nullptr && std::none_of(touched->begin() + offset,
                                              touched->begin() + offset + size, std::identity());
}

/// The elements of `fields` in a table, a column of values for each record;
/// "-" in the last where `touched`, when given, has no nonzero byte.  A
/// single record's values are also shown in hex.
std::string records_table(layout fields, std::vector<std::string> head,
                          const std::vector<const bytes *> &records,
                          const bytes *touched = nullptr) {
    std::vector<table_row> rows{{std::move(head)}};
    for_each_element(
        fields, [&](const std::string &label, uint32_t offset, uint32_t width, uint32_t count) {
            table_row row{{label, std::to_string(offset)}, width == 1};
            for (const bytes *r : records)
                row.cells.push_back(element_text(*r, offset, width, count));
            if (untouched(touched, offset, width * count))
                row.cells.back() = "-";
            if (records.size() == 1 && width != 1)
                row.cells.push_back(fmt::format(
                    "{:#0{}x}", get_host(records[0]->data() + offset, width), 2 + 2 * width));
            rows.push_back(std::move(row));
        });
    return table(rows, std::string("<") + std::string(rows[0].cells.size() - 1, '>'));
}

/// Every field of a host-order record: a number, an array of numbers, or a
/// hex string for bytes of unknown layout.  With hex64, 64-bit values are
/// "0x..." strings, which survive doubles; elements of which `touched`, when
/// given, has no nonzero byte are null.
json fields_to_json(layout fields, const bytes &record, bool hex64,
                    const bytes *touched = nullptr) {
    json out = json::object();
    for (const field &f : fields) {
        json values = json::array();
        for (uint32_t i = 0, at = f.offset; f.width != 1 && i < f.count; ++i, at += f.width) {
            const uint64_t v = get_host(record.data() + at, f.width);
            values.push_back(untouched(touched, at, f.width) ? json(nullptr)
                             : hex64 && f.width == 8         ? json(fmt::format("{:#018x}", v))
                                                             : json(v));
        }
        out[f.name] = f.width == 1   ? json(element_text(record, f.offset, 1, f.count))
                      : f.count == 1 ? values[0]
                                     : values;
    }
    return out;
}

/// JSON with one field a line: objects are spread out, arrays kept on one
/// line, so that a payload's JSON reads (and diffs) field by field.
std::string dump_lines(const json &j, int depth = 0) {
    if (!j.is_object() || j.empty())
        return j.dump();
    std::string s = "{\n";
    for (const auto &[key, value] : j.items())
        s += (s.size() > 2 ? ",\n" : "") + std::string(2 * depth + 2, ' ') + json(key).dump() +
             ": " + dump_lines(value, depth + 1);
    return s + "\n" + std::string(2 * depth, ' ') + "}";
}

std::string title(const kind_ref &kind, part p) {
    return fmt::format("{}{}, {} bytes", record_name(kind, p),
                       kind.info.type != 0 ? fmt::format(" (type {})", kind.info.type) : "",
                       size_of(kind.fields(p)));
}

/// The checked receive of each kind reached by name, and how messages name it.
struct named_receive {
    std::string_view kind, function;
    uint32_t (*receive)(void *dst, const void *src, uint32_t len);
};
constexpr named_receive named_receives[] = {
#define STATSCL_NAMED_RECEIVE(name, diff, clear)                                                   \
    {#name, "statscl_" #name "_stats_ntoh_checked", statscl_##name##_stats_ntoh_checked},
    STATSCL_PD_KINDS(STATSCL_NAMED_RECEIVE)
#undef STATSCL_NAMED_RECEIVE
};

/// Converts a statistics payload into `record` as a host receives it, through
/// the checked receive; returns its result (how many leading bytes of record
/// hold converted values) and the function's name.
std::pair<uint32_t, std::string_view> receive(const kind_ref &kind, bytes &record,
                                              const bytes &payload) {
    const auto len = static_cast<uint32_t>(payload.size());
    if (kind.info.named_row == nullptr)
        return {statscl_stats_ntoh_checked(&kind.row, record.data(), payload.data(), len),
                "statscl_stats_ntoh_checked"};
    const named_receive &named =
        *std::ranges::find(named_receives, std::string_view(kind.info.name), &named_receive::kind);
    return {named.receive(record.data(), payload.data(), len), named.function};
}

/// The bytes of values (not of unknown layout) among the first `end` of a record.
uint32_t value_bytes(layout fields, uint32_t end) {
    uint32_t n = 0;
    for (const field &f : fields)
        for (uint32_t at = f.offset;
             f.width != 1 && at + f.width <= std::min(end, internal::end_of(f)); at += f.width)
            n += f.width;
    return n;
}

/// The host-order record that a network-order payload holds: converted by
/// the kind's req_ntoh, or received through its checked receive, which reads
/// nothing past the payload.
bytes to_host(const kind_ref &kind, part p, const bytes &payload, const std::string &source) {
    const uint32_t size = size_of(kind.fields(p));
    const std::string received = fmt::format("{}: the {} payload is {} bytes, the record needs {}",
                                             source, record_name(kind, p), payload.size(), size);
    const auto len = static_cast<uint32_t>(payload.size());
    if (size == 0)
        throw refusal(fmt::format("{} has no request record", kind.info.name));
    // Bytes of unknown layout, which no conversion writes, keep the payload's.
    bytes record(payload.begin(), payload.begin() + std::min(len, size));
    record.resize(size);
    if (p == part::request) {
        if (len < size)
            throw refusal(fmt::format("{}; req_ntoh takes no length and would read past the "
                                      "payload, so nothing was converted",
                                      received));
        kind.row.req_ntoh(record.data(), record.data());
    } else if (const auto [converted, by] = receive(kind, record, payload); converted != size) {
        const uint32_t values = value_bytes(kind.info.stats, size);
        throw refusal(fmt::format(
            "{}: its stats_ntoh's len rule is '{}' and {} converted {} of {} bytes{}", received,
            name_of(kind.info.stats_len), by, value_bytes(kind.info.stats, converted), values,
            values != size ? fmt::format(" (the other {} are of unknown layout, which no "
                                         "conversion writes)",
                                         size - values)
                           : ""));
    }
    if (len > size)
        std::cerr << fmt::format("statscl: note: {}: the {} bytes past the {}-byte {} record are "
                                 "not decoded\n",
                                 source, len - size, size, record_name(kind, p));
    return record;
}

/// The host-order record in the payload, raw or in hex, that `path` holds.
/// The payload in a file (`-`: standard input), raw or as hex text.
bytes read_payload(const std::string &path, bool hex) {
    const std::string data = read_input(path);
    return hex ? parse_hex(data, source_name(path) + ": ") : bytes(data.begin(), data.end());
}

bytes read_record(const kind_ref &kind, part p, const std::string &path, bool hex) {
    return to_host(kind, p, read_payload(path, hex), source_name(path));
}

/// The request field that select_all names, if the kind has one.
const field *selecting_field(const kind_info &k) {
    for (const field &f : k.request)
        if (k.select_all.field != nullptr && f.name == std::string_view(k.select_all.field))
            return &f;
    return nullptr;
}

/// A host-order record with a distinct value in every element; a request's
/// selecting field holds the value that widens clear and diff to everything.
bytes sample_host(const kind_ref &kind, part p) {
    const layout fields = kind.fields(p);
    bytes record(size_of(fields), 0);
    for (std::size_t n = 0; n < fields.size(); ++n) {
        const field &f = fields[n];
        for (uint32_t i = 0; i < f.count; ++i)
            put_host(record.data() + f.offset + i * f.width, f.width,
                     &f == selecting_field(kind.info) ? kind.info.select_all.value
                     : f.width == 1                   ? i
                                                      : 1000 * (n + 1) + i);
    }
    return record;
}

// ---------------------------------------------------------------------------
// The baseline as a host keeps it: the kind's clear, then its diff.

/// The request that clear and diff read and how the output names it.  Kinds
/// without a request get a valid pointer all the same, since some of their
/// operations return on a null one.
struct used_request {
    bytes data;
    std::string said;
};

used_request request_for(const kind_ref &kind, const decode_options &opt) {
    used_request r;
    const internal::selector all = kind.info.select_all;
    if (!opt.with_request.empty()) {
        r.said = source_name(opt.with_request);
        r.data = read_record(kind, part::request, opt.with_request, opt.hex);
        // A selecting field that holds none of the bits that select, while its
        // byte swap holds nothing else, was written in the wrong byte order: it
        // selects no counter without a word from clear or diff.
        if (const field *f = selecting_field(kind.info)) {
            const uint64_t given = get_host(r.data.data() + f->offset, f->width);
            const uint64_t other = internal::with_width(f->width, [&]<class T>() -> uint64_t {
                return internal::byteswap(static_cast<T>(given));
            });
            if ((given & all.value) == 0 && other != 0 && (other & ~all.value) == 0)
                std::cerr << fmt::format("statscl: warning: {}: {}'s {} is {:#0{}x}, which selects "
                                         "no counter; byte-swapped, {:#0{}x}, it would: a request "
                                         "payload is in network byte order\n",
                                         r.said, kind.info.name, f->name, given, 2 + 2 * f->width,
                                         other, 2 + 2 * f->width);
        }
    } else if (kind.row.req_len != 0) {
        r.data = sample_host(kind, part::request);
        r.said = all.field == nullptr ? "the sample request"
                                      : fmt::format("the sample request ({} {}: every counter)",
                                                    all.field, all.value);
    } else {
        r.said = fmt::format("none, {} has no request record", kind.info.name);
    }
    r.data.resize(std::max<std::size_t>(r.data.size(), 8));
    return r;
}

/// Current minus baseline as the kind's diff computes it.
bytes diffed(const kind_ref &kind, const bytes &req, const bytes &baseline, const bytes &current) {
    bytes out = kind.info.diff_newer_first ? baseline : current;
    kind.row.diff((kind.info.diff_newer_first ? current : baseline).data(), req.data(), out.data());
    return out;
}

/// Nonzero where diff writes with this request: the fields that the kind
/// states its diff covers.  A diff that reads the request (a mask of paths, a
/// switch that turns it off) covers what that request selects, which only its
/// code knows, so there it is observed: from a baseline of 0x01 bytes and a
/// current of 0x03 bytes, every value it writes comes out changed.
bytes touched_by_diff(const kind_ref &kind, const bytes &req) {
    const uint32_t size = size_of(kind.info.stats);
    bytes touched(size, 0);
    if (kind.info.diff_request != internal::request_use::read) {
        for (const field &f : kind.info.diff_fields)
            std::fill_n(touched.begin() + f.offset, f.width * f.count, 1);
        return touched;
    }
    const bytes older(size, 0x01), newer(size, 0x03);
    const bytes out = diffed(kind, req, older, newer);
    for (uint32_t i = 0; i < size; ++i)
        touched[i] = out[i] != (kind.info.diff_newer_first ? older : newer)[i];
    return touched;
}

std::string decode_with_baseline(const kind_ref &kind, const bytes &current, const bytes &reading,
                                 const decode_options &opt) {
    const used_request req = request_for(kind, opt);
    // A request read from a file is shown field by field.
    const layout shown = opt.with_request.empty() ? layout{} : kind.info.request;
    // The baseline that the kind's clear captures from the reading into a
    // zeroed one; for a kind whose clear does nothing, the reading itself, as
    // its host would copy it.
    bytes baseline = clear_works(kind.info) ? bytes(reading.size(), 0) : reading;
    if (clear_works(kind.info))
        kind.row.clear(baseline.data(), req.data.data(), reading.data());
    const bytes result = diffed(kind, req.data, baseline, current);
    const bytes touched = touched_by_diff(kind, req.data);
    const bool has_req = kind.row.req_len != 0;
    constexpr auto reads = internal::request_use::read;
    const bool clear_ignores =
        has_req && clear_works(kind.info) && kind.info.clear_request != reads;
    const bool diff_ignores = has_req && diff_works(kind.info) && kind.info.diff_request != reads;
    if (clear_ignores || diff_ignores)
        std::cerr << fmt::format(
            "statscl: note: {}'s {} not read the request: it makes no difference there\n",
            kind.info.name,
            clear_ignores && diff_ignores ? "clear and diff do"
            : clear_ignores               ? "clear does"
                                          : "diff does");

    const layout fields = kind.info.stats;
    if (opt.json) {
        json j = header_json(kind, part::statistics);
        j["request"] = req.said;
        if (!shown.empty())
            j["request_fields"] = fields_to_json(shown, req.data, false);
        j["current"] = fields_to_json(fields, current, opt.hex64);
        j["baseline"] = fields_to_json(fields, baseline, opt.hex64);
        j["diff"] = fields_to_json(fields, result, opt.hex64, &touched);
        return dump_lines(j) + "\n";
    }
    std::string said = req.said;
    for_each_element(
        shown, [&](const std::string &label, uint32_t offset, uint32_t width, uint32_t count) {
            said += fmt::format("\n  {} = {}", label, element_text(req.data, offset, width, count));
        });
    const std::string_view name = kind.info.name;
    const std::string source = source_name(opt.baseline);
    return fmt::format(
        "{}\nrequest: {}\nbaseline: {}\ndiff: {}\n{}", title(kind, part::statistics), said,
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
        records_table(fields, {"field", "offset", "current", "baseline", "diff"},
                      {&current, &baseline, &result}, &touched));
}

std::string decode(const decode_options &opt) {
    const kind_ref kind = *find_kind(opt.type); // as --type accepted it
    const part p = opt.request ? part::request : part::statistics;
    if (!opt.baseline.empty() && kind.row.diff == nullptr)
        throw refusal(fmt::format("{} has no diff operation", kind.info.name));
    const bool sample = opt.payload.empty();
    const auto show = [&](const bytes &record) {
        if (opt.json) {
            json j = header_json(kind, p);
            j["fields"] = fields_to_json(kind.fields(p), record, opt.hex64);
            return dump_lines(j) + "\n";
        }
        return fmt::format(
            "{}{}\n{}", title(kind, p), sample ? ", built-in sample" : "",
            records_table(kind.fields(p), {"field", "offset", "value", "hex"}, {&record}));
    };
    if (opt.each) {
        // Back-to-back records, each decoded as if it came alone.
        const bytes all = read_payload(opt.payload, opt.hex);
        const std::string source = source_name(opt.payload);
        const std::size_t size = size_of(kind.fields(p));
        if (size == 0 || all.size() % size != 0)
            throw refusal(fmt::format("{}: {} bytes are not whole {}-byte records", source,
                                      all.size(), size));
        std::string out;
        for (std::size_t at = 0; at < all.size(); at += size)
            out += show(to_host(kind, p, bytes(all.begin() + at, all.begin() + at + size),
                                fmt::format("{}, record {}", source, at / size)));
        return out;
    }
    const bytes record = sample
                             ? to_host(kind, p, to_network(kind, p, sample_host(kind, p)), "sample")
                             : read_record(kind, p, opt.payload, opt.hex);
    if (!opt.baseline.empty())
        return decode_with_baseline(kind, record, read_record(kind, p, opt.baseline, opt.hex), opt);
    return show(record);
}

} // namespace

void add_decode(CLI::App &app, std::string &out) {
    static decode_options opt; // one app a process: its options outlive the parse
    CLI::App *cmd = app.add_subcommand(
        "decode", "Decode a network-order payload into named fields through the kind's ntoh");
    add_kind_option(*cmd, opt.type);
    cmd->add_option("payload", opt.payload,
                    "Payload file, or - for standard input; none decodes the kind's "
                    "built-in sample")
        ->type_name("FILE|-");
    cmd->add_flag("--hex", opt.hex, "Payloads are hex text, not raw bytes");
    cmd->add_flag("--json", opt.json, "Print JSON (the format that encode reads)");
    cmd->add_flag("--hex64", opt.hex64,
                  "With --json: 64-bit values as \"0x...\" strings, which JSON tools that read "
                  "numbers as doubles cannot round")
        ->needs("--json");
    cmd->add_flag("--request", opt.request, "Decode a request record");
    cmd->add_option("--baseline", opt.baseline,
                    "A baseline statistics payload: show current, the baseline that the "
                    "kind's clear captures from it, and the kind's diff")
        ->type_name("FILE")
        ->excludes("--request");
    cmd->add_option("--with-request", opt.with_request,
                    "Request payload that --baseline's clear and diff read, shown field by "
                    "field (default: the sample request, which selects every counter)")
        ->type_name("FILE")
        ->needs("--baseline");
    cmd->add_flag("--each", opt.each,
                  "The payload holds back-to-back records of the record's size: decode each "
                  "in turn")
        ->needs(cmd->get_option("payload"))
        ->excludes("--baseline");
    cmd->callback([&out] { out = decode(opt); });
}

} // namespace statscl::tool
