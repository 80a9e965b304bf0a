// SPDX-License-Identifier: MIT
#pragma once

#include "buffered_output.h"
#include "checks.h"
#include "finding_document.h"
#include "finding_filter.h"

#include <span>
#include <string_view>

namespace qxrfanuc::cli {

enum class CheckOutput { Findings, Map, Fix };

struct CheckSettings {
    CheckOutput output = CheckOutput::Findings;
    Severity fail_on = Severity::Error; // the least grave finding that fails the run
    FindingFilter filter;
    FindingFormat format = FindingFormat::Text; // of the findings; Json and Sarif not with Map
    bool colored = false;                       // the severities of the findings on standard output
};

// Checks each script in turn ("-" or none at all: standard input). Findings: one line per finding on
// standard output, or in a JSON or SARIF format one document of them all. Map: the CSV map of the
// statements instead. Fix: the one script, its comments made to tell the truth, on standard output, and
// the findings on standard error; in a JSON or SARIF format the document instead, the edits in it beside
// the findings that they answer. A summary goes to standard error.
// Findings the filter does not show are counted as silenced. Returns the exit status: 1 when a script
// could not be read, else 3 when a finding shown was of fail_on's severity or a graver one, else 4 when some
// text was not read, else 0.
[[nodiscard]] int run_check(std::span<const std::string_view> files, const CheckSettings& settings,
                            BufferedOutput& out, BufferedOutput& err);

} // namespace qxrfanuc::cli
