// SPDX-License-Identifier: MIT
#include "batch.h"

#include "exit_status.h"
#include "generated_transfers.h"
#include "line_reader.h"
#include "messages.h"
#include "register_type_argument.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace qxrfanuc::cli {

namespace {

// The four fields of a record that holds exactly three commas.
std::array<std::string_view, 4> four_fields(std::string_view text) {
    std::array<std::string_view, 4> fields;
    for (std::size_t i = 0; i < 3; ++i) {
        const auto comma = text.find(',');
        fields.at(i) = text.substr(0, comma);
        text.remove_prefix(comma + 1);
    }
    fields[3] = text;
    return fields;
}

// The status of one record, as a process exit status would give it.
int process_record(const Line& line, std::size_t line_number, BufferedOutput& out, BufferedOutput& err,
                   StatementChoice choice, GeneratedTransfers& transfers) {
    const auto report = [&](std::string_view message, int status) {
        auto& text = err.pending();
        text += "line " + std::to_string(line_number) + ": ";
        text += message;
        text += '\n';
        err.flush_if_full();
        return status;
    };
    // A comment is skipped whatever its length.
    if (line.first == '#') {
        return exit_success;
    }
    if (line.is_overlong()) {
        return report("record of " + std::to_string(line.length) + " bytes is longer than the limit of " +
                          std::to_string(max_line_bytes) + " bytes; skipped",
                      exit_usage);
    }
    const std::string_view text = line.text;
    if (text.empty() || text.starts_with('#')) {
        return exit_success;
    }

    const auto field_count = static_cast<std::size_t>(std::ranges::count(text, ',')) + 1;
    if (field_count != 4) {
        return report("expected 4 comma-separated fields QXR,FANUC,ITEMS,TYPE, found " +
                          std::to_string(field_count),
                      exit_usage);
    }
    const auto fields = four_fields(text);

    const auto type = register_type_from_argument(fields[3]);
    if (!type) {
        return report("unknown TYPE " + quoted(fields[3]) + ". " + std::string(accepted_types), exit_usage);
    }
    const auto statements = generate_script_strings(fields[0], fields[1], fields[2], *type);
    if (!statements) {
        const auto& error = statements.error();
        return report(describe_error(error, {fields[0], fields[1], fields[2]}), exit_status_of(error));
    }
    append_statements(out.pending(), *statements, choice);
    out.flush_if_full();
    transfers.check(generated_inputs(fields[0], fields[1], fields[2], *type), line_number,
                    "line " + std::to_string(line_number) + ": ", err);
    return exit_success;
}

} // namespace

int run_batch(std::FILE* input, BufferedOutput& out, BufferedOutput& err, StatementChoice choice) {
    int status = exit_success;
    std::size_t line_number = 0;
    GeneratedTransfers transfers(choice);
    const int read_error = read_lines(input, [&](const Line& line) {
        const int record_status = process_record(line, ++line_number, out, err, choice, transfers);
        if (status == exit_success) {
            status = record_status;
        }
    });
    if (read_error != 0) {
        err.pending() += message("cannot read standard input: " + std::string(std::strerror(read_error)));
        return exit_io_failure;
    }
    return status;
}

} // namespace qxrfanuc::cli
