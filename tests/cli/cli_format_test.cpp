// SPDX-License-Identifier: MIT
// --format json and sarif: the documents as written, line for line; the edits of --fix beside the findings
// they answer; columns in bytes for JSON, as the text output counts them, and in characters for SARIF; and
// whatever a script or a file name holds kept inside its strings. CI validates the SARIF documents against
// the SARIF 2.1.0 schema (scripts/validate-sarif.sh).
#include "checks.h"
#include "cli_run.h"
#include "scratch_file.h"
#include "version.h"

#include <cstddef>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A comment that lies (rewritten by --fix) and, on a line that starts with two letters of two bytes each, a
// statement with no comment (given one by --fix) that meets the first one's QXR registers.
const std::string script =
    "mb.Read(7,4,2,1000); // Read Value From Fanuc General Register [R] 2, and Store in QXR Register 14. "
    "parts\n"
    "\xC3\xA9\xC3\xA9 mb.Read(7,4,2,1000);\n";

const std::string rewritten = "Read Value From Fanuc General Register [R] 1, and Store in QXR Register 14.";
const std::string overlap = "fills QXR 14 to 15, which the read at line 1 also fills (QXR 14 to 15)";
const std::string choice =
    "QXR registers 14 and 15 both halve to the QXR index 7; the comment written names 14, the even one";

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

std::string summary_line(const std::string& counts) {
    return R"(  "summary": {"statements": 2, "checked": 2, )" + counts +
           R"(, "files_not_read": 0, "not_read": {"lines_after_open_comment": 0, "open_strings": 0, )"
           R"("look_alikes": 0, "hidden_texts": 0, "comments_not_compared": 0}})";
}

TEST(CliFormat, JsonHoldsEachFindingAndTheEditThatAnswersIt) {
    const auto fixed = cli({"--check", "--fix", "--format", "json"}, script);
    const std::string file = R"(    {"file": "<stdin>", )";
    EXPECT_EQ(
        lines_of(fixed.out),
        (std::vector<std::string>{
            "{",
            R"(  "version": 1,)",
            R"(  "findings": [)",
            file +
                R"("line": 1, "column": 22, "check": "fixed", "severity": "note", "message": )"
                R"("the comment is rewritten: it names Fanuc register 2, but the address is )"
                R"(register R 1", "edit": {"line": 1, "column": 25, "end_column": 100, "text": ")" +
                rewritten + R"("}},)",
            file +
                R"("line": 2, "column": 6, "check": "qxr-overlap", "severity": "warning", )"
                R"("message": ")" +
                overlap + R"("},)",
            file + R"("line": 2, "column": 6, "check": "qxr-choice", "severity": "note", "message": ")" +
                choice + R"(", "edit": {"line": 2, "column": 26, "end_column": 26, "text": "  // )" +
                rewritten + R"("}})",
            "  ],",
            R"(  "unread_files": [)",
            "  ],",
            summary_line(R"("errors": 0, "warnings": 1, "notes": 2, "silenced": 0, "edits": 2)"),
            "}",
        }));
    EXPECT_EQ(fixed.err,
              "qxr-fanuc-cli: 2 statements found, 2 checked: 0 errors, 1 warning, 2 notes; 2 edits "
              "given\n");
    EXPECT_EQ(fixed.exit_status, 0);
    // Without --fix the lie is an error, and nothing is edited.
    const auto checked = cli({"--check", "--format=json"}, script);
    EXPECT_EQ(lines_of(checked.out).at(3),
              file + R"("line": 1, "column": 22, "check": "comment", "severity": "error", "message": "the )"
                     R"(comment disagrees: it names Fanuc register 2, but the address is register R 1"},)");
    EXPECT_EQ(lines_of(checked.out).at(8),
              summary_line(R"("errors": 1, "warnings": 1, "notes": 0, "silenced": 0, "edits": 0)"));
    EXPECT_EQ(checked.exit_status, 3);
}

