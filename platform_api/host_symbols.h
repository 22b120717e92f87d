/* SPDX-FileCopyrightText: 2026 The statscl_convert authors */
/* SPDX-License-Identifier: MIT */
/* host_symbols.h - the one list of what a host process may define for the
 * conversion library, which finds it in the process at run time: the save
 * and restore handlers of each kind that has them, and the platform's
 * symbols.
 *
 * Each entry is X(name, type).  From these lists come the hosts' export list
 * and the stand-in's symbols file (packaging/host_symbols.cmake reads the
 * names), the types the dispatch calls handlers by, and what `statscl
 * check-host` looks for.  The library's compile holds them to the
 * declarations of statscl_platform.h and to the types of a row's save_pss
 * and restore_pss, the tests' handlers hold statscl_convert.h's declarations
 * to those types, and a test holds the stand-in's exports to the platform's
 * list.  Not installed.
 */
#ifndef STATSCL_HOST_SYMBOLS_H
#define STATSCL_HOST_SYMBOLS_H

/* X(slot, type): the handler that a kind's operation `slot` calls,
 * statscl_<kind>_<slot>_hdlr, for each kind whose description says it has
 * handlers.  A handler has its slot's signature: the slot passes its
 * arguments on unchanged and returns the handler's result. */
#define STATSCL_HANDLER_SLOTS(X)                                                                   \
    X(save_pss, int32_t(void))                                                                     \
    X(restore_pss, int32_t(uint64_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t))

/* X(name, type): the platform's symbols that the library uses. */
#define STATSCL_PLATFORM_SYMBOLS(X)                                                                \
    X(app_log, int(int, const char *))                                                             \
    X(_tmpbuf, char[])                                                                             \
    X(hton_if_index, uint32_t(uint32_t))                                                           \
    X(ntoh_if_index, uint32_t(uint32_t))

#endif /* STATSCL_HOST_SYMBOLS_H */
