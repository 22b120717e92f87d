// table.h - aligned columns of text.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include <fmt/format.h>

namespace statscl::tool {

/// A table row; the cells of a wide row after the second are written as they
/// are, without setting the width of their columns.
struct table_row {
    std::vector<std::string> cells;
    bool wide = false;
};

/// The rows in aligned columns; align holds '<' or '>' for each column.
inline std::string table(const std::vector<table_row> &rows, std::string_view align) {
    std::vector<std::size_t> width(align.size(), 0);
    for (const table_row &r : rows)
        for (std::size_t i = 0; i < r.cells.size() && (!r.wide || i < 2); ++i)
            width[i] = std::max(width[i], r.cells[i].size());
    std::string out;
    for (const table_row &r : rows) {
        std::string line;
        for (std::size_t i = 0; i < r.cells.size(); ++i) {
            const std::size_t w = r.wide && i >= 2 ? 0 : width[i];
            line += i > 0 ? "  " : "";
            line += align[i] == '<' ? fmt::format("{:<{}}", r.cells[i], w)
                                    : fmt::format("{:>{}}", r.cells[i], w);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + '\n';
    }
    return out;
}

} // namespace statscl::tool