// An edit goes with the finding that says why; silenced, both are left out, and counted.
TEST(CliFormat, EditOfASilencedFindingIsLeftOutWithIt) {
    const auto result = cli({"--check", "--fix", "--format", "json", "--ignore", "qxr-choice"}, script);
    const auto lines = lines_of(result.out);
    ASSERT_EQ(lines.size(), 10U) << result.out;
    EXPECT_TRUE(lines[3].ends_with(R"("text": ")" + rewritten + R"("}},)")) << lines[3];
    EXPECT_TRUE(lines[4].ends_with(R"("message": ")" + overlap + R"("})")) << lines[4];
    EXPECT_EQ(lines[8], summary_line(R"("errors": 0, "warnings": 1, "notes": 1, "silenced": 1, "edits": 1)"));
}

// Lines end at CR LF and at a lone CR as well as at LF, for the findings and for their edits.
TEST(CliFormat, EditsArePlacedOnLinesOfEveryEnd) {
    const auto result = cli({"--check", "--fix", "--format", "json"},
                            "mb.Read(6,4,2,1000);\r\n\r\xC3\xA9 mb.Read(8,4,2,1000);\r");
    const auto lines = lines_of(result.out);
    ASSERT_GT(lines.size(), 4U) << result.out;
    const std::string comment =
        R"("text": "  // Read Value From Fanuc General Register [R] 1, and Store in QXR )";
    EXPECT_TRUE(lines[3].starts_with(R"(    {"file": "<stdin>", "line": 1, "column": 1, )")) << lines[3];
    EXPECT_TRUE(lines[3].ends_with(R"("edit": {"line": 1, "column": 21, "end_column": 21, )" + comment +
                                   R"(Register 12."}},)"))
        << lines[3];
    EXPECT_TRUE(lines[4].starts_with(R"(    {"file": "<stdin>", "line": 3, "column": 4, )")) << lines[4];
    EXPECT_TRUE(lines[4].ends_with(R"("edit": {"line": 3, "column": 24, "end_column": 24, )" + comment +
                                   R"(Register 16."}})"))
        << lines[4];
}

