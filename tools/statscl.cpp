// SPDX-FileCopyrightText: 2026 The statscl_convert authors
// SPDX-License-Identifier: MIT
// statscl.cpp - the statscl tool: lists the kinds of statistics, decodes a
// captured network-order payload into named fields through the kind's own
// converters, encodes fields back into a payload, and checks that a host
// exports what the library looks up in it.
//
// Every output is composed in full before a byte of it is written, so bad
// input ends in one message on stderr, a non-zero exit and an empty stdout.
#include "tool.h"

int main(int argc, char **argv) {
    using namespace statscl::tool;
    CLI::App app{"statscl - the kinds of statistics records: list them, decode captured "
                 "payloads, encode crafted ones"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "statscl " STATSCL_VERSION_STRING);
    app.failure_message([](const CLI::App *, const CLI::Error &e) {
        return fmt::format("statscl: {}\n", e.what());
    });
    std::string out;
    int status = 0; // a check that finds problems prints its report and exits 1
    for (const auto add : {add_list, add_header, add_decode, add_encode})
        add(app, out);
#ifdef STATSCL_CHECK_HOST
    add_check_host(app, out, status);
#endif
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError &e) {
        return app.exit(e);
    } catch (const std::exception &e) {
        // Bad input exits 1; anything else, such as a failed allocation, 2.
        std::cerr << "statscl: " << e.what() << '\n';
        return dynamic_cast<const refusal *>(&e) != nullptr ? 1 : 2;
    }
    if (!(std::cout << out << std::flush)) {
        std::cerr << "statscl: cannot write to standard output\n";
        return 1;
    }
    return status;
}
