// SPDX-License-Identifier: MIT
#pragma once

#include "script_check.h"

#include <array>
#include <cstddef>

namespace qxrfanuc::cli {

// What --check counted over all its scripts, for the summary.
struct CheckTotals {
    std::size_t found = 0;                    // statements
    std::size_t checked = 0;                  // statements whose arguments were read
    std::array<std::size_t, 3> by_severity{}; // errors, warnings, notes shown
    UnreadTotals unread;
    std::size_t edits = 0; // comments written by --fix, or given as edits in a document
    std::size_t silenced = 0;
    std::size_t files_not_read = 0;
};

} // namespace qxrfanuc::cli