TEST(CliFormat, SarifListsTheChecksAsRulesAndTheFindingsAsResults) {
    const auto result = cli({"--check", "--fix", "--format", "sarif"}, script);
    const auto lines = lines_of(result.out);
    const std::size_t first_rule = 11;
    ASSERT_GT(lines.size(), first_rule + qxrfanuc::checks.size() + 10) << result.out;
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.begin() + first_rule),
              (std::vector<std::string>{
                  std::string(R"(  "$schema": "https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/)"
                              R"(schemas/sarif-schema-2.1.0.json",)"),
                  R"(  "version": "2.1.0",)",
                  R"(  "runs": [)",
                  R"(    {)",
                  R"(      "tool": {)",
                  R"(        "driver": {)",
                  R"(          "name": "qxr-fanuc-cli",)",
                  std::string(R"(          "version": ")" QXR_FANUC_VERSION R"(",)"),
                  std::string(R"(          "informationUri": ")" QXR_FANUC_HOMEPAGE R"(",)"),
                  R"(          "rules": [)",
              }));
    // One rule a check, in the table's order, so that a result's ruleIndex names its rule.
    for (std::size_t i = 0; i < qxrfanuc::checks.size(); ++i) {
        const auto& check = qxrfanuc::checks.at(i);
        EXPECT_EQ(lines.at(first_rule + i), R"(            {"id": ")" + std::string(check.name) +
                                                R"(", "shortDescription": {"text": ")" +
                                                std::string(check.meaning) +
                                                R"("}, "defaultConfiguration": {"level": ")" +
                                                std::string(qxrfanuc::severity_name(check.severity)) +
                                                R"("}})" + (i + 1 < qxrfanuc::checks.size() ? "," : ""));
    }
    const std::string location = R"(, "locations": [{"physicalLocation": {"artifactLocation": {"uri": )"
                                 R"("%3Cstdin%3E"}, "region": {"startLine": )";
    const std::string fix = R"(, "fixes": [{"description": {"text": "write the comment the generator writes )"
                            R"(for the statement"}, "artifactChanges": [{"artifactLocation": {"uri": )"
                            R"("%3Cstdin%3E"}, "replacements": [{"deletedRegion": {"startLine": )";
    EXPECT_EQ(
        std::vector<std::string>(lines.begin() + first_rule + qxrfanuc::checks.size(), lines.end()),
        (std::vector<std::string>{
            "          ]",
            "        }",
            "      },",
            R"(      "columnKind": "unicodeCodePoints",)",
            R"(      "results": [)",
            R"(        {"ruleId": "fixed", "ruleIndex": 18, "level": "note", "message": {"text": "the )"
            R"(comment is rewritten: it names Fanuc register 2, but the address is register R 1"})" +
                location + R"(1, "startColumn": 22}}}])" + fix +
                R"(1, "startColumn": 25, "endColumn": 100}, "insertedContent": {"text": ")" + rewritten +
                R"("}}]}]}]},)",
            R"(        {"ruleId": "qxr-overlap", "ruleIndex": 14, "level": "warning", "message": )"
            R"({"text": ")" +
                overlap + R"("})" + location + R"(2, "startColumn": 4}}}]},)",
            R"(        {"ruleId": "qxr-choice", "ruleIndex": 16, "level": "note", "message": {"text": ")" +
                choice + R"("})" + location + R"(2, "startColumn": 4}}}])" + fix +
                R"(2, "startColumn": 24, "endColumn": 24}, "insertedContent": {"text": "  // )" + rewritten +
                R"("}}]}]}]})",
            "      ],",
            R"(      "invocations": [{"executionSuccessful": true, "toolExecutionNotifications": []}],)",
            std::string(
                R"(      "properties": {"statements": 2, "checked": 2, "errors": 0, "warnings": 1, )"
                R"("notes": 2, "silenced": 0, "edits": 2, "files_not_read": 0, "not_read": )"
                R"({"lines_after_open_comment": 0, "open_strings": 0, "look_alikes": 0, "hidden_texts": )"
                R"(0, "comments_not_compared": 0}})"),
            "    }",
            "  ]",
            "}",
        }));
}

// Control characters, a bidirectional override, invalid UTF-8, quotes and backslashes in a script stay
// inside their strings, escaped as the text output escapes them; a file that cannot be read makes the run
// unsuccessful in the document too, and is named in it.
TEST(CliFormat, HostileTextStaysInsideItsStrings) {
    const ScratchFile file;
    file.write("mb.R\xFF"
               "ad(1,2,3,4);\nmb.Re\x1B"
               "ad(1,2,3,4); mb.R\xE2\x80\xAE"
               "ead(\"\\\n");
    const auto result = cli({"--check", "--format", "sarif", file.path().string(), "no-such-file"});
    const auto lines = lines_of(result.out);
    const std::size_t first_result = 11 + qxrfanuc::checks.size() + 5;
    ASSERT_GT(lines.size(), first_result + 4) << result.out;
    const std::string look_alike = R"(        {"ruleId": "look-alike", "ruleIndex": 2, "level": "warning", )"
                                   R"("message": {"text": "not read: \")";
    const std::string may_run = R"((\" may run as mb.Read(, but is not read as a statement, which only )"
                                R"(mb.Read( and mb.Write( are"})";
    EXPECT_TRUE(lines[first_result].starts_with(look_alike + R"(mb.R\\xFFad)" + may_run))
        << lines[first_result];
    EXPECT_TRUE(lines[first_result + 1].starts_with(look_alike + R"(mb.Re\\x1Bad)" + may_run));
    EXPECT_TRUE(lines[first_result + 2].starts_with(look_alike + R"(mb.R\\xE2\\x80\\xAEead)" + may_run));
    EXPECT_TRUE(lines[first_result + 2].ends_with(R"("region": {"startLine": 2, "startColumn": 20}}}]},)"));
    EXPECT_EQ(
        std::vector<std::string>(lines.begin() + first_result + 5, lines.begin() + first_result + 7),
        (std::vector<std::string>{
            R"(      "invocations": [{"executionSuccessful": false, "toolExecutionNotifications": [)",
            std::string(R"(        {"level": "error", "message": {"text": "cannot read it: No such file or )"
                        R"(directory"}, "locations": [{"physicalLocation": {"artifactLocation": {"uri": )"
                        R"("no-such-file"}}}]}]}],)"),
        }));
    EXPECT_EQ(result.exit_status, 1);
    const auto json = lines_of(cli({"--check", "--format", "json", "no-such-file", "-"}).out);
    ASSERT_EQ(json.size(), 9U);
    EXPECT_EQ(std::vector<std::string>(json.begin() + 4, json.begin() + 7),
              (std::vector<std::string>{
                  R"(  "unread_files": [)",
                  R"(    {"file": "no-such-file", "message": "No such file or directory"})",
                  "  ],",
              }));
}

