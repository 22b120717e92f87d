// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// check_host.cpp - `statscl check-host`: whether the library will find the
// handlers and platform symbols that a host executable or shared object
// defines, read from its ELF symbol tables before the host ever runs.
//
// The library looks handlers up with dlsym in the default scope, and the
// dynamic linker binds the platform symbols the same way: only a defined,
// non-local, default- or protected-visibility entry of .dynsym is found.
// Everything is read through libelf, which checks little, so every table's
// bounds and entry size are checked here before an entry is read.
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
#include "tool.h"

namespace statscl::tool {
namespace {

/// How a host defines a name that the library or the dynamic linker looks up.
enum class found { exported, hidden, cxx, absent };

constexpr std::string_view name_of(found f) {
    constexpr std::string_view names[] = {"exported", "not exported", "C++ linkage", "absent"};
    return names[static_cast<int>(f)];
}

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
std::vector<symbol> wanted() {
    std::vector<symbol> out;
    const auto add = [&out](std::string name, std::string_view before, std::string_view after,
                            bool handler) {
        std::string expected = fmt::format("{} {}{}", before, name, after);
        out.push_back({std::move(name), std::move(expected), handler, found::absent, {}});
    };
    for (const kind_info &k : internal::catalogue)
        if (k.handlers) {
#define STATSCL_HANDLER(slot, before, after)                                                       \
    add(fmt::format("statscl_{}_{}_hdlr", k.name, #slot), #before, #after, true);
            STATSCL_HANDLER_SLOTS(STATSCL_HANDLER)
#undef STATSCL_HANDLER
        }
#define STATSCL_PLATFORM(name, before, after) add(#name, #before, #after, false);
    STATSCL_PLATFORM_SYMBOLS(STATSCL_PLATFORM)
#undef STATSCL_PLATFORM
    return out;
}

/// What the host's ELF file says besides its symbols: its format and its
/// dynamic entries.
struct host {
    std::string format;         ///< "ELF32 big-endian PowerPC executable"
    bool shared_object = false; ///< ET_DYN, not marked a position-independent executable
    std::vector<std::string> needed;
    std::string run_path, run_path_tag; ///< run_path_tag empty when none
};

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

/// Reads the ELF file open on `fd`, `size` bytes long, and what it defines
/// of `wanted`.  Refuses anything but an ELF executable or shared object with
/// a dynamic section.
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

/// The host at `path`, as read_elf reads it; every refusal names the file.
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

/// The line on stderr for a definition the library cannot find, or empty.
std::string problem(const symbol &s) {
    const std::string consequence = s.handler ? "the library cannot find it"
                                              : fmt::format("the platform library's {} is "
                                                            "used instead",
                                                            s.name);
    if (s.state == found::hidden)
        return fmt::format("{} is defined but not in the dynamic symbol table: {}; give it "
                           "default visibility and export it with {}-Wl,--export-dynamic-symbol "
                           "or -rdynamic",
                           s.name, consequence, s.handler ? "the package's dynamic list, " : "");
    if (s.state == found::cxx)
        return fmt::format("{} is defined with C++ linkage as '{}'; the library looks for '{}' "
                           "with C linkage: {}",
                           s.name, s.cxx, s.expected, consequence);
    return {};
}

std::string detail(const symbol &s, bool shared_object) {
    switch (s.state) {
    case found::exported:
        return shared_object ? "found if the object is loaded globally" : "found";
    case found::hidden:
        return "not found: defined, not in the dynamic symbol table";
    case found::cxx:
        return fmt::format("not found: defined as {}", s.cxx);
    case found::absent:
        break;
    }
    return s.handler ? "the library logs \"symbol ... not found\" and returns app_log's result"
                     : "the platform library's is used";
}

/// The report of `path`: a table or JSON in `out`, problems and warnings on
/// stderr.  Returns whether the library finds everything the host defines.
bool check_host(const std::string &path, bool as_json, std::string &out) {
    std::vector<symbol> symbols = wanted();
    const host h = read_host(path, symbols);
    constexpr std::string_view library = STATSCL_LIBRARY_SONAME;
    const bool needs = std::ranges::find(h.needed, library) != h.needed.end();
    // dlsym's default scope, and the dynamic linker's, hold a shared object
    // only when it is loaded with RTLD_GLOBAL or linked by the executable.
    const bool exports =
        std::ranges::any_of(symbols, [](const symbol &s) { return s.state == found::exported; });
    const std::string note =
        h.shared_object && exports
            ? "a shared object: the library finds what it defines only if it is loaded with "
              "RTLD_GLOBAL or linked by the executable"
            : "";
    std::vector<std::string> problems, warnings;
    for (const symbol &s : symbols)
        if (std::string p = problem(s); !p.empty())
            problems.push_back(std::move(p));
    // A save without its restore (or a conversion without its inverse) is
    // legal, but seldom what a host's author meant.
    for (std::size_t i = 0; i + 1 < symbols.size(); i += 2) {
        const symbol &a = symbols[i], &b = symbols[i + 1];
        if (a.name == "app_log" || (a.state == found::absent) == (b.state == found::absent))
            continue;
        const symbol &has = a.state == found::absent ? b : a,
                     &lacks = a.state == found::absent ? a : b;
        warnings.push_back(fmt::format("{} is defined but {} is not", has.name, lacks.name));
    }
    for (const std::string &w : warnings)
        std::cerr << fmt::format("statscl: warning: {}: {}\n", path, w);
    for (const std::string &p : problems)
        std::cerr << fmt::format("statscl: {}: {}\n", path, p);
    if (as_json) {
        json list = json::array();
        for (const symbol &s : symbols) {
            list.push_back({{"name", s.name},
                            {"role", s.handler ? "handler" : "platform"},
                            {"state", std::string(name_of(s.state))},
                            {"expected", s.expected}});
            if (s.state == found::cxx)
                list.back()["defined_as"] = s.cxx;
        }
        out = json{{"file", path},
                   {"format", h.format},
                   {"needs_library", needs},
                   {"needed", h.needed},
                   {"run_path", h.run_path_tag.empty() ? json(nullptr) : json(h.run_path)},
                   {"run_path_tag", h.run_path_tag.empty() ? json(nullptr) : json(h.run_path_tag)},
                   {"note", note.empty() ? json(nullptr) : json(note)},
                   {"symbols", std::move(list)},
                   {"problems", problems},
                   {"warnings", warnings}}
                  .dump(2) +
              "\n";
        return problems.empty();
    }
    std::vector<table_row> rows{{{"symbol", "state", "so the library"}}};
    for (const symbol &s : symbols)
        rows.push_back({{s.name, std::string(name_of(s.state)), detail(s, h.shared_object)}});
    out = fmt::format("{}: {}\nneeds {}: {}\nrun path: {}\n{}\n", path, h.format, library,
                      needs ? "yes" : "no",
                      h.run_path_tag.empty() ? "none"
                                             : fmt::format("{} ({})", h.run_path, h.run_path_tag),
                      note.empty() ? "" : fmt::format("note: {}\n", note)) +
          table(rows, "<<<") +
          fmt::format("\n{} problem{}, {} warning{}\n", problems.size(),
                      problems.size() == 1 ? "" : "s", warnings.size(),
                      warnings.size() == 1 ? "" : "s");
    return problems.empty();
}

} // namespace

void add_check_host(CLI::App &app, std::string &out, int &status) {
    CLI::App *cmd = app.add_subcommand(
        "check-host", "Whether the library finds the handlers and platform symbols that a host "
                      "executable or shared object defines");
    static std::string path; // one app a process: its options outlive the parse
    cmd->add_option("FILE", path, "The host: an ELF executable or shared object, any target")
        ->required();
    CLI::Option *as_json = cmd->add_flag("--json")->description("Print JSON");
    cmd->callback([&out, &status, as_json] {
        status = check_host(path, as_json->count() != 0, out) ? 0 : 1;
    });
}

} // namespace statscl::tool
