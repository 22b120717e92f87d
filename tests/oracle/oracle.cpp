// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// oracle.cpp - the kinds, the model of what each operation writes, and the
// checks that compare the library's bytes with the model's.
#include "oracle.h"

#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>
#include <optional>
#include <stdexcept>

namespace statscl::oracle {
namespace {

constexpr guards idle{0, 0};                                 // touches nothing
constexpr guards counter_diff{base | cur, base | cur};       // req may be anything
constexpr guards tested_clear{base | req | cur, base | cur}; // req tested, never read
constexpr guards selected{base | req | cur, base | req | cur};
constexpr auto ignored = len_rule::ignored, at_least = len_rule::at_least,
               whole_values = len_rule::whole_values, exact = len_rule::exact;
using enum counters;

} // namespace

// Field lists are what the conversions convert, element by element; where a
// list has a width-1 field, those bytes have no layout and stay untouched.
// clang-format off
const std::vector<kind> kinds = {
    // pktflow: diff only tests req (word 0 == 16 turns it off) and clamps
    // element 10 at 0; clear tests nothing and never reads req.
    {"pktflow", 1, {{0, 4, 20}}, {{0, 8, 108}}, whole_values, pktflow, 102,
     {req, base | req | cur}, {0, base | cur}, true},
    // diag: head u16 and 16 u16, 16 u32 at 34, then 64-bit values from 98;
    // diff(newer, req, older) writes older, tests nothing; clear is idle.
    {"diag", 2, {}, {{0, 2, 17}, {34, 4, 16}, {98, 8, 1760}}, at_least, diag, 0,
     {0, base | cur}, idle, true},
    {"qos", 3, {{0, 4, 1}}, {{0, 8, 120}}, at_least, qos, 64, counter_diff, selected, true},
    {"vl", 4, {{0, 4, 1}}, {{0, 8, 64}}, at_least, vl, 64, counter_diff, selected, true},
    {"fabric_err", 5, {}, {{0, 8, 151}}, at_least, none, 0, idle, idle, true},
    {"vl_rates", 6, {{0, 8, 1}}, {{0, 8, 4}}, whole_values, none, 0, idle, idle, true},
    {"vl_snmp", 7, {{0, 4, 1}}, {{0, 8, 64}}, whole_values, none, 0, idle, idle, true},
    {"storm_supp", 8, {{0, 4, 3}}, {{0, 8, 1}, {8, 4, 1}}, ignored, leading, 1, counter_diff,
     tested_clear, false},
    {"eee", 9, {}, {{0, 8, 4}}, ignored, leading, 4, counter_diff, tested_clear, true},
    {"eee_snmp", 10, {}, {{0, 8, 4}}, ignored, none, 0, idle, idle, false},
    {"phy", 11, {}, {{0, 8, 2}}, ignored, leading, 2, counter_diff, tested_clear, true},
    {"phy_snmp", 12, {}, {{0, 8, 2}}, ignored, none, 0, idle, idle, false},
    {"snmp_clear", 13, {{0, 1, 24}}, {{0, 4, 1}, {4, 1, 520}}, ignored, none, 0, idle, idle, false},
    // fabric_path: the 64-bit path_mask at 8 selects path i < 48 of the
    // three arrays at 32, 416 and 800.
    {"fabric_path", 14, {{0, 8, 2}, {16, 4, 32}}, {{0, 8, 340}}, at_least, fabric_path, 0, selected,
     selected, false},
    // vq_drop: every 64-bit field 4 bytes past a multiple of 8.
    {"vq_drop", 15, {{0, 4, 3}, {12, 8, 1}}, {{0, 4, 1}, {4, 8, 2051}}, ignored, none, 0, idle, idle,
     false},
    {"kelm_fabric_err", 0, {}, {{0, 8, 151}}, ignored, none, 0, idle, idle, false},
    {"dorn_fabric_err", 0, {}, {{0, 8, 151}}, ignored, none, 0, idle, idle, false},
    {"vexa_mac_vl", 0, {}, {{0, 8, 64}}, at_least, none, 0, idle, idle, false},
    {"fcmac_avg_ctrs", 0, {}, {{0, 8, 5}}, exact, none, 0, idle, idle, false},
    {"fcmac_if_ctrs", 0, {}, {{0, 8, 88}}, exact, none, 0, idle, idle, false},
};
// clang-format on

uint32_t size_of(const layout &fields) {
    return fields.empty() ? 0 : fields.back().offset + fields.back().width * fields.back().count;
}

bytes converted(const layout &fields, const bytes &src, bytes dst, uint32_t limit) {
    constexpr bool little = std::endian::native == std::endian::little;
    for (const field &f : fields)
        for (uint32_t i = 0; i < f.count && f.width > 1; ++i) {
            const uint32_t at = f.offset + i * f.width;
            if (at + f.width > limit)
                return dst;
            for (uint32_t b = 0; b < f.width; ++b)
                dst[at + b] = src[at + (little ? f.width - 1 - b : b)];
        }
    return dst;
}

uint64_t reader::u64() {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v = v << 8 | byte();
    return v;
}

bytes reader::fill(std::size_t n) {
    uint64_t x = u64() | 1; // xorshift64*
    bytes out(n);
    for (std::size_t i = 0; i < n; i += 8) {
        x ^= x >> 12, x ^= x << 25, x ^= x >> 27;
        const uint64_t v = x * 0x2545F4914F6CDD1DULL;
        std::memcpy(&out[i], &v, std::min<std::size_t>(8, n - i));
    }
    return out;
}

namespace {

// ---- The model ---------------------------------------------------------

template <class T> T load(const bytes &b, std::size_t at) {
    T v;
    std::memcpy(&v, &b[at], sizeof v);
    return v;
}
void store(bytes &b, std::size_t at, uint64_t v) { std::memcpy(&b[at], &v, 8); }

uint32_t ntoh_limit(len_rule rule, uint32_t size, uint32_t len) {
    switch (rule) {
    case len_rule::ignored:
        return size;
    case len_rule::at_least:
        return len >= size ? size : 0;
    case len_rule::whole_values:
        return std::min(len, size);
    case len_rule::exact:
        return len == size ? size : 0;
    }
    return 0;
}

// Offsets of the 64-bit counters that diff subtracts (or clear captures)
// for the host-order request r.
std::vector<uint32_t> selection(const kind &k, bool clear, const bytes &r) {
    std::vector<uint32_t> at;
    switch (k.which) {
    case pktflow:
        if (!clear && load<uint32_t>(r, 0) == 16)
            break;
        [[fallthrough]];
    case leading:
        for (uint32_t i = 0; i < k.leading; ++i)
            at.push_back(8 * i);
        break;
    case qos: // eight blocks of eight; clear takes the blocks word 0 selects
    case vl:  // eight blocks of eight lanes; clear takes the lanes of the mask
        for (uint32_t i = 0, s = load<uint32_t>(r, 0); i < k.leading; ++i)
            if (!clear || (k.which == qos ? s == 3 || s == 1 + i / 8 % 2 : (s >> i % 8 & 1) != 0))
                at.push_back(8 * i);
        break;
    case fabric_path:
        for (uint32_t array = 0; array < 3; ++array)
            for (uint32_t path = 0; path < 48; ++path)
                if ((load<uint64_t>(r, 8) >> path & 1) != 0)
                    at.push_back(32 + 384 * array + 8 * path);
        break;
    default:
        break;
    }
    return at;
}

// What diff leaves in current (diag: in its third argument).
void expect_diff(const kind &k, const bytes &b, const bytes &r, bytes &c) {
    if (k.which == diag) { // newer - older, and newer's descriptive bytes 0..1121
        for (std::size_t at = 1122; at < c.size(); at += 8)
            store(c, at, load<uint64_t>(b, at) - load<uint64_t>(c, at));
        std::copy_n(b.begin(), 1122, c.begin());
        return;
    }
    const bytes c0 = c;
    const std::vector<uint32_t> at = selection(k, false, r);
    for (const uint32_t o : at)
        store(c, o, load<uint64_t>(c0, o) - load<uint64_t>(b, o));
    if (k.which == pktflow && !at.empty() && load<uint64_t>(b, 80) > load<uint64_t>(c0, 80))
        store(c, 80, 0);
}

// ---- Records against guard pages --------------------------------------

constexpr unsigned char canary = 0xC5;
constexpr unsigned placements[] = {0, 1, 2, 3, 5}; // 0: flush against the guard page
constexpr std::size_t largest = 16412;

std::size_t page() { return static_cast<std::size_t>(sysconf(_SC_PAGESIZE)); }

unsigned char *inaccessible(std::size_t n) {
    void *map = mmap(nullptr, n, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (map == MAP_FAILED)
        throw std::runtime_error("mmap failed");
    return static_cast<unsigned char *>(map);
}

// An address that faults on any access: for roles that must not be touched.
unsigned char *no_access() {
    static unsigned char *const at = inaccessible(page()) + 64;
    return at;
}

// A body between two inaccessible pages; one record at a time lies in it,
// every other byte holds the canary.
class arena {
  public:
    arena()
        : size_((largest + 16 + page() - 1) / page() * page()),
          map_(inaccessible(size_ + 2 * page())) {
        body_ = rec_ = map_ + page();
        if (mprotect(body_, size_, PROT_READ | PROT_WRITE) != 0)
            throw std::runtime_error("mprotect failed");
        std::memset(body_, canary, size_);
    }
    ~arena() { munmap(map_, size_ + 2 * page()); }
    arena(const arena &) = delete;
    arena &operator=(const arena &) = delete;

    unsigned char *place(const bytes &content, unsigned placement) {
        std::memset(rec_, canary, len_);
        len_ = content.size();
        unsigned char *const flush = body_ + size_ - len_;
        rec_ = placement == 0 ? flush
                              : flush - 8 - reinterpret_cast<std::uintptr_t>(flush) % 8 + placement;
        std::memcpy(rec_, content.data(), len_);
        return rec_;
    }
    bool intact() const {
        const auto is_canary = [](unsigned char c) { return c == canary; };
        return std::all_of(body_, rec_, is_canary) &&
               std::all_of(rec_ + len_, body_ + size_, is_canary);
    }

  private:
    std::size_t size_;
    unsigned char *map_, *body_, *rec_;
    std::size_t len_ = 0;
};

arena &pool(int i) {
    thread_local arena a[3];
    return a[i];
}

// ---- Checks -------------------------------------------------------------

void require(bool holds, const std::string &what) {
    if (!holds)
        throw std::runtime_error(what);
}

void same(const unsigned char *p, const bytes &want, const std::string &what) {
    const auto at =
        static_cast<std::size_t>(std::mismatch(want.begin(), want.end(), p).first - want.begin());
    if (at != want.size())
        throw std::runtime_error(what + ": byte " + std::to_string(at) + " is " +
                                 std::to_string(p[at]) + ", expected " + std::to_string(want[at]));
}

unsigned pick_place(reader &in) { return placements[in.byte() % std::size(placements)]; }

// Mostly the boundaries of the len rules: 0, size - 1, size, size + 1,
// non-multiples of 8, huge and random values.
uint32_t pick_len(reader &in, uint32_t size) {
    const uint8_t c = in.byte();
    const auto r = static_cast<uint32_t>(in.u64());
    const uint32_t lens[] = {0,          size - 1, size,           size + 1,
                             0xFFFFFFFF, r,        r % (2 * size), (r % size) | 1};
    return lens[c % std::size(lens)];
}

// A request whose selector (pktflow and qos word 0, vl lane_mask, the
// fabric_path mask at 8) holds small values, 16, single bits or anything.
bytes pick_request(const kind &k, reader &in, std::optional<uint64_t> forced) {
    bytes r = in.fill(std::max<uint32_t>(size_of(k.request), 16));
    const uint8_t c = in.byte();
    const uint64_t x = in.u64();
    const uint64_t small = c / 8U % 5; // 3 of 8: the values whose meaning differs
    const uint64_t values[] = {small, small, small, 16, uint64_t{1} << (x % 64), x & 0xFF,
                               x << (x % 64), x};
    const uint64_t v = forced.value_or(values[c % 8]);
    const auto word = static_cast<uint32_t>(v);
    if (k.which == fabric_path)
        std::memcpy(&r[8], &v, 8);
    else
        std::memcpy(&r[0], &word, 4);
    return r;
}

// Converts a generated record into a differently filled one, or in place,
// at chosen placements: dst must hold `fields` of src converted below
// `limit` and its own bytes elsewhere; src and all around stay as they were.
// A record without a field wider than a byte is never touched at all.
template <class Convert>
void check_conversion(const layout &fields, uint32_t size, uint32_t limit, reader &in,
                      const std::string &what, Convert convert) {
    if (std::none_of(fields.begin(), fields.end(), [](const field &f) { return f.width > 1; })) {
        convert(no_access(), no_access());
        return;
    }
    const bytes src = in.fill(size);
    const bool in_place = in.byte() % 4 == 0;
    unsigned char *s = pool(0).place(src, pick_place(in));
    unsigned char *d = in_place ? s : pool(1).place(in.fill(size), pick_place(in));
    const bytes before(d, d + size);
    convert(d, s);
    same(d, converted(fields, src, before, limit), what + (in_place ? " in place" : ""));
    if (!in_place)
        same(s, src, what + " wrote its source");
    require(pool(0).intact() && pool(1).intact(), what + " wrote outside its records");
}

// diff or clear with input-chosen records, request and pointers: each role is
// its record, or null where the operation tests it or never reads it, or an
// address that faults where it never reads it; diff may also get one record
// as baseline and current.
void check_baseline(const kind &k, const statscl_convert_t &ops, bool clear, reader &in,
                    std::optional<uint64_t> forced = {}) {
    const guards g = clear ? k.clear : k.diff;
    const uint32_t size = size_of(k.stats);
    const bytes r = pick_request(k, in, forced);
    bytes b = in.fill(size), c = in.fill(size);
    const bool alias = !clear && in.byte() % 8 == 0;
    unsigned char *p[3];
    p[2] = pool(1).place(c, pick_place(in));
    p[0] = alias ? p[2] : pool(0).place(b, pick_place(in));
    const bytes r0(r.begin(), r.begin() + size_of(k.request));
    p[1] = r0.empty() ? no_access() : pool(2).place(r0, pick_place(in));
    if (alias)
        b = c;
    bool runs = true;
    for (unsigned i = 0; i < 3; ++i) {
        const uint8_t choice = in.byte() % 6; // 2: null, 3: no access, else the record
        const unsigned role = 1U << i;
        if (choice == 2 && ((g.tests & role) != 0 || (g.reads & role) == 0))
            p[i] = nullptr, runs = runs && (g.tests & role) == 0;
        else if (choice == 3 && (g.reads & role) == 0)
            p[i] = no_access();
    }
    const std::string what = k.name + (clear ? " clear" : " diff");
    bytes want_b = b, want_c = c;
    if (runs && clear)
        for (const uint32_t o : selection(k, true, r))
            store(want_b, o, load<uint64_t>(c, o));
    else if (runs)
        expect_diff(k, b, r, want_c);
    if (clear)
        ops.clear(p[0], p[1], p[2]);
    else
        ops.diff(p[0], p[1], p[2]);
    if (p[0] != nullptr && p[0] != no_access() && !alias)
        same(p[0], want_b, what + ": baseline");
    if (p[2] != nullptr && p[2] != no_access())
        same(p[2], want_c, what + ": current");
    if (p[1] != nullptr && p[1] != no_access())
        same(p[1], r0, what + " wrote the request");
    require(pool(0).intact() && pool(1).intact() && pool(2).intact(),
            what + " wrote outside its records");
}

constexpr const char *slot_names[] = {"req_hton", "req_ntoh", "stats_hton", "stats_ntoh",
                                      "diff",     "clear",    "save_pss",   "restore_pss"};
using slots = std::array<void *, 8>;
constexpr std::size_t first_slot = offsetof(statscl_convert_t, req_hton);
static_assert(offsetof(statscl_convert_t, restore_pss) - first_slot == 7 * sizeof(void *));

slots slots_of(const statscl_convert_t &row) {
    slots s;
    std::memcpy(s.data(), reinterpret_cast<const unsigned char *>(&row) + first_slot, sizeof s);
    return s;
}

// The kind's functions as exported by name, in slot order.
slots exported(const kind &k) {
    slots fn;
    for (std::size_t i = 0; i < 8; ++i)
        fn[i] = dlsym(RTLD_DEFAULT, ("statscl_" + k.name + "_" + slot_names[i]).c_str());
    return fn;
}

// A table kind's row, found by the lookup, with the kind's sizes and, in
// every slot, the kind's own exported function; a platform-dependent kind's
// functions as a row.
statscl_convert_t row_of(const kind &k) {
    const slots mine = exported(k);
    statscl_convert_t ops{};
    if (k.type == 0) {
        std::memcpy(reinterpret_cast<unsigned char *>(&ops) + first_slot, mine.data(), sizeof mine);
        return ops;
    }
    const statscl_convert_t *row = statscl_get_convert_tbl(k.type);
    require(row == &statscl_pi_convert_tbl[k.type], k.name + ": lookup did not give its row");
    require(row->req_len == size_of(k.request) && row->stats_len == size_of(k.stats) &&
                row->reserved == 0,
            k.name + ": row sizes");
    const slots in_row = slots_of(*row);
    for (std::size_t i = 0; i < 8; ++i)
        require(in_row[i] == mine[i] && mine[i] != nullptr,
                k.name + ": slot " + slot_names[i] + " is not its exported function");
    return *row;
}

} // namespace

void check(const kind &k, reader &in, bool pss) {
    const statscl_convert_t ops = row_of(k);
    require(ops.req_hton && ops.req_ntoh && ops.stats_hton && ops.stats_ntoh,
            k.name + ": conversions not exported");
    const uint32_t req_size = size_of(k.request), size = size_of(k.stats);
    for (const statscl_req_conv_fn fn : {ops.req_hton, ops.req_ntoh})
        check_conversion(k.request, req_size, req_size, in, k.name + " request",
                         [&](void *d, const void *s) { fn(d, s); });
    const uint32_t len = pick_len(in, size);
    check_conversion(k.stats, size, ntoh_limit(k.rule, size, len), in,
                     k.name + " stats_ntoh, len " + std::to_string(len),
                     [&](void *d, const void *s) { ops.stats_ntoh(d, s, len); });
    // On a big-endian host pktflow's stats_hton writes element 0 alone.
    const bool head_only = k.which == pktflow && std::endian::native == std::endian::big;
    check_conversion(head_only ? layout{{0, 8, 1}} : k.stats, size, size, in,
                     k.name + " stats_hton", [&](void *d, const void *s) { ops.stats_hton(d, s); });
    if (ops.diff != nullptr) {
        check_baseline(k, ops, false, in);
        check_baseline(k, ops, true, in);
    }
    if (pss && k.type != 0)
        check_pss(k, in);
}

void check_selection(const kind &k, uint64_t value, reader &in) {
    const statscl_convert_t ops = row_of(k);
    check_baseline(k, ops, false, in, value);
    check_baseline(k, ops, true, in, value);
}

selector select_all(const kind &k) {
    switch (k.which) {
    case qos:
        return {0, 4, 3};
    case vl:
        return {0, 4, 0xFF};
    case fabric_path:
        return {8, 8, (uint64_t{1} << 48) - 1};
    default:
        return {0, 0, 0};
    }
}

layout diff_elements(const kind &k) {
    layout out;
    if (k.which == diag) { // the whole record: counters and the descriptive part
        for (const field &f : k.stats)
            for (uint32_t i = 0; i < f.count; ++i)
                out.push_back({f.offset + i * f.width, f.width, 1});
        return out;
    }
    const selector all = select_all(k);
    bytes r(std::max<uint32_t>(size_of(k.request), 16));
    const auto word = static_cast<uint32_t>(all.value);
    std::memcpy(&r[all.offset], all.width == 8 ? static_cast<const void *>(&all.value) : &word,
                all.width);
    for (const uint32_t at : selection(k, false, r))
        out.push_back({at, 8, 1});
    return out;
}

void check_pss(const kind &k, reader &in) {
    const statscl_convert_t ops = row_of(k);
    const uint64_t a0 = in.u64();
    uint32_t a[5];
    for (uint32_t &x : a)
        x = static_cast<uint32_t>(in.u64());
    events().clear();
    app_log_result = -7;
    const int32_t saved = ops.save_pss(),
                  restored = ops.restore_pss(a0, a[0], a[1], a[2], a[3], a[4]);
    const std::string save = "statscl_" + k.name + "_save_pss_hdlr",
                      restore = "statscl_" + k.name + "_restore_pss_hdlr";
    std::vector<std::string> want;
    if (k.handlers)
        want = {"log 0 statscl_invoke_save_pss_hdlr: Invoking " + save + "\n", "call " + save,
                "log 0 statscl_invoke_restore_pss_hdlr: Invoking " + restore + "\n",
                handler_call(restore.c_str(), a0, a[0], a[1], a[2], a[3], a[4])};
    require(events() == want, k.name + ": save and restore did not call and log as expected");
    require(saved == (k.handlers ? save_result : 0) &&
                restored == (k.handlers ? restore_result : 0),
            k.name + ": save or restore result");
}

} // namespace statscl::oracle
