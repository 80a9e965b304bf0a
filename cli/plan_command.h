// SPDX-License-Identifier: MIT
#pragma once

#include "buffered_output.h"
#include "check_command.h"

#include <cstdint>
#include <string_view>

namespace qxrfanuc::cli {

// Reads the plan (a file, or standard input for "-" or none), places its rows without a QXR register at or
// after from, checks them, and prints a statement for each row (Findings), or the map of those statements
// (Map); a bad field or rows that meet refuse the plan: nothing is printed and the status is 2.
[[nodiscard]] int run_plan(std::string_view file, CheckOutput output, std::int16_t from, BufferedOutput& out,
                           BufferedOutput& err);

} // namespace qxrfanuc::cli
