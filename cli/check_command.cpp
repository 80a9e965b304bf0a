// SPDX-License-Identifier: MIT
#include "check_command.h"

#include "check_totals.h"
#include "csv.h"
#include "decimal_text.h"
#include "display_text.h"
#include "exit_status.h"
#include "file_names.h"
#include "messages.h"
#include "script_check.h"
#include "script_lines.h"
#include "script_text.h"
#include "statement_map.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <expected>
#include <filesystem>
#include <string>
#include <vector>

namespace qxrfanuc::cli {

namespace {

// The terminal's colour for a severity: bold red, bold magenta, bold cyan, as compilers colour them.
std::string_view severity_color(Severity severity) {
    constexpr std::array<std::string_view, 3> colors{"\x1B[1;31m", "\x1B[1;35m", "\x1B[1;36m"};
    return colors.at(static_cast<std::size_t>(severity));
}

// Where one script's findings go: lines on standard output, or with a fix on standard error; or into the
// document. In a document an edit of --fix goes with the finding reported just before it, the one that
// says why (the checker reports one before each edit, on the edit's line), and is left out with it when
// that finding is silenced.
class ScriptReport {
public:
    ScriptReport(std::string_view name, std::string_view text, const CheckSettings& settings,
                 BufferedOutput& out, BufferedOutput& err, CheckTotals& totals, FindingDocument* document)
        : shown_(display_escaped(name)), csv_name_(csv_field(display_escaped(name))), lines_(text),
          output_(settings.output), filter_(settings.filter), colored_(settings.colored),
          findings_(settings.output == CheckOutput::Fix ? err : out), out_(out), totals_(totals),
          document_(document) {
        if (document_ != nullptr) {
            document_->start_file(name);
        }
    }

    void statement(const Statement& statement, const StatementMeaning& meaning) {
        ++totals_.found;
        totals_.checked += statement.arguments ? 1 : 0;
        if (output_ == CheckOutput::Map && statement.arguments) {
            append_map_row(out_.pending(), csv_name_, statement, meaning);
            out_.flush_if_full();
        }
    }

    void finding(const Finding& finding) {
        add_pending(nullptr);
        if (finding.line != silenced_line_) {
            silenced_line_ = finding.line;
            silenced_ = silenced_on(lines_.line(finding.line));
        }
        if (!filter_.shows(finding.check, silenced_)) {
            ++totals_.silenced;
            return;
        }
        ++totals_.by_severity.at(static_cast<std::size_t>(finding.severity()));
        if (document_ != nullptr) {
            pending_ = finding;
        } else if (output_ != CheckOutput::Map) {
            append_line(finding);
        }
    }

    // An edit of --fix, given in the document.
    void edit(const Edit& edit) {
        if (!pending_) {
            return;
        }
        const TextPlace start = lines_.place_of(edit.offset);
        const TextPlace end{start.line, start.column + edit.length};
        const PlacedEdit placed{start, end.column, lines_.character_column(start),
                                lines_.character_column(end), edit.text};
        add_pending(&placed);
        ++totals_.edits;
    }

    // Adds the finding the document still waits for.
    void finish() { add_pending(nullptr); }

private:
    void add_pending(const PlacedEdit* edit) {
        if (pending_) {
            document_->add({*pending_, lines_.character_column({pending_->line, pending_->column}), edit});
            pending_.reset();
        }
    }

    void append_line(const Finding& finding) {
        auto& text = findings_.pending();
        text += shown_;
        text += ':';
        append_decimal(text, static_cast<std::int64_t>(finding.line));
        text += ':';
        append_decimal(text, static_cast<std::int64_t>(finding.column));
        text += ": ";
        text += colored_ ? severity_color(finding.severity()) : "";
        text += severity_name(finding.severity());
        text += colored_ ? "\x1B[0m: " : ": ";
        text += finding.message;
        text += " [";
        text += finding.name();
        text += "]\n";
        findings_.flush_if_full();
    }

