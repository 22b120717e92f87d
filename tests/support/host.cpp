// host.cpp - the test program's platform: it overrides the platform library.
#include "host.h"

#include "statscl_platform.h"

namespace statscl::test {
namespace {
int app_log_result = 0;
} // namespace

host_events &events() {
    static host_events e;
    return e;
}

void reset_events() {
    events() = {};
    app_log_result = 0;
}

void set_app_log_result(int result) { app_log_result = result; }

} // namespace statscl::test

using namespace statscl::test;

extern "C" {

char _tmpbuf[1024];

int app_log(int flag, const char *text) {
    events().logs.push_back({flag, text});
    events().order.emplace_back("log");
    return app_log_result;
}

uint32_t hton_if_index(uint32_t if_index) { return if_index_hton(if_index); }
uint32_t ntoh_if_index(uint32_t if_index) { return if_index_ntoh(if_index); }

} // extern "C"
