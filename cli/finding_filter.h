// SPDX-License-Identifier: MIT
#pragma once

// Which findings --check shows: those of the checks --select keeps (all when it is not given) and --ignore
// does not leave out, and not one that a comment on its line silences with "qxr-check: ignore CHECK", or
// several checks after it separated by commas. A finding not shown is counted as silenced, never dropped
// without a word; what was not read is said in the summary whatever is shown.

#include "checks.h"

#include <bitset>
#include <expected>
#include <string>
#include <string_view>
#include <vector>

namespace qxrfanuc::cli {

// How a comment silences findings on its line.
inline constexpr std::string_view silencing_mark = "qxr-check: ignore ";

// A set of checks, one bit a check of the table.
using CheckSet = std::bitset<checks.size()>;

// The checks that the line's // comment silences; read once for all the findings on a line, which may be
// long and hold many.
[[nodiscard]] CheckSet silenced_on(std::string_view line);

struct FindingFilter {
    std::vector<Check> selected; // empty: every check
    std::vector<Check> ignored;

    // Whether a finding of the check is shown on a line whose comment silences these checks.
    [[nodiscard]] bool shows(Check check, const CheckSet& silenced) const;
};

// The checks a list of names separated by commas names, or a usage error that names the unknown one.
[[nodiscard]] std::expected<std::vector<Check>, std::string> checks_named(std::string_view names);

} // namespace qxrfanuc::cli
