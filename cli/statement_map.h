// SPDX-License-Identifier: MIT
#pragma once

// The map of a script's statements, one CSV row each, as --check --map and --plan --map print it: where the
// statement stands, its arguments, the generator's inputs it decodes to, what it covers, its direction and
// its label. --plan reads the map back: its QXR, FANUC, ITEMS, TYPE, direction and label columns are a
// plan's.

#include "script_check.h"

#include <array>
#include <string>
#include <string_view>

namespace qxrfanuc::cli {

inline constexpr std::array<std::string_view, 19> map_columns{
    "file",          "line",       "column",    "function",  "qxr_index", "fanuc_address", "word_count",
    "last_argument", "QXR",        "FANUC",     "ITEMS",     "TYPE",      "qxr_first",     "qxr_last",
    "fanuc_first",   "fanuc_last", "registers", "direction", "label"};

// How a direction is written, in the map and in a plan.
inline constexpr std::string_view read_direction = "read";
inline constexpr std::string_view write_direction = "write";

// The rows end in CR LF, as RFC 4180 has them.
inline constexpr std::string_view csv_row_end = "\r\n";

// The header row, with its row end.
[[nodiscard]] std::string map_header();

// Appends the statement's row; file is the file column's text as it stands in the CSV.
void append_map_row(std::string& text, std::string_view file, const Statement& statement,
                    const StatementMeaning& meaning);

} // namespace qxrfanuc::cli
