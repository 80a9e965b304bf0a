// SPDX-License-Identifier: MIT
#include "plan_command.h"

#include "csv.h"
#include "display_text.h"
#include "exit_status.h"
#include "file_names.h"
#include "int16.h"
#include "messages.h"
#include "plan_table.h"
#include "script_strings.h"
#include "statement_map.h"

#include <cerrno>
#include <cstring>

namespace qxrfanuc::cli {

namespace {

// The row's statement, its comment and its label: what the generator writes for its inputs, then the label.
std::string statement_of(const PlanRow& row) {
    const auto& inputs = row.inputs;
    const auto statements = generate_script_strings(int16_to_text(inputs.qxr), int16_to_text(inputs.fanuc),
                                                    int16_to_text(inputs.items), names_of(inputs.type).text);
    std::string text = row.is_write ? statements->writestring : statements->readstring; // read without fault
    if (!row.label.empty()) {
        text += ' ' + row.label;
    }
    return text + '\n';
}

// Places and checks the rows; false when the plan is refused. Findings go to err, each with its row's line.
bool plan_stands(std::vector<PlanRow>& rows, std::int16_t from, BufferedOutput& err) {
    if (const auto placed = place_rows(rows, from); !placed) {
        err.pending() += record_place(placed.error().line) + "error: no room for its " +
                         std::to_string(placed.error().registers) +
                         " QXR registers at or after QXR register " + std::to_string(from) +
                         ", even and at most " + std::to_string(highest_placed_qxr) +
                         ", where they meet no other row's\n";
        return false;
    }
    bool stands = true;
    check_rows(rows, [&](const PlanFinding& finding) {
        const CheckInfo& info = check_info(finding.check);
        err.pending() += record_place(finding.line);
        err.pending() += finding.refuses ? "error" : severity_name(info.severity);
        err.pending() += ": " + finding.message + " [" + std::string(info.name) + "]\n";
        err.flush_if_full();
        stands = stands && !finding.refuses;
    });
    return stands;
}

// The map of the plan's script, as --check --map prints that of a script; the script is not yet a file, so
// its file column is empty.
void append_map(std::string_view script, BufferedOutput& out) {
    out.pending() += map_header();
    check_script(script, CommentFixing::Off,
                 CheckSinks{[](const Finding&) {},
                            [&](const Statement& statement, const StatementMeaning& meaning) {
                                append_map_row(out.pending(), "", statement, meaning);
                                out.flush_if_full();
                            },
                            [](const Edit&) {}});
}

} // namespace

int run_plan(std::string_view file, CheckOutput output, std::int16_t from, BufferedOutput& out,
             BufferedOutput& err) {
    const bool from_stdin = file.empty() || file == "-";
    std::FILE* input = from_stdin ? stdin : open_for_reading(file);
    const std::string shown = from_stdin ? "standard input" : "\"" + display_escaped(file) + "\"";
    if (input == nullptr) {
        err.pending() += message("cannot read " + shown + ": " + std::strerror(errno));
        return exit_io_failure;
    }
    PlanTable table = read_plan_table(input, err);
    if (!from_stdin) {
        std::fclose(input);
    }
    if (table.read_error != 0) {
        err.pending() += message("cannot read " + shown + ": " + std::strerror(table.read_error));
        return exit_io_failure;
    }
    if (!table.whole || !plan_stands(table.rows, from, err)) {
        err.pending() += message("the plan is refused: nothing is printed");
        return exit_usage;
    }
    std::string script;
    for (const auto& row : table.rows) {
        script += statement_of(row);
    }
    if (output == CheckOutput::Map) {
        append_map(script, out);
    } else {
        out.pending() += script;
    }
    return exit_success;
}

} // namespace qxrfanuc::cli
