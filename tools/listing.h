// listing.h - the kinds of statistics described for people, for scripts and
// for C hosts: the table of `statscl list`, its JSON, and the field header.
#pragma once

#include <string>
#include <vector>

#include "record.h"

namespace statscl::tool {

/// The operations of a kind that do work: "req", "stats", "diff" (or
/// "diff(newer-first)"), "clear", "pss".
std::vector<std::string> operations(const kind_info &k);

/// Every kind as a table, with a legend.
std::string list_text();

/// Every kind with its records' layouts, as JSON.
std::string list_json();

/// include/statscl_records.h: every record's size and fields as C macros,
/// and the readers and writers of host-order values.
std::string records_header();

} // namespace statscl::tool
