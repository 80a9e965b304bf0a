// SPDX-License-Identifier: MIT
#include "batch.h"

#include "csv.h"
#include "exit_status.h"
#include "generated_transfers.h"
#include "messages.h"
#include "register_type_argument.h"

#include <cstring>

namespace qxrfanuc::cli {

namespace {

// The status of one record, as a process exit status would give it.
int process_record(const CsvRecord& record, BufferedOutput& out, BufferedOutput& err, StatementChoice choice,
                   GeneratedTransfers& transfers) {
    const auto report = [&](std::size_t column, std::string_view message, int status) {
        auto& text = err.pending();
        text += record_place(record.line, column);
        text += message;
        text += '\n';
        err.flush_if_full();
        return status;
    };
    if (!record.fields) {
        return report(record.fields.error().column, record.fields.error().why, exit_usage);
    }
    const auto& fields = *record.fields;
    if (fields.size() != 4) {
        return report(0,
                      "expected 4 comma-separated fields QXR,FANUC,ITEMS,TYPE, found " +
                          std::to_string(fields.size()),
                      exit_usage);
    }
    const auto type = register_type_from_argument(fields[3]);
    if (!type) {
        return report(0, "unknown TYPE " + quoted(fields[3]) + ". " + std::string(accepted_types),
                      exit_usage);
    }
    const auto statements = generate_script_strings(fields[0], fields[1], fields[2], *type);
    if (!statements) {
        const auto& error = statements.error();
        return report(0, describe_error(error, {fields[0], fields[1], fields[2]}), exit_status_of(error));
    }
    append_statements(out.pending(), *statements, choice);
    out.flush_if_full();
    transfers.check(generated_inputs(fields[0], fields[1], fields[2], *type), record.line,
                    record_place(record.line), err);
    return exit_success;
}

} // namespace

int run_batch(std::FILE* input, BufferedOutput& out, BufferedOutput& err, StatementChoice choice) {
    int status = exit_success;
    GeneratedTransfers transfers(choice);
    const int read_error = read_csv(input, [&](const CsvRecord& record) {
        const int record_status = process_record(record, out, err, choice, transfers);
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