#ifndef _WIN32
// A name is shown as the text output shows it, and named exactly in SARIF's URI.
TEST(CliFormat, FileNamesAsTextAndAsUris) {
    const ScratchFile file("-\"\\\x01 %\xC3\xA9\xFF.txt");
    file.write("mb.Read(6,7,2,1000);\n");
    const std::string name = file.path().string();
    const std::string stem = name.substr(0, name.size() - 13);
    const std::string shown = stem + R"(-\"\\\\x01 %)"
                                     "\xC3\xA9"
                                     R"(\\xFF.txt)";
    EXPECT_EQ(
        lines_of(cli({"--check", "--format", "json", name}).out).at(3),
        R"(    {"file": ")" + shown +
            R"x(", "line": 1, "column": 1, "check": "address", "severity": )x"
            R"x("error", "message": "Fanuc address 7 is on neither the R grid (multiples of 4) nor the )x"
            R"x(PR grid (1001 + 12k)"})x");
    const auto sarif = cli({"--check", "--format", "sarif", name}).out;
    EXPECT_NE(sarif.find(R"("uri": "file://)" + stem + R"(-%22%5C%01%20%25%C3%A9%FF.txt")"),
              std::string::npos)
        << sarif;
}
#else
// A Windows name from a drive's root becomes a file URI with forward slashes.
TEST(CliFormat, FileNamesAsUris) {
    const ScratchFile file(".txt");
    file.write("mb.Read(6,7,2,1000);\n");
    const auto sarif = cli({"--check", "--format", "sarif", file.path().string()}).out;
    EXPECT_NE(sarif.find(R"("uri": "file:///)" + file.path().generic_string() + '"'), std::string::npos)
        << sarif;
}
#endif

TEST(CliFormat, UsageErrors) {
    struct Run {
        Arguments arguments;
        std::string message;
    };
    for (const auto& run : {
             Run{{"--check", "--format", "xml"}, "--format takes text, json or sarif, not \"xml\""},
             Run{{"--check", "--map", "--format", "sarif"},
                 "--map prints a CSV map, not findings: it takes no --format but text"},
             Run{{"--format", "json", "12", "1", "1", "R"}, "--format goes with --check"},
         }) {
        const auto result = cli(run.arguments);
        EXPECT_EQ(result.err, "qxr-fanuc-cli: " + run.message + "\n" + try_help);
        EXPECT_EQ(result.exit_status, 2);
    }
    // Never coloured, whatever --color says.
    EXPECT_EQ(cli({"--check", "--format", "json", "--color", "always"}, script).out.find('\x1B'),
              std::string::npos);
}

} // namespace
