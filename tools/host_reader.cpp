// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// host_reader.cpp - check-host's reader of ELF files.  Everything is read
// through libelf, which checks little, so every table's bounds and entry size
// are checked here before an entry is read.
#include "host_reader.h"

#include <cxxabi.h>
#include <fcntl.h>
#include <gelf.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "host_symbols.h"

namespace statscl::tool {
namespace {

using elf_ptr = std::unique_ptr<Elf, decltype(&elf_end)>;

/// Closes a file descriptor at the end of its scope.
struct fd_closer {
    int fd;
    explicit fd_closer(int f) : fd(f) {}
    fd_closer(const fd_closer &) = delete;
    fd_closer &operator=(const fd_closer &) = delete;
    ~fd_closer() { close(fd); }
};

/// libelf's last error; with -1 it is never null.
std::string elf_error() { return elf_errmsg(-1); }

std::string_view machine_name(unsigned machine) {
    switch (machine) {
    case EM_386:
        return "x86";
    case EM_X86_64:
        return "x86-64";
    case EM_PPC:
        return "PowerPC";
    case EM_PPC64:
        return "PowerPC64";
    case EM_ARM:
        return "ARM";
    case EM_AARCH64:
        return "AArch64";
    default:
        return {};
    }
}

/// A section's data, its entries counted: refuses a section whose data lies
/// past the end of the file or whose entry size is not the file's own.
std::pair<Elf_Data *, std::size_t> entries(Elf *elf, Elf_Scn *scn, const GElf_Shdr &sh,
                                           Elf_Type type, std::string_view what) {
    const std::size_t size = gelf_fsize(elf, type, 1, EV_CURRENT);
    Elf_Data *data = elf_getdata(scn, nullptr);
    if (data == nullptr)
        throw refusal(fmt::format("cannot read {}: {}", what, elf_error()));
    if (size == 0 || sh.sh_entsize != size || data->d_size != sh.sh_size || sh.sh_size % size != 0)
        throw refusal(fmt::format("{} has entries of {} bytes in {} bytes, not of {}", what,
                                  sh.sh_entsize, sh.sh_size, size));
    return {data, sh.sh_size / size};
}

/// The string at `offset` of string table `link`, which must be one.
std::string_view string_at(Elf *elf, std::size_t link, std::size_t offset) {
    GElf_Shdr sh;
    Elf_Scn *scn = elf_getscn(elf, link);
    const char *s = nullptr;
    if (scn != nullptr && gelf_getshdr(scn, &sh) != nullptr && sh.sh_type == SHT_STRTAB)
        s = elf_strptr(elf, link, offset);
    if (s == nullptr)
        throw refusal(fmt::format("a name lies outside its string table (section {})", link));
    return s;
}

/// The name before the parameters of a demangled function, without its scope.
std::string_view unqualified(std::string_view demangled) {
    demangled = demangled.substr(0, demangled.find('('));
    const std::size_t scope = demangled.rfind("::");
    return scope == std::string_view::npos ? demangled : demangled.substr(scope + 2);
}

/// Records in `wanted` what one symbol table says of each name: a plain
/// definition (exported only from .dynsym, with default or protected
/// visibility), or a C++ one, which dlsym never finds by the plain name.
void read_symbols(Elf *elf, Elf_Scn *scn, const GElf_Shdr &sh, std::vector<symbol> &wanted) {
    const bool dynamic = sh.sh_type == SHT_DYNSYM;
    const auto [data, count] =
        entries(elf, scn, sh, ELF_T_SYM, dynamic ? "the dynamic symbol table" : "the symbol table");
    for (std::size_t i = 1; i < count; ++i) {
        GElf_Sym sym;
        if (gelf_getsym(data, static_cast<int>(i), &sym) == nullptr)
            throw refusal(fmt::format("cannot read symbol {}: {}", i, elf_error()));
        if (sym.st_shndx == SHN_UNDEF || sym.st_name == 0)
            continue;
        const std::string_view name = string_at(elf, sh.sh_link, sym.st_name);
        const bool visible = GELF_ST_BIND(sym.st_info) != STB_LOCAL &&
                             (GELF_ST_VISIBILITY(sym.st_other) == STV_DEFAULT ||
                              GELF_ST_VISIBILITY(sym.st_other) == STV_PROTECTED);
        std::unique_ptr<char, decltype(&std::free)> demangled(nullptr, &std::free);
        for (symbol &w : wanted) {
            if (name == w.name) {
                const found state = dynamic && visible ? found::exported : found::hidden;
                w.state = std::min(w.state, state);
            } else if (name.starts_with("_Z") && name.find(w.name) != std::string_view::npos) {
                if (!demangled)
                    demangled.reset(
                        abi::__cxa_demangle(std::string(name).c_str(), nullptr, nullptr, nullptr));
                if (demangled && unqualified(demangled.get()) == w.name && w.state >= found::cxx) {
                    w.state = found::cxx;
                    w.cxx = demangled.get();
                }
            }
        }
    }
}

/// DT_NEEDED, the run path and whether a position-independent file is an
/// executable, from the dynamic section.
void read_dynamic(Elf *elf, Elf_Scn *scn, const GElf_Shdr &sh, host &h) {
    const auto [data, count] = entries(elf, scn, sh, ELF_T_DYN, "the dynamic section");
    for (std::size_t i = 0; i < count; ++i) {
        GElf_Dyn dyn;
        if (gelf_getdyn(data, static_cast<int>(i), &dyn) == nullptr)
            throw refusal(fmt::format("cannot read dynamic entry {}: {}", i, elf_error()));
        if (dyn.d_tag == DT_NULL)
            break;
        if (dyn.d_tag == DT_FLAGS_1 && (dyn.d_un.d_val & DF_1_PIE) != 0)
            h.shared_object = false;
        if (dyn.d_tag == DT_NEEDED)
            h.needed.emplace_back(string_at(elf, sh.sh_link, dyn.d_un.d_val));
        // A DT_RUNPATH hides any DT_RPATH from the dynamic linker.
        if (dyn.d_tag == DT_RUNPATH || (dyn.d_tag == DT_RPATH && h.run_path_tag != "DT_RUNPATH")) {
            h.run_path = string_at(elf, sh.sh_link, dyn.d_un.d_val);
            h.run_path_tag = dyn.d_tag == DT_RUNPATH ? "DT_RUNPATH" : "DT_RPATH";
        }
    }
}

} // namespace

std::vector<symbol> wanted() {
    std::vector<symbol> out;
    // The declaration: the name within the type, before its parameters or bounds.
    const auto add = [&out](std::string name, std::string_view type, bool handler) {
        const std::size_t at = type.find_first_of("([");
        std::string expected = fmt::format("{} {}{}", type.substr(0, at), name, type.substr(at));
        out.push_back({std::move(name), std::move(expected), handler, found::absent, {}});
    };
    for (const kind_info &k : internal::catalogue)
        if (k.handlers) {
#define STATSCL_HANDLER(slot, type)                                                                \
    add(fmt::format("statscl_{}_{}_hdlr", k.name, #slot), #type, true);
            STATSCL_HANDLER_SLOTS(STATSCL_HANDLER)
#undef STATSCL_HANDLER
        }
#define STATSCL_PLATFORM(name, type) add(#name, #type, false);
    STATSCL_PLATFORM_SYMBOLS(STATSCL_PLATFORM)
#undef STATSCL_PLATFORM
    return out;
}

host read_elf(int fd, uint64_t size, std::vector<symbol> &wanted) {
    char magic[SELFMAG] = {};
    if (pread(fd, magic, SELFMAG, 0) != SELFMAG || std::memcmp(magic, ELFMAG, SELFMAG) != 0)
        throw refusal("not an ELF file");
    elf_version(EV_CURRENT);
    const elf_ptr elf(elf_begin(fd, ELF_C_READ, nullptr), &elf_end);
    GElf_Ehdr eh;
    if (!elf || elf_kind(elf.get()) != ELF_K_ELF)
        throw refusal(fmt::format("truncated or damaged ELF file: {}", elf_error()));
    if (gelf_getehdr(elf.get(), &eh) == nullptr)
        throw refusal(fmt::format("truncated or damaged ELF header: {}", elf_error()));
    // libelf takes a file whose section headers lie past its end for one
    // without sections.
    std::size_t sections = 0;
    if (elf_getshdrnum(elf.get(), &sections) != 0 || eh.e_shoff > size ||
        (size - eh.e_shoff) / gelf_fsize(elf.get(), ELF_T_SHDR, 1, EV_CURRENT) <
            std::max<uint64_t>(sections, eh.e_shnum))
        throw refusal("truncated: its section headers lie past its end");
    if (eh.e_type != ET_EXEC && eh.e_type != ET_DYN)
        throw refusal(fmt::format("not an executable or shared object (ELF type {})",
                                  eh.e_type == ET_REL ? "relocatable" : std::to_string(eh.e_type)));
    host h;
    h.shared_object = eh.e_type == ET_DYN;
    bool dynamic = false;
    for (Elf_Scn *scn = elf_nextscn(elf.get(), nullptr); scn != nullptr;
         scn = elf_nextscn(elf.get(), scn)) {
        GElf_Shdr sh;
        if (gelf_getshdr(scn, &sh) == nullptr)
            throw refusal(fmt::format("cannot read a section header: {}", elf_error()));
        if (sh.sh_type == SHT_DYNSYM || sh.sh_type == SHT_SYMTAB)
            read_symbols(elf.get(), scn, sh, wanted);
        if (sh.sh_type == SHT_DYNAMIC) {
            read_dynamic(elf.get(), scn, sh, h);
            dynamic = true;
        }
    }
    if (!dynamic)
        throw refusal("has no dynamic section (a static executable?): the library cannot be "
                      "loaded into it");
    const std::string_view machine = machine_name(eh.e_machine);
    h.format = fmt::format("ELF{} {}-endian {} {}", eh.e_ident[EI_CLASS] == ELFCLASS64 ? 64 : 32,
                           eh.e_ident[EI_DATA] == ELFDATA2MSB ? "big" : "little",
                           machine.empty() ? fmt::format("machine {}", eh.e_machine)
                                           : std::string(machine),
                           eh.e_type == ET_EXEC ? "executable"
                           : h.shared_object    ? "shared object"
                                                : "executable (PIE)");
    return h;
}

host read_host(const std::string &path, std::vector<symbol> &wanted) {
    const int raw = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (raw < 0)
        throw refusal(fmt::format("cannot open '{}': {}", path, std::strerror(errno)));
    const fd_closer closer{raw};
    try {
        struct stat st {};
        if (fstat(raw, &st) != 0 || !S_ISREG(st.st_mode))
            throw refusal("not a regular file");
        return read_elf(raw, static_cast<uint64_t>(st.st_size), wanted);
    } catch (const refusal &e) {
        throw refusal(fmt::format("{}: {}", path, e.what()));
    }
}

} // namespace statscl::tool
