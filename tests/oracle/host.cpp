// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// host.cpp - the platform as a test program provides it: a recording
// app_log, the shared buffer and the interface-index converters.  The
// program exports them, so they take precedence over the platform library.
#include "oracle.h"
#include "statscl_platform.h"

#include <cstdio>

namespace statscl::oracle {

std::vector<std::string> &events() {
    static std::vector<std::string> seen;
    return seen;
}

int app_log_result = 0;

std::string handler_call(const char *name, uint64_t a0, uint32_t a1, uint32_t a2, uint32_t a3,
                         uint32_t a4, uint32_t a5) {
    char text[160];
    std::snprintf(text, sizeof text, "call %s %llx %x %x %x %x %x", name,
                  static_cast<unsigned long long>(a0), a1, a2, a3, a4, a5);
    return text;
}

} // namespace statscl::oracle

using namespace statscl::oracle;

extern "C" {

char _tmpbuf[STATSCL_TMPBUF_SIZE];

int app_log(int flag, const char *text) {
    events().push_back("log " + std::to_string(flag) + " " + text);
    return app_log_result;
}

uint32_t hton_if_index(uint32_t i) { return if_index_hton(i); }
uint32_t ntoh_if_index(uint32_t i) { return if_index_ntoh(i); }

} // extern "C"