    std::string shown_;
    std::string csv_name_;
    ScriptLines lines_;
    CheckOutput output_;
    const FindingFilter& filter_;
    bool colored_;
    BufferedOutput& findings_;
    BufferedOutput& out_;
    CheckTotals& totals_;
    FindingDocument* document_;
    std::optional<Finding> pending_; // a finding for the document, until it is known whether an edit follows
    std::size_t silenced_line_ = 0;  // the line of the last finding, and what its comment silences
    CheckSet silenced_;
};

// Why a script is not read: the most a script may hold, and its size where the file tells it (else 0).
std::string too_large(std::uintmax_t size) {
    const std::string limit = std::to_string(script_size_limit_mib) + " MiB (" +
                              std::to_string(script_size_limit) + " bytes) a script may hold";
    return size > script_size_limit ? "it is " + std::to_string(size) + " bytes, more than the " + limit
                                    : "it is more than the " + limit;
}

// The whole file, or standard input, up to the size a script may have; or why it cannot be read.
std::expected<std::string, std::string> read_all(std::FILE* file, std::string_view name) {
    std::string bytes;
    // A named file's size, told by the system: one too large is refused unread, and the bytes of one that
    // fits get room at once, so that they are not copied as the text grows.
    std::error_code error;
    const std::uintmax_t size = name == "-" ? 0 : file_size(name, error);
    if (!error && size > script_size_limit) {
        return std::unexpected(too_large(size));
    }
    if (!error) {
        bytes.reserve(static_cast<std::size_t>(size) + 1);
    }
    std::vector<char> block(io_block_size);
    std::size_t count = 0;
    while (bytes.size() <= script_size_limit &&
           (count = std::fread(block.data(), 1, block.size(), file)) > 0) {
        bytes.append(block.data(), count);
    }
    if (std::ferror(file) != 0) {
        return std::unexpected(std::strerror(errno != 0 ? errno : EIO));
    }
    if (bytes.size() > script_size_limit) {
        return std::unexpected(too_large(error ? 0 : size));
    }
    return bytes;
}

std::expected<std::string, std::string> read_script(std::string_view name) {
    if (name == "-") {
        return read_all(stdin, name);
    }
    std::FILE* file = open_for_reading(name);
    if (file == nullptr) {
        return std::unexpected(std::strerror(errno));
    }
    auto bytes = read_all(file, name);
    std::fclose(file);
    return bytes;
}

// Checks one script; one that cannot be opened or read is reported and counted.
void check_file(std::string_view name, const CheckSettings& settings, BufferedOutput& out,
                BufferedOutput& err, CheckTotals& totals, FindingDocument* document) {
    const std::string shown = name == "-" ? "<stdin>" : std::string(name);
    auto bytes = read_script(name);
    auto script = bytes ? decode_script(std::move(*bytes)) : std::unexpected(bytes.error());
    if (!script) {
        err.pending() += message("cannot read \"" + display_escaped(shown) + "\": " + script.error());
        err.flush_if_full();
        ++totals.files_not_read;
        if (document != nullptr) {
            document->file_not_read(shown, script.error());
        }
        return;
    }
    const bool fixing = settings.output == CheckOutput::Fix;
    ScriptReport report(shown, script->text, settings, out, err, totals, document);
    // The fixed script in its own encoding, a piece at a time; a document holds the edits instead.
    std::optional<EditedText> fixed;
    if (fixing && document == nullptr) {
        out.pending() += byte_order_mark_of(*script);
        fixed.emplace(script->text, [&](std::string_view piece) {
            append_encoded(out.pending(), *script, piece);
            out.flush_if_full();
        });
    }
    const UnreadTotals unread =
        check_script(script->text, fixing ? CommentFixing::On : CommentFixing::Off,
                     CheckSinks{[&](const Finding& finding) { report.finding(finding); },
                                [&](const Statement& statement, const StatementMeaning& meaning) {
                                    report.statement(statement, meaning);
                                },
                                [&](const Edit& edit) { fixed ? fixed->edit(edit) : report.edit(edit); }});
    report.finish();
    if (fixed) {
        totals.edits += fixed->finish();
    }
    totals.unread += unread;
}

std::string summary(const CheckTotals& totals, const CheckSettings& settings) {
    const bool whole = totals.unread.none();
    std::string text = std::string(program_name) + ": " + counted(totals.found, "statement") + " found, " +
                       std::to_string(totals.checked) +
                       " checked: " + counted(totals.by_severity[0], "error") +
                       (whole ? "" : " in what was read") + ", " + counted(totals.by_severity[1], "warning") +
                       ", " + counted(totals.by_severity[2], "note") +
                       (totals.silenced > 0 ? ", " + std::to_string(totals.silenced) + " silenced" : "");
    if (!whole) {
        std::vector<std::string> parts;
        if (totals.unread.hidden_lines > 0) {
            parts.push_back(counted(totals.unread.hidden_lines, "line") + " after a /* never closed");
        }
        if (totals.unread.open_strings > 0) {
            parts.push_back(counted(totals.unread.open_strings, "string") + " never closed");
        }
        if (totals.unread.look_alikes > 0) {
            parts.push_back(counted(totals.unread.look_alikes, "look-alike statement"));
        }
        if (totals.unread.hidden_texts > 0) {
            parts.push_back(counted(totals.unread.hidden_texts, "text") + " that a comment may hide");
        }
        if (totals.unread.comments_not_compared > 0) {
            parts.push_back(counted(totals.unread.comments_not_compared, "comment") + " not compared");
        }
        text += "; not read: " + parts.front();
        for (std::size_t i = 1; i < parts.size(); ++i) {
            text += ", " + parts[i];
        }
    }
    if (settings.output == CheckOutput::Fix) {
        text += "; " + (settings.format == FindingFormat::Text ? counted(totals.edits, "comment") + " written"
                                                               : counted(totals.edits, "edit") + " given");
    }
    return text + '\n';
}

} // namespace

int run_check(std::span<const std::string_view> files, const CheckSettings& settings, BufferedOutput& out,
              BufferedOutput& err) {
    static constexpr std::array<std::string_view, 1> standard_input{"-"};
    const auto scripts = files.empty() ? std::span<const std::string_view>(standard_input) : files;
    if (settings.output == CheckOutput::Map) {
        out.pending() += map_header();
    }
    std::optional<FindingDocument> document;
    if (settings.format != FindingFormat::Text) {
        document.emplace(settings.format, out);
    }
    CheckTotals totals;
    for (const auto name : scripts) {
        check_file(name, settings, out, err, totals, document ? &*document : nullptr);
    }
    if (document) {
        document->finish(totals);
    }
    err.pending() += summary(totals, settings);
    if (totals.files_not_read > 0) {
        return exit_io_failure;
    }
    const auto failing = std::span(totals.by_severity).first(static_cast<std::size_t>(settings.fail_on) + 1);
    if (std::ranges::any_of(failing, [](std::size_t count) { return count > 0; })) {
        return exit_errors_found;
    }
    return totals.unread.none() ? exit_success : exit_not_read_whole;
}

} // namespace qxrfanuc::cli
