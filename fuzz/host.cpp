// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// host.cpp - a libFuzzer target over check-host's reader: the input is a
// host's file, which the reader gets through a file descriptor, as
// check-host gives it one.  A refusal is an answer; any other exception, a
// crash or a leak is a finding.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

#include "../tools/host_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    using namespace statscl::tool;
    static const int fd = memfd_create("host", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        std::abort();
    std::vector<symbol> symbols = wanted();
    try {
        read_elf(fd, size, symbols);
    } catch (const refusal &) {
    }
    return 0;
}
