// table_fuzz.cpp - every filled row of the converter table, driven with an
// input-chosen type id, len, record and request bytes, null pointers and
// placement of each record against guard pages.
//
// For each input the row's operations run once each and must keep to:
//  - no byte outside a record changes, and no access leaves it;
//  - stats_ntoh converts exactly what the kind's len rule covers and leaves
//    every other byte of dst as it was; stats_hton converts the whole record;
//  - stats_ntoh after stats_hton gives the record back where the kind
//    converts all of it; the request conversions round-trip in place;
//  - a diff right after a clear with the same request zeroes the counters
//    that the clear selected and the diff covers, subtracts the stale
//    baseline from the other covered counters, and changes nothing else;
//  - an operation that touches no memory is given addresses that fault.
// Each kind's layout, len rule, counter selection and null guards are stated
// below from the interface's description.
#include "statscl_convert.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <span>
#include <vector>

#include "guarded.h"
#include "model.h"

using namespace statscl::fuzz;

namespace {

/// Which counters clear captures and diff subtracts.
enum class counters {
    none,        // diff and clear touch no memory
    leading,     // the first `leading` 64-bit values, whatever the request says
    pktflow,     // values 0 to 101; req word 0 == 16 turns diff off; value 10 clamps at 0
    diag,        // clear touches nothing; diff(newer, req, older) writes older
    qos,         // clear: block_select 1 even blocks, 2 odd, 3 all; diff all eight blocks
    vl,          // clear: lanes of lane_mask bits 0 to 7 in every block; diff all 64
    fabric_path, // path_mask bits 0 to 47 select path i of each of the three arrays
};

/// Pointer roles of diff and clear, as bits.
constexpr unsigned base_ptr = 1, req_ptr = 2, cur_ptr = 4, all_ptrs = 7;

/// Which null pointers diff and clear test (and then return), and which
/// they never read (and so may be null).
struct guards {
    unsigned diff_tests, diff_unread, clear_tests, clear_unread;
};

/// What diff and clear do with a kind's counters.
struct baseline_rules {
    counters which;
    uint32_t leading; // counters::leading: how many
    guards guard;
};

constexpr guards usual_guards{base_ptr | cur_ptr, req_ptr, all_ptrs, 0};
constexpr baseline_rules no_baseline{counters::none, 0, {0, all_ptrs, 0, all_ptrs}};
constexpr baseline_rules pktflow_baseline{counters::pktflow, 0, {req_ptr, 0, 0, req_ptr}};
constexpr baseline_rules diag_baseline{counters::diag, 0, {0, req_ptr, 0, all_ptrs}};
constexpr baseline_rules qos_baseline{counters::qos, 0, usual_guards};
constexpr baseline_rules vl_baseline{counters::vl, 0, usual_guards};
constexpr baseline_rules fabric_path_baseline{counters::fabric_path, 0, {all_ptrs, 0, all_ptrs, 0}};
constexpr baseline_rules leading_baseline(uint32_t n) {
    return {counters::leading, n, usual_guards};
}

/// A record: its size and its elements; no elements means that its
/// conversions touch no memory.
struct record {
    uint32_t size;
    std::vector<elements> layout;
};

struct kind {
    uint32_t type;
    record request, stats;
    len_rule rule;
    baseline_rules baseline;
};

constexpr len_rule ignored = len_rule::ignored, at_least = len_rule::at_least,
                   whole_values = len_rule::whole_values;

const std::vector<kind> kinds = {
    {1, {80, {{0, 4, 20}}}, {864, {{0, 8, 108}}}, whole_values, pktflow_baseline},
    {2, {0, {}}, {14178, {{0, 2, 17}, {34, 4, 16}, {98, 8, 1760}}}, at_least, diag_baseline},
    {3, {4, {{0, 4, 1}}}, {960, {{0, 8, 120}}}, at_least, qos_baseline},
    {4, {4, {{0, 4, 1}}}, {512, {{0, 8, 64}}}, at_least, vl_baseline},
    {5, {0, {}}, {1208, {{0, 8, 151}}}, at_least, no_baseline},
    {6, {8, {{0, 8, 1}}}, {32, {{0, 8, 4}}}, whole_values, no_baseline},
    {7, {4, {{0, 4, 1}}}, {512, {{0, 8, 64}}}, whole_values, no_baseline},
    {8, {12, {{0, 4, 3}}}, {12, {{0, 8, 1}, {8, 4, 1}}}, ignored, leading_baseline(1)},
    {9, {0, {}}, {32, {{0, 8, 4}}}, ignored, leading_baseline(4)},
    {10, {0, {}}, {32, {{0, 8, 4}}}, ignored, no_baseline},
    {11, {0, {}}, {16, {{0, 8, 2}}}, ignored, leading_baseline(2)},
    {12, {0, {}}, {16, {{0, 8, 2}}}, ignored, no_baseline},
    {13, {24, {}}, {524, {{0, 4, 1}}}, ignored, no_baseline},
    {14, {144, {{0, 8, 2}, {16, 4, 32}}}, {2720, {{0, 8, 340}}}, at_least, fabric_path_baseline},
    {15, {20, {{0, 4, 3}, {12, 8, 1}}}, {16412, {{0, 4, 1}, {4, 8, 2051}}}, ignored, no_baseline},
};

constexpr std::size_t largest_record = 16412;
constexpr uint32_t diag_descriptive = 1122; // diag's counters start here

uint32_t load32(const bytes_t &b, std::size_t at) {
    uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

/// Offsets of the counters that clear captures for request `req`.
std::vector<uint32_t> clear_selection(const kind &k, const bytes_t &req) {
    std::vector<uint32_t> at;
    switch (k.baseline.which) {
    case counters::none:
    case counters::diag:
        break;
    case counters::leading:
        for (uint32_t i = 0; i < k.baseline.leading; ++i)
            at.push_back(8 * i);
        break;
    case counters::pktflow:
        for (uint32_t i = 0; i < 102; ++i)
            at.push_back(8 * i);
        break;
    case counters::qos: {
        const uint32_t select = load32(req, 0);
        for (uint32_t b = 0; b < 8; ++b)
            if (select == 3 || (select == 1 && b % 2 == 0) || (select == 2 && b % 2 == 1))
                for (uint32_t i = 0; i < 8; ++i)
                    at.push_back(64 * b + 8 * i);
        break;
    }
    case counters::vl: {
        const uint32_t mask = load32(req, 0);
        for (uint32_t b = 0; b < 8; ++b)
            for (uint32_t lane = 0; lane < 8; ++lane)
                if (mask & (1U << lane))
                    at.push_back(64 * b + 8 * lane);
        break;
    }
    case counters::fabric_path: {
        const uint64_t mask = load64(req, 8);
        for (uint32_t array = 0; array < 3; ++array)
            for (uint32_t path = 0; path < 48; ++path)
                if (mask & (uint64_t{1} << path))
                    at.push_back(32 + 384 * array + 8 * path);
        break;
    }
    }
    return at;
}

/// Offsets of the counters that diff subtracts for request `req`.
std::vector<uint32_t> diff_coverage(const kind &k, const bytes_t &req, bool req_null) {
    std::vector<uint32_t> at;
    switch (k.baseline.which) {
    case counters::none:
    case counters::diag:
        break;
    case counters::leading:
    case counters::fabric_path:
        return clear_selection(k, req);
    case counters::pktflow:
        if (req_null || load32(req, 0) == 16)
            break;
        return clear_selection(k, req);
    case counters::qos:
    case counters::vl:
        for (uint32_t i = 0; i < 64; ++i)
            at.push_back(8 * i);
        break;
    }
    return at;
}

/// The records of one input, each in its own guarded arena.
struct arenas {
    arena src{largest_record}, dst{largest_record}, wire{largest_record}, back{largest_record};
    arena base{largest_record}, cur{largest_record}, req{largest_record};
};

arenas &records() {
    static arenas a;
    return a;
}

void require_canaries(std::initializer_list<const arena *> list, const char *what) {
    for (const arena *a : list)
        require(a->canary_intact(), what);
}

/// What one input chose.
struct choice {
    unsigned place[7];
    bool in_place;
    unsigned nulls;
    uint32_t len;
    bytes_t req;
    unsigned baseline_shift;
    bytes_t stats;
};

choice decode(FuzzedDataProvider &in, const kind &k) {
    choice c{};
    for (unsigned &p : c.place)
        p = in.ConsumeIntegral<uint8_t>() % placement_count;
    const auto flags = in.ConsumeIntegral<uint8_t>();
    c.in_place = (flags & 1U) != 0;
    c.nulls = (flags >> 1) & all_ptrs;
    // Mostly a len next to the record size, where the rules differ.
    const auto len_mode = in.ConsumeIntegral<uint8_t>();
    c.len = len_mode < 0xC0 ? k.stats.size + (len_mode % 40) - 20 : in.ConsumeIntegral<uint32_t>();
    // At least 16 bytes, so that every model reads a short request as zeros.
    c.req = in.ConsumeBytes<unsigned char>(k.request.size);
    c.req.resize(std::max<std::size_t>(k.request.size, 16));
    c.baseline_shift = in.ConsumeIntegral<uint8_t>();
    c.stats = in.ConsumeRemainingBytes<unsigned char>();
    return c;
}

void check_requests(const statscl_convert_t &row, const kind &k, const choice &c) {
    if (k.request.layout.empty()) {
        row.req_hton(no_access(), no_access());
        row.req_ntoh(no_access(), no_access());
        return;
    }
    arenas &a = records();
    const bytes_t req(c.req.begin(), c.req.begin() + k.request.size);
    for (const statscl_req_conv_fn fn : {row.req_hton, row.req_ntoh}) {
        std::memcpy(a.req.place(k.request.size, c.place[0]), req.data(), k.request.size);
        fill(a.dst.place(k.request.size, c.place[1]), k.request.size, req, 3, 0xA5);
        const bytes_t before = a.dst.bytes();
        fn(a.dst.data(), a.req.data());
        require_bytes(a.dst.data(), converted(k.request.layout, req, before, k.request.size),
                      "request conversion");
        require_bytes(a.req.data(), req, "request conversion wrote its source");
        require_canaries({&a.req, &a.dst}, "request conversion wrote outside its records");
    }
    row.req_hton(a.req.data(), a.req.data());
    row.req_ntoh(a.req.data(), a.req.data());
    require_bytes(a.req.data(), req, "request round trip in place");
    require_canaries({&a.req}, "request round trip wrote outside its record");
}

void check_statistics(const statscl_convert_t &row, const kind &k, const choice &c) {
    arenas &a = records();
    const uint32_t size = k.stats.size;
    fill(a.src.place(size, c.place[0]), size, c.stats, 0, 0);
    const bytes_t src = a.src.bytes();
    unsigned char *dst = a.src.data();
    if (!c.in_place)
        fill(dst = a.dst.place(size, c.place[1]), size, c.stats, 1, 0xA5);
    const bytes_t before(dst, dst + size);

    row.stats_ntoh(dst, a.src.data(), c.len);
    require_bytes(dst, converted(k.stats.layout, src, before, converted_limit(k.rule, size, c.len)),
                  "stats_ntoh converted other than its len rule says");
    if (!c.in_place)
        require_bytes(a.src.data(), src, "stats_ntoh wrote its source");
    require_canaries({&a.src, &a.dst}, "stats_ntoh wrote outside its records");

    fill(a.src.data(), size, c.stats, 0, 0);
    if (!c.in_place)
        fill(dst, size, c.stats, 1, 0xA5);
    row.stats_hton(dst, a.src.data());
    require_bytes(dst, converted(k.stats.layout, src, before, size), "stats_hton");
    require_canaries({&a.src, &a.dst}, "stats_hton wrote outside its records");

    if (!covers_whole(k.stats.layout, size))
        return;
    fill(a.src.data(), size, c.stats, 0, 0);
    fill(a.wire.place(size, c.place[2]), size, c.stats, 2, 0x5A);
    fill(a.back.place(size, c.place[3]), size, c.stats, 3, 0x3C);
    row.stats_hton(a.wire.data(), a.src.data());
    row.stats_ntoh(a.back.data(), a.wire.data(), size);
    require_bytes(a.back.data(), src, "stats_ntoh after stats_hton did not give the record back");
    require_canaries({&a.wire, &a.back}, "round trip wrote outside its records");
}

// diag's diff: older's counters become newer - older, its descriptive part
// a copy of newer's; newer is only read.
void expect_diag_diff(const bytes_t &newer, bytes_t &older) {
    std::copy(newer.begin(), newer.begin() + diag_descriptive, older.begin());
    for (std::size_t at = diag_descriptive; at < older.size(); at += 8)
        store64(older, at, load64(newer, at) - load64(older, at));
}

// diff alone against an unrelated baseline, then a clear followed by a diff
// with the same request; both against the model of the kind's counters.
void check_baseline(const statscl_convert_t &row, const kind &k, const choice &c) {
    if (k.baseline.which == counters::none || k.baseline.which == counters::diag)
        row.clear(no_access(), no_access(), no_access());
    if (k.baseline.which == counters::none) {
        row.diff(no_access(), no_access(), no_access());
        return;
    }
    arenas &a = records();
    const uint32_t size = k.stats.size;
    // A role may be null only where both operations test it or never read it.
    const guards &g = k.baseline.guard;
    const unsigned may_be_null = (g.diff_tests | g.diff_unread) & (g.clear_tests | g.clear_unread);
    const unsigned nulls = c.nulls & may_be_null;
    const bool clear_runs = (nulls & g.clear_tests) == 0, diff_runs = (nulls & g.diff_tests) == 0;
    const bytes_t &req = c.req;

    for (const bool with_clear : {false, true}) {
        fill(a.cur.place(size, c.place[4]), size, c.stats, 0, 0);
        fill(a.base.place(size, c.place[5]), size, c.stats, c.baseline_shift, 0);
        std::memcpy(a.req.place(req.size(), c.place[6]), req.data(), req.size());
        const bytes_t cur0 = a.cur.bytes(), base0 = a.base.bytes();
        void *base = (nulls & base_ptr) != 0 ? nullptr : a.base.data();
        const void *req_p = (nulls & req_ptr) != 0 ? nullptr : a.req.data();
        void *cur = (nulls & cur_ptr) != 0 ? nullptr : a.cur.data();

        if (with_clear)
            row.clear(base, req_p, cur);
        row.diff(base, req_p, cur);

        bytes_t base1 = base0, cur1 = cur0;
        if (k.baseline.which == counters::diag) {
            expect_diag_diff(base0, cur1);
        } else {
            if (with_clear && clear_runs)
                for (const uint32_t at : clear_selection(k, req))
                    store64(base1, at, load64(cur0, at));
            if (diff_runs)
                for (const uint32_t at : diff_coverage(k, req, req_p == nullptr))
                    store64(cur1, at, load64(cur0, at) - load64(base1, at));
            if (k.baseline.which == counters::pktflow && diff_runs && load32(req, 0) != 16 &&
                load64(base1, 80) > load64(cur0, 80))
                store64(cur1, 80, 0);
        }
        require_bytes(a.base.data(), base1,
                      with_clear ? "clear then diff: baseline" : "diff: baseline");
        require_bytes(a.cur.data(), cur1,
                      with_clear ? "clear then diff: current" : "diff: current");
        require_bytes(a.req.data(), req, "clear or diff wrote the request");
        require_canaries({&a.base, &a.cur, &a.req}, "clear or diff wrote outside its records");
    }
}

const kind *find_kind(uint32_t type) {
    for (const kind &k : kinds)
        if (k.type == type)
            return &k;
    return nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider in(data, size);
    const auto pick = in.ConsumeIntegral<uint8_t>();
    const uint32_t type = pick < 0xF0 ? pick % 16U : in.ConsumeIntegral<uint32_t>();
    const statscl_convert_t *row = statscl_get_convert_tbl(type);
    const kind *k = find_kind(type);
    require((row != nullptr) == (k != nullptr), "lookup of a type id");
    if (row == nullptr)
        return 0;
    require(row == &statscl_pi_convert_tbl[type], "lookup returned a copy");
    require(row->req_len == k->request.size && row->stats_len == k->stats.size &&
                row->reserved == 0,
            "row sizes");
    const choice c = decode(in, *k);
    check_requests(*row, *k, c);
    check_statistics(*row, *k, c);
    check_baseline(*row, *k, c);
    return 0;
}
