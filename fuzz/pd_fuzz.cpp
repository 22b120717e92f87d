// pd_fuzz.cpp - the 24 converters of the platform-dependent kinds, found by
// name in the process as a host finds them, driven with an input-chosen
// kind, len, record bytes and placement against guard pages.
//
// Each input must keep to: stats_ntoh converts exactly what the kind's len
// rule covers and nothing else, stats_hton the whole record, the two give a
// record back, no byte outside a record changes; the request conversions and
// the fcmac kinds' diff and clear touch no memory at all.
#include "statscl_convert.h"

#include <dlfcn.h>
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <string>

#include "guarded.h"
#include "model.h"

using namespace statscl::fuzz;

namespace {

struct kind {
    const char *name;
    uint32_t values; // the statistics record: this many 64-bit values
    len_rule rule;
    bool has_baseline_slots; // diff and clear are exported (and do nothing)
};

constexpr std::array<kind, 5> kinds = {{
    {"kelm_fabric_err", 151, len_rule::ignored, false},
    {"dorn_fabric_err", 151, len_rule::ignored, false},
    {"vexa_mac_vl", 64, len_rule::at_least, false},
    {"fcmac_avg_ctrs", 5, len_rule::exact, true},
    {"fcmac_if_ctrs", 88, len_rule::exact, true},
}};

/// A kind's converters as the process resolves their names.
struct converters {
    statscl_req_conv_fn req_hton, req_ntoh;
    statscl_stats_hton_fn stats_hton;
    statscl_stats_ntoh_fn stats_ntoh;
    statscl_diff_fn diff;
    statscl_clear_fn clear;
};

int resolved = 0;

template <class Fn> Fn resolve(const kind &k, const char *operation) {
    const std::string name = std::string("statscl_") + k.name + "_" + operation;
    void *symbol = dlsym(RTLD_DEFAULT, name.c_str());
    require(symbol != nullptr, "a platform-dependent converter is not exported");
    ++resolved;
    return reinterpret_cast<Fn>(symbol);
}

const std::array<converters, kinds.size()> &table() {
    static const std::array<converters, kinds.size()> t = [] {
        std::array<converters, kinds.size()> out{};
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            const kind &k = kinds[i];
            converters &c = out[i];
            c.req_hton = resolve<statscl_req_conv_fn>(k, "req_hton");
            c.req_ntoh = resolve<statscl_req_conv_fn>(k, "req_ntoh");
            c.stats_hton = resolve<statscl_stats_hton_fn>(k, "stats_hton");
            c.stats_ntoh = resolve<statscl_stats_ntoh_fn>(k, "stats_ntoh");
            if (k.has_baseline_slots) {
                c.diff = resolve<statscl_diff_fn>(k, "diff");
                c.clear = resolve<statscl_clear_fn>(k, "clear");
            }
        }
        require(resolved == 24, "24 platform-dependent converters");
        return out;
    }();
    return t;
}

constexpr std::size_t largest_record = 151 * 8;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static arena src(largest_record), dst(largest_record), back(largest_record);
    FuzzedDataProvider in(data, size);
    const std::size_t which = in.ConsumeIntegral<uint8_t>() % kinds.size();
    const kind &k = kinds[which];
    const converters &fn = table()[which];
    const uint32_t bytes = 8 * k.values;
    const unsigned place_src = in.ConsumeIntegral<uint8_t>() % placement_count;
    const unsigned place_dst = in.ConsumeIntegral<uint8_t>() % placement_count;
    const bool in_place = in.ConsumeBool();
    const auto len_mode = in.ConsumeIntegral<uint8_t>();
    const uint32_t len =
        len_mode < 0xC0 ? bytes + (len_mode % 40) - 20 : in.ConsumeIntegral<uint32_t>();
    const bytes_t input = in.ConsumeRemainingBytes<unsigned char>();

    fn.req_hton(no_access(), no_access());
    fn.req_ntoh(no_access(), no_access());
    if (k.has_baseline_slots) {
        fn.diff(no_access(), no_access(), no_access());
        fn.clear(no_access(), no_access(), no_access());
    }

    const elements layout[] = {{0, 8, k.values}};
    fill(src.place(bytes, place_src), bytes, input, 0, 0);
    const bytes_t record = src.bytes();
    unsigned char *out = src.data();
    if (!in_place)
        fill(out = dst.place(bytes, place_dst), bytes, input, 1, 0xA5);
    const bytes_t before(out, out + bytes);

    fn.stats_ntoh(out, src.data(), len);
    require_bytes(out, converted(layout, record, before, converted_limit(k.rule, bytes, len)),
                  "stats_ntoh converted other than its len rule says");
    if (!in_place)
        require_bytes(src.data(), record, "stats_ntoh wrote its source");
    require(src.canary_intact() && dst.canary_intact(), "stats_ntoh wrote outside its records");

    fill(src.data(), bytes, input, 0, 0);
    if (!in_place)
        fill(out, bytes, input, 1, 0xA5);
    fn.stats_hton(out, src.data());
    require_bytes(out, converted(layout, record, before, bytes), "stats_hton");
    require(src.canary_intact() && dst.canary_intact(), "stats_hton wrote outside its records");

    fill(back.place(bytes, place_dst), bytes, input, 2, 0x3C);
    fn.stats_ntoh(back.data(), out, bytes);
    require_bytes(back.data(), record, "stats_ntoh after stats_hton did not give the record back");
    require(back.canary_intact(), "round trip wrote outside its record");
    return 0;
}
