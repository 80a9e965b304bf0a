// SPDX-License-Identifier: MIT
#include "check_command.h"

#include "comment_fix.h"
#include "decimal_text.h"
#include "display_text.h"
#include "report.h"
#include "script_reader.h"

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
    std::array<std::size_t, 3> by_severity{}; // errors, warnings, notes
    UnreadTotals unread;
    std::size_t comments_written = 0;
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

// Where one script's findings go: lines on standard output, or with a fix on standard error.
class ScriptReport {
public:
    ScriptReport(std::string_view name, CheckOutput output, BufferedOutput& out, BufferedOutput& err,
                 Totals& totals)
        : shown_(display_escaped(name)), csv_name_(csv_field(display_escaped(name))), output_(output),
          findings_(output == CheckOutput::Fix ? err : out), out_(out), totals_(totals) {}

    void statement(const ScannedStatement& statement, const StatementCheck& result) {
        ++totals_.found;
        totals_.checked += statement.arguments ? 1 : 0;
        for (const auto& finding : result.findings) {
            this->finding(statement.line, statement.column, finding);
        }
        if (output_ == CheckOutput::Map && result.arguments) {
            write_map_row(statement, *result.arguments, result.inputs);
        }
    }

    void finding(std::size_t line, std::size_t column, const Finding& finding) {
        ++totals_.by_severity.at(static_cast<std::size_t>(finding.severity()));
        if (output_ == CheckOutput::Map) {
            return;
        }
        auto& text = findings_.pending();
        text += shown_;
        text += ':';
        append_decimal(text, static_cast<std::int64_t>(line));
        text += ':';
        append_decimal(text, static_cast<std::int64_t>(column));
        text += ": ";
        text += severity_name(finding.severity());
        text += ": ";
        text += finding.message;
        text += " [";
        text += finding.name();
        text += "]\n";
        findings_.flush_if_full();
    }

private:
    void write_map_row(const ScannedStatement& statement, const std::array<std::int64_t, 4>& arguments,
                       const std::optional<DecodedInputs>& inputs) {
        auto& text = out_.pending();
        text += csv_name_;
        text += ',' + std::to_string(statement.line) + ',' + std::to_string(statement.column) + ',';
        text += statement.is_write ? statement_text::write_name : statement_text::read_name;
        for (const auto argument : arguments) {
            text += ',' + std::to_string(argument);
        }
        if (inputs) {
            text += ',' + std::to_string(inputs->qxr) + ',' + std::to_string(inputs->fanuc) + ',' +
                    std::to_string(inputs->items) + ',';
            text += names_of(inputs->type).letters;
            text += '\n';
        } else {
            text += ",,,,\n";
        }
        out_.flush_if_full();
    }

    std::string shown_;
    std::string csv_name_;
    CheckOutput output_;
    BufferedOutput& findings_;
    BufferedOutput& out_;
    Totals& totals_;
};

// Checks one script; false when it could not be opened or read.
bool check_script(std::string_view name, CheckOutput output, BufferedOutput& out, BufferedOutput& err,
                  Totals& totals) {
    const bool standard_input = name == "-";
    const std::string shown = standard_input ? "<stdin>" : std::string(name);
    std::FILE* file = standard_input ? stdin : std::fopen(std::string(name).c_str(), "rb");
    const auto fail = [&](std::string_view why) {
        err.pending() +=
            "qxr-fanuc-cli: cannot read \"" + display_escaped(shown) + "\": " + std::string(why) + '\n';
        err.flush_if_full();
        return false;
    };
    if (file == nullptr) {
        return fail(std::strerror(errno));
    }
    ScriptReport report(shown, output, out, err, totals);
    CommentFix fix(out);
    ScriptReader reader(
        [&](const ScannedStatement& statement, const StatementCheck& result) {
            report.statement(statement, result);
            if (output == CheckOutput::Fix) {
                for (const auto& note : fix.statement(statement, result)) {
                    report.finding(statement.line, statement.column, note);
                }
            }
        },
        [&](std::size_t line, std::size_t column, const Finding& finding) {
            report.finding(line, column, finding);
        });
    std::vector<char> block(read_block_size);
    std::size_t count = 0;
    bool refused = false;
    while (!refused && (count = std::fread(block.data(), 1, block.size(), file)) > 0) {
        const std::string_view bytes(block.data(), count);
        if (output == CheckOutput::Fix) {
            fix.feed(bytes, reader);
        } else {
            reader.feed(bytes);
        }
        refused = reader.encoding() == ScriptEncoding::Unreadable ||
                  (output == CheckOutput::Fix && reader.encoding() != ScriptEncoding::Undecided &&
                   reader.encoding() != ScriptEncoding::Bytes);
    }
    const int read_error = std::ferror(file) != 0 ? (errno != 0 ? errno : EIO) : 0;
    if (!standard_input) {
        std::fclose(file);
    }
    if (read_error != 0) {
        return fail(std::strerror(read_error));
    }
    if (output == CheckOutput::Fix) {
        fix.finish(reader);
    } else {
        reader.finish();
    }
    if (const auto why = reader.unreadable_because()) {
        return fail(*why);
    }
    if (output == CheckOutput::Fix && reader.encoding() != ScriptEncoding::Bytes) {
        return fail("--fix writes UTF-8 scripts only, and this one is UTF-16; check it without --fix, or "
                    "save it as UTF-8");
    }
    totals.unread.hidden_lines += reader.unread().hidden_lines;
    totals.unread.look_alikes += reader.unread().look_alikes;
    totals.comments_written += fix.comments_written();
    return true;
}

std::string summary(const Totals& totals, CheckOutput output) {
    const bool whole = totals.unread.hidden_lines == 0 && totals.unread.look_alikes == 0;
    std::string text =
        "qxr-fanuc-cli: " + counted(totals.found, "statement") + " found, " + std::to_string(totals.checked) +
        " checked: " + counted(totals.by_severity[0], "error") + (whole ? "" : " in what was read") + ", " +
        counted(totals.by_severity[1], "warning") + ", " + counted(totals.by_severity[2], "note");
    if (!whole) {
        std::vector<std::string> parts;
        if (totals.unread.hidden_lines > 0) {
            parts.push_back(counted(totals.unread.hidden_lines, "line") + " after a /* never closed");
        }
        if (totals.unread.look_alikes > 0) {
            parts.push_back(counted(totals.unread.look_alikes, "look-alike statement"));
        }
        text += "; not read: " + parts.front() + (parts.size() > 1 ? ", " + parts.back() : std::string());
    }
    if (output == CheckOutput::Fix) {
        text += "; " + counted(totals.comments_written, "comment") + " written";
    }
    return text + '\n';
}

} // namespace

int run_check(std::span<const std::string_view> files, CheckOutput output, BufferedOutput& out,
              BufferedOutput& err) {
    static constexpr std::array<std::string_view, 1> standard_input{"-"};
    const auto scripts = files.empty() ? std::span<const std::string_view>(standard_input) : files;
    if (output == CheckOutput::Map) {
        out.pending() += map_header;
    }
    Totals totals;
    bool all_read = true;
    for (const auto name : scripts) {
        all_read = check_script(name, output, out, err, totals) && all_read;
    }
    err.pending() += summary(totals, output);
    if (!all_read) {
        return exit_io_failure;
    }
    return totals.by_severity[0] > 0 ? exit_errors_found : exit_success;
}

} // namespace qxrfanuc::cli
