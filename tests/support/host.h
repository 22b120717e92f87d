// host.h - what a test program provides as the host process: a capturing
// app_log, the shared buffer, interface-index converters, and (in the main
// test program) the handlers of the nine kinds that have them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace statscl::test {

/// One app_log call.
struct log_line {
    int flag;
    std::string text;
};

/// One handler call, with the arguments as the handler received them.
struct handler_call {
    std::string name;
    uint64_t arg0 = 0;
    uint32_t args[5] = {};
};

/// Everything the host saw, in order: app_log lines and handler calls.
struct host_events {
    std::vector<log_line> logs;
    std::vector<handler_call> calls;
    std::vector<std::string> order; // "log" or "call", in the order they happened
};

host_events &events();
void reset_events();

/// The value that app_log returns from now on.
void set_app_log_result(int result);

/// The value a save handler returns; a restore handler returns the sum of
/// its low argument words plus this.
inline constexpr int32_t handler_result = 0x5A5A0001;

/// The test host's interface-index conversions: distinguishable from any
/// byte swap, so a test sees that the platform's function was used.
inline constexpr uint32_t if_index_hton(uint32_t i) { return ~i; }
inline constexpr uint32_t if_index_ntoh(uint32_t i) { return i ^ 0x0F0F0F0FU; }

} // namespace statscl::test
