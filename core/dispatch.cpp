// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// dispatch.cpp - save and restore dispatch to handlers exported by the host.
#include "../internal/dispatch.h"

#include <dlfcn.h>

#include <cstdio>
#include <type_traits>

#include "host_symbols.h"
#include "statscl_platform.h"

namespace statscl::internal {
namespace {

constexpr std::size_t log_bound = STATSCL_TMPBUF_SIZE;

// The handlers' types, save_pss_hdlr and restore_pss_hdlr, as the list of
// what a host defines states them.
#define STATSCL_HANDLER_TYPE(slot, type) using slot##_hdlr = std::add_pointer_t<type>;
STATSCL_HANDLER_SLOTS(STATSCL_HANDLER_TYPE)
#undef STATSCL_HANDLER_TYPE

// The export list, the stand-in's symbols file and check-host take the
// platform's symbols from that list: it must name what the library calls.
#define STATSCL_DECLARED_AS_LISTED(name, type)                                                     \
    static_assert(std::is_same_v<decltype(name), type>,                                            \
                  "statscl_platform.h declares " #name " as host_symbols.h lists it");
STATSCL_PLATFORM_SYMBOLS(STATSCL_DECLARED_AS_LISTED)
#undef STATSCL_DECLARED_AS_LISTED

// Logs one line in the platform's buffer and returns app_log's result.  A
// line longer than the buffer is cut short, which is all that can be done.
template <class... Args> int32_t log_line(int flag, const char *format, Args... args) {
    static_cast<void>(std::snprintf(_tmpbuf, log_bound, format, args...));
    return app_log(flag, _tmpbuf);
}

// Looks `name` up and calls it with `args`, logging each step under `self`.
template <class Handler, class... Args>
int32_t invoke(const char *self, const char *name, Args... args) {
    if (name == nullptr)
        return log_line(1, "%s: NULL symbol\n", self);
    void *symbol = dlsym(RTLD_DEFAULT, name);
    if (symbol == nullptr)
        return log_line(0, "%s: symbol %s not found\n", self, name);
    log_line(0, "%s: Invoking %s\n", self, name);
    return reinterpret_cast<Handler>(symbol)(args...);
}

} // namespace

int32_t statscl_invoke_save_pss_hdlr(const char *name) {
    return invoke<save_pss_hdlr>("statscl_invoke_save_pss_hdlr", name);
}

int32_t statscl_invoke_restore_pss_hdlr(const char *name, uint64_t arg0, uint32_t arg1,
                                        uint32_t arg2, uint32_t arg3, uint32_t arg4,
                                        uint32_t arg5) {
    return invoke<restore_pss_hdlr>("statscl_invoke_restore_pss_hdlr", name, arg0, arg1, arg2, arg3,
                                    arg4, arg5);
}

} // namespace statscl::internal
