// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// host_reader.h - check-host's reader: what a host's ELF file defines of the
// handlers and platform symbols that the library looks up in it.
//
// The library looks handlers up with dlsym in the default scope, and the
// dynamic linker binds the platform symbols the same way: only a defined,
// non-local, default- or protected-visibility entry of .dynsym is found.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tool.h"

namespace statscl::tool {

/// How a host defines a name that the library or the dynamic linker looks up.
enum class found { exported, hidden, cxx, absent };

/// A name looked up in the host, the definition the library expects, and
/// what the host has.
struct symbol {
    std::string name, expected;
    bool handler;
    found state = found::absent;
    std::string cxx; ///< the demangled C++ definition, when state is cxx
};

/// Each kind's handlers, then the platform's symbols, from the list of kinds
/// and the list of what a host defines (platform_api/host_symbols.h).
std::vector<symbol> wanted();

/// What the host's ELF file says besides its symbols: its format and its
/// dynamic entries.
struct host {
    std::string format;         ///< "ELF32 big-endian PowerPC executable"
    bool shared_object = false; ///< ET_DYN, not marked a position-independent executable
    std::vector<std::string> needed;
    std::string run_path, run_path_tag; ///< run_path_tag empty when none
};

/// Reads the ELF file open on `fd`, `size` bytes long, and what it defines
/// of `wanted`.  Refuses anything but an ELF executable or shared object with
/// a dynamic section, and any table that lies outside the file.
host read_elf(int fd, uint64_t size, std::vector<symbol> &wanted);

/// The host at `path`, as read_elf reads it; every refusal names the file.
host read_host(const std::string &path, std::vector<symbol> &wanted);

} // namespace statscl::tool
