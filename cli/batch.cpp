#include "batch.h"

#include "register_type_argument.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qxrfanuc::cli {

namespace {

constexpr std::size_t read_block_size = 1 << 16;

// The status of one record, as a process exit status would give it.
int process_record(std::string_view line, std::size_t line_number, BufferedOutput& out, BufferedOutput& err,
                   StatementChoice choice) {
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    if (line.empty() || line.starts_with('#')) {
        return exit_success;
    }
    const auto report = [&](std::string_view message, int status) {
        auto& text = err.pending();
        text += "line " + std::to_string(line_number) + ": ";
        text += message;
        text += '\n';
        err.flush_if_full();
        return status;
    };

    const auto field_count = static_cast<std::size_t>(std::ranges::count(line, ',')) + 1;
    if (field_count != 4) {
        return report("expected 4 comma-separated fields QXR,FANUC,ITEMS,TYPE, found " +
                          std::to_string(field_count),
                      exit_usage);
    }
    std::array<std::string_view, 4> fields;
    for (std::size_t i = 0; i < 3; ++i) {
        const auto comma = line.find(',');
        fields[i] = line.substr(0, comma);
        line.remove_prefix(comma + 1);
    }
    fields[3] = line;

    const auto type = register_type_from_argument(fields[3]);
    if (!type) {
        return report("unknown TYPE " + quoted(fields[3]) + ". " + std::string(accepted_types), exit_usage);
    }
    const auto statements = generate_script_strings(fields[0], fields[1], fields[2], *type);
    if (!statements) {
        const auto& error = statements.error();
        return report(describe_error(error, {fields[0], fields[1], fields[2]}), error.number());
    }
    append_statements(out.pending(), *statements, choice);
    out.flush_if_full();
    return exit_success;
}

} // namespace

int run_batch(std::FILE* input, BufferedOutput& out, BufferedOutput& err, StatementChoice choice) {
    int status = exit_success;
    std::size_t line_number = 0;
    const auto process = [&](std::string_view line) {
        const int record_status = process_record(line, ++line_number, out, err, choice);
        if (status == exit_success) {
            status = record_status;
        }
    };

    std::vector<char> block(read_block_size);
    std::string partial_line; // a line that runs across the end of a block
    std::size_t count = 0;
    while ((count = std::fread(block.data(), 1, block.size(), input)) > 0) {
        std::string_view rest(block.data(), count);
        for (auto newline = rest.find('\n'); newline != std::string_view::npos; newline = rest.find('\n')) {
            if (partial_line.empty()) {
                process(rest.substr(0, newline));
            } else {
                partial_line.append(rest.substr(0, newline));
                process(partial_line);
                partial_line.clear();
            }
            rest.remove_prefix(newline + 1);
        }
        partial_line.append(rest);
    }
    if (!partial_line.empty()) {
        process(partial_line);
    }
    if (std::ferror(input)) {
        err.pending() += "qxr-fanuc-cli: cannot read standard input\n";
        return exit_io_failure;
    }
    return status;
}

} // namespace qxrfanuc::cli
