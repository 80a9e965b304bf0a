// SPDX-License-Identifier: MIT
#include "finding_document.h"

#include "checks.h"
#include "display_text.h"
#include "file_names.h"
#include "json_text.h"
#include "messages.h"
#include "version.h"

#include <initializer_list>
#include <utility>

namespace qxrfanuc::cli {

namespace {

constexpr std::string_view sarif_schema =
    "https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/sarif-schema-2.1.0.json";

// What each fix of --fix does, in SARIF.
constexpr std::string_view fix_description = "write the comment the generator writes for the statement";

// Counts as JSON members, separated by commas.
void append_counts(std::string& out, std::initializer_list<std::pair<std::string_view, std::size_t>> counts) {
    std::string_view separator;
    for (const auto& [name, count] : counts) {
        out += separator;
        separator = ", ";
        append_json_member(out, name, count);
    }
}

// The totals as one JSON object, on one line.
void append_totals(std::string& out, const CheckTotals& totals) {
    const UnreadTotals& unread = totals.unread;
    out += '{';
    append_counts(out, {{"statements", totals.found},
                        {"checked", totals.checked},
                        {"errors", totals.by_severity[0]},
                        {"warnings", totals.by_severity[1]},
                        {"notes", totals.by_severity[2]},
                        {"silenced", totals.silenced},
                        {"edits", totals.edits},
                        {"files_not_read", totals.files_not_read}});
    out += R"(, "not_read": {)";
    append_counts(out, {{"lines_after_open_comment", unread.hidden_lines},
                        {"open_strings", unread.open_strings},
                        {"look_alikes", unread.look_alikes},
                        {"hidden_texts", unread.hidden_texts},
                        {"comments_not_compared", unread.comments_not_compared}});
    out += "}}";
}

// The tool and its rules, one line a check, as the table lists them.
void append_sarif_start(std::string& out) {
    out += "{\n  \"$schema\": ";
    append_json_string(out, sarif_schema);
    out += ",\n  \"version\": \"2.1.0\",\n  \"runs\": [\n    {\n      \"tool\": {\n        \"driver\": {\n"
           "          ";
    append_json_member(out, "name", program_name);
    out += ",\n          ";
    append_json_member(out, "version", QXR_FANUC_VERSION);
    out += ",\n          ";
    append_json_member(out, "informationUri", QXR_FANUC_HOMEPAGE);
    out += ",\n          \"rules\": [";
    for (const auto& info : checks) {
        out += info.check == checks.front().check ? "\n            {" : ",\n            {";
        append_json_member(out, "id", info.name);
        out += R"(, "shortDescription": {)";
        append_json_member(out, "text", info.meaning);
        out += R"(}, "defaultConfiguration": {)";
        append_json_member(out, "level", severity_name(info.severity));
        out += "}}";
    }
    out += "\n          ]\n        }\n      },\n      \"columnKind\": \"unicodeCodePoints\",\n      "
           "\"results\": [";
}

// A region of one line, from a column to the column before another (an empty one is a place to insert).
void append_sarif_region(std::string& out, std::string_view key, std::size_t line, std::size_t column,
                         std::optional<std::size_t> end_column) {
    append_json_string(out, key);
    out += ": {";
    append_json_member(out, "startLine", line);
    out += ", ";
    append_json_member(out, "startColumn", column);
    if (end_column) {
        out += ", ";
        append_json_member(out, "endColumn", *end_column);
    }
    out += '}';
}

} // namespace

FindingDocument::FindingDocument(FindingFormat format, BufferedOutput& out) : format_(format), out_(out) {
    if (format_ == FindingFormat::Sarif) {
        append_sarif_start(out_.pending());
    } else {
        out_.pending() += "{\n  \"version\": 1,\n  \"findings\": [";
    }
}

void FindingDocument::start_file(std::string_view name) {
    file_ = display_escaped(name);
    uri_ = file_uri(name);
}

void FindingDocument::add(const PlacedFinding& finding) {
    std::string& out = out_.pending();
    out += first_ ? "\n" : ",\n";
    first_ = false;
    if (format_ == FindingFormat::Sarif) {
        add_sarif(finding, out);
    } else {
        add_json(finding, out);
    }
    out_.flush_if_full();
}

void FindingDocument::add_json(const PlacedFinding& placed, std::string& out) const {
    const Finding& finding = placed.finding;
    out += "    {";
    append_json_member(out, "file", file_);
    out += ", ";
    append_json_member(out, "line", finding.line);
    out += ", ";
    append_json_member(out, "column", finding.column);
    out += ", ";
    append_json_member(out, "check", finding.name());
    out += ", ";
    append_json_member(out, "severity", severity_name(finding.severity()));
    out += ", ";
    append_json_member(out, "message", finding.message);
    if (const PlacedEdit* edit = placed.edit) {
        out += R"(, "edit": {)";
        append_json_member(out, "line", edit->start.line);
        out += ", ";
        append_json_member(out, "column", edit->start.column);
        out += ", ";
        append_json_member(out, "end_column", edit->end_column);
        out += ", ";
        append_json_member(out, "text", edit->text);
        out += '}';
    }
    out += '}';
}

void FindingDocument::add_sarif(const PlacedFinding& placed, std::string& out) const {
    const Finding& finding = placed.finding;
    out += "        {";
    append_json_member(out, "ruleId", finding.name());
    out += ", ";
    append_json_member(out, "ruleIndex", static_cast<std::size_t>(finding.check));
    out += ", ";
    append_json_member(out, "level", severity_name(finding.severity()));
    out += R"(, "message": {)";
    append_json_member(out, "text", finding.message);
    out += R"(}, "locations": [{"physicalLocation": {"artifactLocation": {)";
    append_json_member(out, "uri", uri_);
    out += "}, ";
    append_sarif_region(out, "region", finding.line, placed.character_column, std::nullopt);
    out += "}}]";
    if (const PlacedEdit* edit = placed.edit) {
        out += R"(, "fixes": [{"description": {)";
        append_json_member(out, "text", fix_description);
        out += R"(}, "artifactChanges": [{"artifactLocation": {)";
        append_json_member(out, "uri", uri_);
        out += R"(}, "replacements": [{)";
        append_sarif_region(out, "deletedRegion", edit->start.line, edit->start_character,
                            edit->end_character);
        out += R"(, "insertedContent": {)";
        append_json_member(out, "text", edit->text);
        out += "}}]}]}]";
    }
    out += '}';
}

void FindingDocument::file_not_read(std::string_view name, std::string_view why) {
    unread_files_.push_back({display_escaped(name), file_uri(name), std::string(why)});
}

// The files not read, one a line.
void FindingDocument::append_unread_files(std::string& out) const {
    out += "\n  ],\n  \"unread_files\": [";
    for (const auto& unread : unread_files_) {
        out += &unread == &unread_files_.front() ? "\n    {" : ",\n    {";
        append_json_member(out, "file", unread.file);
        out += ", ";
        append_json_member(out, "message", unread.why);
        out += '}';
    }
}

// Whether every file was read, and an error notification for each that was not.
void FindingDocument::append_invocation(std::string& out) const {
    out += "\n      ],\n      \"invocations\": [{\"executionSuccessful\": ";
    out += unread_files_.empty() ? "true" : "false";
    out += R"(, "toolExecutionNotifications": [)";
    for (const auto& unread : unread_files_) {
        out += &unread == &unread_files_.front() ? "\n        {" : ",\n        {";
        out += R"("level": "error", "message": {)";
        append_json_member(out, "text", "cannot read it: " + unread.why);
        out += R"(}, "locations": [{"physicalLocation": {"artifactLocation": {)";
        append_json_member(out, "uri", unread.uri);
        out += "}}}]}";
    }
    out += "]}]";
}

void FindingDocument::finish(const CheckTotals& totals) {
    std::string& out = out_.pending();
    if (format_ == FindingFormat::Sarif) {
        append_invocation(out);
        out += ",\n      \"properties\": ";
        append_totals(out, totals);
        out += "\n    }\n  ]\n}\n";
    } else {
        append_unread_files(out);
        out += "\n  ],\n  \"summary\": ";
        append_totals(out, totals);
        out += "\n}\n";
    }
}

} // namespace qxrfanuc::cli
