// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// A host that defines none of the platform's symbols and no handler: the
// platform stand-in serves it, as it serves any host away from the switch.
#include "statscl_convert.h"
#include "statscl_platform.h"

#include <dlfcn.h>
#include <link.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// vl's save handler, switched on and off by the test: an indirect function,
// whose resolver the dynamic linker runs on every lookup by name, and which
// exists only while the resolver yields it.
namespace {
bool late_handler_on = false;
extern "C" int32_t late_handler() { return 77; }
extern "C" decltype(&late_handler) resolve_late_handler() {
    return late_handler_on ? late_handler : nullptr;
}
} // namespace
extern "C" int32_t statscl_vl_save_pss_hdlr() __attribute__((ifunc("resolve_late_handler")));

namespace {

// The handler is looked up anew on every call; while it is missing, the
// stand-in's app_log puts the line on stderr and its 0 comes back.
TEST(bare_host, handler_lookup_is_repeated_and_logged_on_stderr) {
    const std::string self = "statscl_invoke_save_pss_hdlr: ";
    for (const bool on : {false, true, false, true}) {
        late_handler_on = on;
        testing::internal::CaptureStderr();
        const int32_t result = statscl_vl_save_pss();
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  self + (on ? "Invoking statscl_vl_save_pss_hdlr\n"
                             : "symbol statscl_vl_save_pss_hdlr not found\n"));
        EXPECT_EQ(result, on ? 77 : 0) << (on ? "there" : "gone");
    }
}

// The stand-in converts an interface index as a 32-bit integer: on the wire
// it is most significant byte first, like the header's other words, on
// either host.  The records start off alignment.
TEST(bare_host, tlv_header_index_in_network_order) {
    const uint32_t host[4] = {0x01020304, 0x0A0B0C0D, 0x05060708, 0x11121314};
    const unsigned char want[16] = {1, 2, 3, 4, 10, 11, 12, 13, 5, 6, 7, 8, 17, 18, 19, 20};
    alignas(8) unsigned char src[17], wire[17], back[17];
    std::memcpy(src + 1, host, 16);
    const uint32_t index = statscl_tlv_hdr_hton(wire + 1, src + 1);
    EXPECT_EQ(std::memcmp(wire + 1, want, 16), 0);
    EXPECT_EQ(std::memcmp(&index, want + 4, 4), 0); // the value stored is the value returned
    EXPECT_EQ(statscl_tlv_hdr_ntoh(back + 1, wire + 1), 0x0A0B0C0DU);
    EXPECT_EQ(std::memcmp(back + 1, host, 16), 0);
}

// save_pss and restore_pss format a line of up to STATSCL_TMPBUF_SIZE bytes
// in the platform's buffer, so a shorter one is overrun.
TEST(bare_host, platform_buffer_holds_a_whole_line) {
    Dl_info info;
    void *symbol = nullptr;
    void *buffer = dlsym(RTLD_DEFAULT, "_tmpbuf");
    ASSERT_NE(buffer, nullptr);
    ASSERT_NE(dladdr1(buffer, &info, &symbol, RTLD_DL_SYMENT), 0);
    ASSERT_NE(symbol, nullptr);
    EXPECT_GE(static_cast<const ElfW(Sym) *>(symbol)->st_size, STATSCL_TMPBUF_SIZE);
}

} // namespace
