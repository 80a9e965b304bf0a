// SPDX-License-Identifier: MIT
#pragma once

#include "buffered_output.h"

#include <span>
#include <string_view>

namespace qxrfanuc::cli {

inline constexpr int exit_errors_found = 3;

// Checks each script in turn ("-" or none at all: standard input) and writes one line per finding, or with
// map the CSV map of the statements; a summary goes to standard error. Returns 1 when a script could not
// be read, else 3 when an error was found, else 0.
[[nodiscard]] int run_check(std::span<const std::string_view> files, bool map, BufferedOutput& out,
                            BufferedOutput& err);

} // namespace qxrfanuc::cli
