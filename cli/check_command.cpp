// SPDX-License-Identifier: MIT
#include "check_command.h"

#include "report.h"
#include "script_check.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace qxrfanuc::cli {

namespace {

constexpr std::size_t read_block_size = 1 << 16;
constexpr std::string_view map_header =
    "file,line,column,function,qxr_index,fanuc_address,word_count,last_argument,QXR,FANUC,ITEMS,TYPE\n";

struct Totals {
    std::size_t found = 0;
    std::size_t checked = 0;
    std::size_t errors = 0;
    std::size_t warnings = 0;
    std::size_t notes = 0;
};

// One CSV field: quoted, with its quotes doubled, when it holds a comma, a quote or a line break.
std::string csv_field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c == '"' ? "\"\"" : std::string(1, c);
    }
    return out + '"';
}

std::string counted(std::size_t count, std::string_view what) {
    return std::to_string(count) + ' ' + std::string(what) + (count == 1 ? "" : "s");
}

class ScriptReport {
public:
    ScriptReport(std::string_view name, bool map, BufferedOutput& out, Totals& totals)
        : shown_(controls_escaped(name)), csv_name_(csv_field(name)), map_(map), out_(out), totals_(totals) {}

    void statement(const ScannedStatement& statement) {
        const auto result = checker_.check(statement);
        ++totals_.found;
        totals_.checked += statement.arguments ? 1 : 0;
        for (const auto& finding : result.findings) {
            count(finding.severity);
            if (!map_) {
                write_finding(statement, finding);
            }
        }
        if (map_ && result.arguments) {
            write_map_row(statement, *result.arguments, result.inputs);
        }
        out_.flush_if_full();
    }

private:
    void count(Severity severity) {
        switch (severity) {
        case Severity::Error:
            ++totals_.errors;
            break;
        case Severity::Warning:
            ++totals_.warnings;
            break;
        case Severity::Note:
            ++totals_.notes;
            break;
        }
    }
    void write_finding(const ScannedStatement& statement, const Finding& finding) {
        auto& text = out_.pending();
        text += shown_;
        text += ':' + std::to_string(statement.line) + ':' + std::to_string(statement.column) + ": ";
        text += severity_name(finding.severity);
        text += ": ";
        text += finding.message;
        text += " [";
        text += finding.check;
        text += "]\n";
    }
    void write_map_row(const ScannedStatement& statement, const std::array<std::int16_t, 4>& arguments,
                       const std::optional<DecodedInputs>& inputs) {
        auto& text = out_.pending();
        text += csv_name_;
        text += ',' + std::to_string(statement.line) + ',' + std::to_string(statement.column) + ',';
        text += statement.is_write ? "mb.Write" : "mb.Read";
        for (const auto argument : arguments) {
            text += ',' + std::to_string(argument);
        }
        if (inputs) {
            text += ',' + std::to_string(inputs->qxr) + ',' + std::to_string(inputs->fanuc) + ',' +
                    std::to_string(inputs->items) + ',' + (inputs->general ? "R" : "PR") + '\n';
        } else {
            text += ",,,,\n";
        }
    }

    std::string shown_;
    std::string csv_name_;
    bool map_;
    BufferedOutput& out_;
    Totals& totals_;
    ScriptChecker checker_;
};

// Checks one script; false when it could not be opened or read.
bool check_script(std::string_view name, bool map, BufferedOutput& out, BufferedOutput& err, Totals& totals) {
    const bool standard_input = name == "-";
    const std::string shown = standard_input ? "<stdin>" : std::string(name);
    std::FILE* file = standard_input ? stdin : std::fopen(std::string(name).c_str(), "rb");
    const auto fail = [&](int error) {
        err.pending() +=
            "qxr-fanuc-cli: cannot read \"" + controls_escaped(shown) + "\": " + std::strerror(error) + '\n';
        err.flush_if_full();
        return false;
    };
    if (file == nullptr) {
        return fail(errno);
    }
    ScriptReport report(shown, map, out, totals);
    ScriptScanner scanner([&](const ScannedStatement& statement) { report.statement(statement); });
    std::vector<char> block(read_block_size);
    std::size_t count = 0;
    while ((count = std::fread(block.data(), 1, block.size(), file)) > 0) {
        scanner.feed(std::string_view(block.data(), count));
    }
    const int read_error = std::ferror(file) != 0 ? (errno != 0 ? errno : EIO) : 0;
    if (!standard_input) {
        std::fclose(file);
    }
    if (read_error != 0) {
        return fail(read_error);
    }
    scanner.finish();
    return true;
}

} // namespace

int run_check(std::span<const std::string_view> files, bool map, BufferedOutput& out, BufferedOutput& err) {
    static constexpr std::array<std::string_view, 1> standard_input{"-"};
    const auto scripts = files.empty() ? std::span<const std::string_view>(standard_input) : files;
    if (map) {
        out.pending() += map_header;
    }
    Totals totals;
    bool all_read = true;
    for (const auto name : scripts) {
        all_read = check_script(name, map, out, err, totals) && all_read;
    }
    err.pending() += "qxr-fanuc-cli: " + counted(totals.found, "statement") + " found, " +
                     std::to_string(totals.checked) + " checked: " + counted(totals.errors, "error") + ", " +
                     counted(totals.warnings, "warning") + ", " + counted(totals.notes, "note") + '\n';
    if (!all_read) {
        return exit_io_failure;
    }
    return totals.errors > 0 ? exit_errors_found : exit_success;
}

} // namespace qxrfanuc::cli
