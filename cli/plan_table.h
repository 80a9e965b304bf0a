// SPDX-License-Identifier: MIT
#pragma once

// A plan's table read from CSV: a header row naming its columns in any order (letter case and blanks around
// a name aside), then a row per transfer. A plan's columns are direction, type, fanuc, items, qxr and label;
// those of a statement map are known too and left aside, so that a map is read as a plan.

#include "buffered_output.h"
#include "plan.h"

#include <cstdio>
#include <vector>

namespace qxrfanuc::cli {

// The most rows a plan holds: more than its reads could have without meeting (49,152 pairs of QXR
// registers) and its writes (65,536 Fanuc registers).
inline constexpr std::size_t max_plan_rows = std::size_t{1} << 18U;

struct PlanTable {
    std::vector<PlanRow> rows;
    bool whole = true; // false when a row, or the table, was reported on err
    int read_error = 0;
};

// The rows of the table; each bad field, row or header is reported on err as "line N: column C: ...", a row
// of no generator inputs (a map's statement that decodes to none) as a warning, and the table reads on.
[[nodiscard]] PlanTable read_plan_table(std::FILE* input, BufferedOutput& err);

} // namespace qxrfanuc::cli
