// SPDX-License-Identifier: MIT
// --check, --map and --fix: what the program adds to the checker (file names, the summary, the exit
// status, the map, the fixed script), the checker's findings themselves being the reader test's.
#include "../generator_statements.h"
#include "../table_rows.h"
#include "../utf16_bytes.h"
#include "cli_run.h"
#include "scratch_file.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using table_rows::PrintTo;
using table_rows::row_name;

struct CheckCase {
    const char* name;
    std::string script;
    std::string out;     // the findings, each "LINE:COLUMN: ..." of <stdin>
    std::string summary; // "N statements found, C checked: ..."
    int exit_status;
};

class CliChecks : public testing::TestWithParam<CheckCase> {};

TEST_P(CliChecks, ReportsEachFindingOnItsLine) {
    const auto& c = GetParam();
    const auto result = cli({"--check"}, c.script);
    std::string expected;
    for (std::size_t start = 0; start < c.out.size();) {
        const auto end = c.out.find('\n', start) + 1;
        expected += "<stdin>:" + c.out.substr(start, end - start);
        start = end;
    }
    EXPECT_EQ(result.out, expected);
    EXPECT_EQ(result.err, "qxr-fanuc-cli: " + c.summary + "\n");
    EXPECT_EQ(result.exit_status, c.exit_status);
}

const std::string& read_12_1 = generator_statements::read_12_r1;
const std::string clean = "0 errors, 0 warnings, 0 notes";

// Every checked statement has a row, its inputs empty when it decodes to none; the unnamed type maps to
// the empty TYPE, which --batch takes back as that type.
TEST(CliCheck, MapListsEveryCheckedStatement) {
    const std::string script =
        read_12_1 + "\n  mb.Write(50,1025,24,1000); mb.Read(6,6,2,1000); mb.Read(x);\n" +
        "mb.Read(0,4,2,1000); // Read Value From Fanuc General Register [R] 1, and Store in QXR Register "
        "-1.\n" +
        "mb.Read(99999,4,2,-0001234567890123);\n" +
        "mb.Write(50,1025,24,1000);  // Read Value From QXR Register 101, and Store in Fanuc  3.\n" +
        "mb.Write(6,8,0,1000);\n";
    const auto map = cli({"--check", "--map"}, script);
    EXPECT_EQ(
        map.out,
        "file,line,column,function,qxr_index,fanuc_address,word_count,last_argument,QXR,FANUC,ITEMS,TYPE,"
        "qxr_first,qxr_last,fanuc_first,fanuc_last,registers,direction,label\r\n"
        "<stdin>,1,1,mb.Read,6,4,2,1000,12,1,1,R,12,13,1,1,R,read,\r\n"
        "<stdin>,2,3,mb.Write,50,1025,24,1000,100,3,2,PR,100,123,3,4,PR,write,\r\n"
        "<stdin>,2,30,mb.Read,6,6,2,1000,,,,,,,,,,read,\r\n"
        "<stdin>,3,1,mb.Read,0,4,2,1000,-1,1,1,R,0,1,1,1,R,read,\r\n"
        "<stdin>,4,1,mb.Read,99999,4,2,-0001234567890123,,,,,,,,,,read,\r\n"
        "<stdin>,5,1,mb.Write,50,1025,24,1000,101,3,2,,100,123,3,4,PR,write,\r\n"
        "<stdin>,6,1,mb.Write,6,8,0,1000,12,2,0,R,,,,,,write,\r\n");
    EXPECT_EQ(map.exit_status, 3);
    EXPECT_EQ(cli({"--write", "101", "3", "2", ""}).out,
              "mb.Write(50,1025,24,1000);  // Read Value From QXR Register 101, and Store in Fanuc  3.\n");
}

// RFC 4180, read back by a reader of its own: quoted fields, doubled quotes, line breaks inside quotes.
std::vector<std::vector<std::string>> read_csv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                rows.back().back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                rows.back().back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.emplace_back(1);
            ++i;
        } else {
            rows.back().back() += c;
        }
    }
    rows.pop_back(); // after the last line feed
    return rows;
}

TEST(CliCheck, MapQuotesFileNamesAsCsv) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows file names hold no quote and no line break";
#endif
    const ScratchFile script("a,b \"c\"\nd\x1B");
    script.write("mb.Read(6,4,2,1000);\n");
    const auto name = script.path().string();
    const auto map = cli({"--check", "--map", name});
    const auto rows = read_csv(map.out);
    ASSERT_EQ(rows.size(), 2U) << map.out;
    const std::string shown = name.substr(0, name.size() - 3) + "\\x0Ad\\x1B";
    EXPECT_EQ(rows[1], (std::vector<std::string>{shown, "1", "1", "mb.Read", "6", "4", "2", "1000", "12", "1",
                                                 "1", "R", "12", "13", "1", "1", "R", "read", ""}));
    const auto findings = cli({"--check", name}, "");
    EXPECT_EQ(findings.out, "");
    const auto wrong = ScratchFile("\x1B[31m\n");
    wrong.write("mb.Read(6,7,2,1000);\n");
    const auto wrong_name = wrong.path().string();
    EXPECT_EQ(cli({"--check", wrong_name}).out,
              wrong_name.substr(0, wrong_name.size() - 6) +
                  "\\x1B[31m\\x0A:1:1: error: Fanuc address 7 is on "
                  "neither the R grid (multiples of 4) nor the PR grid (1001 + 12k) [address]\n");
}

// A file name that a spreadsheet would run as a formula starts its cell with a ', and the cell still names
// it.
TEST(CliCheck, MapCellsNeverStartAFormula) {
    for (const std::string name :
         {"=HYPERLINK-qxr-fanuc-test.txt", "-qxr-fanuc-test.txt", "@qxr-fanuc-test.txt"}) {
        std::ofstream(name, std::ios::binary) << "mb.Read(6,4,2,1000);\n";
        const auto map = cli({"--check", "--map", "--", name});
        std::filesystem::remove(name);
        EXPECT_EQ(map.out.substr(map.out.find('\n') + 1),
                  "'" + name + ",1,1,mb.Read,6,4,2,1000,12,1,1,R,12,13,1,1,R,read,\r\n");
    }
}

const std::string read_7 = "mb.Read(7,4,2,1000);";
const std::string read_7_commented =
    "mb.Read(7,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR Register 14.";

// The findings go to standard error with the summary, which counts the comments written; the status is the
// one the fixed script checks with.
TEST(CliCheck, FixReportsOnStandardErrorWithTheStatusOfItsOutput) {
    const std::string lie = "mb.Read(7,4,2,1000); // Read Value From Fanuc General Register [R] 2, and Store "
                            "in QXR Register 14.\n";
    const auto fixed = cli({"--check", "--fix"}, lie + read_7 + "\n");
    EXPECT_EQ(fixed.out,
              read_7 + " // Read Value From Fanuc General Register [R] 1, and Store in QXR Register 14.\n" +
                  read_7_commented + "\n");
    EXPECT_EQ(
        fixed.err,
        "<stdin>:1:22: note: the comment is rewritten: it names Fanuc register 2, but the address is "
        "register R "
        "1 [fixed]\n<stdin>:2:1: warning: fills QXR 14 to 15, which the read at line 1 also fills (QXR 14 to "
        "15) "
        "[qxr-overlap]\n<stdin>:2:1: note: QXR registers 14 and 15 both halve to the QXR index 7; the "
        "comment "
        "written names 14, the even one [qxr-choice]\n"
        "qxr-fanuc-cli: 2 statements found, 2 checked: 0 errors, 1 warning, 2 notes; 2 comments written\n");
    EXPECT_EQ(fixed.exit_status, 0);
    EXPECT_EQ(cli({"--check"}, fixed.out).exit_status, 0);
    // What it leaves is what --check of its output reports.
    const auto left = cli({"--check", "--fix"}, "mb.Read(7,4,2,1000); // qxr 14\nmb.Read(6,6,2,1000);\n");
    EXPECT_EQ(left.exit_status, 3);
    EXPECT_EQ(cli({"--check"}, left.out).exit_status, 3);
    EXPECT_EQ(cli({"--check", "--fix"}, "mb.Read(7,4,2,1000); // qxr 14\n").exit_status, 4);
}

// The form the README gives: the file after the options.
TEST(CliCheck, FixOfANamedFile) {
    const ScratchFile script;
    script.write(read_7 + "\n");
    const auto result = cli({"--check", "--fix", script.path().string()});
    EXPECT_EQ(result.out, read_7_commented + "\n");
    EXPECT_EQ(result.exit_status, 0);
}

TEST(CliCheck, FixOfGeneratedStatementsChangesNothing) {
    std::string script;
    for (const auto& record : {"12,1,1,R", "13,200,30,R", "-32768,1,1,PR", "100,3,2,", "0,-5,-2,PR"}) {
        script += cli({"--batch"}, std::string(record) + "\n").out;
    }
    const auto fixed = cli({"--check", "--fix"}, script);
    EXPECT_EQ(fixed.out, script);
    EXPECT_TRUE(fixed.err.ends_with("0 comments written\n")) << fixed.err;
    // Without their comments they get them back, but for what the statement cannot tell: the odd QXR register
    // 13 halves to the same index as 12, which is written, and the unnamed type has the PR type's grid.
    std::string bare = script;
    for (std::size_t at = bare.find("  //"); at != std::string::npos; at = bare.find("  //", at)) {
        bare.erase(at, bare.find('\n', at) - at);
    }
    std::string expected = script;
    for (const auto& [from, to] :
         {std::pair{"Register 13", "Register 12"}, std::pair{"Fanuc  3", "Fanuc Position Register [PR] 3"}}) {
        for (auto at = expected.find(from); at != std::string::npos; at = expected.find(from)) {
            expected.replace(at, std::string_view(from).size(), to);
        }
    }
    EXPECT_EQ(cli({"--check", "--fix"}, bare).out, expected);
}

// A UTF-16 script is written back in UTF-16, in its own byte order, with its byte order mark.
TEST(CliCheck, FixWritesUtf16Back) {
    for (const bool little : {true, false}) {
        const auto fixed =
            cli({"--check", "--fix"},
                utf16_bytes(
                    u"// \u00e9\U0001F600\r\nmb.Read(7,4,2,1000); // Read Value From Fanuc General Register "
                    u"[R] 2, and Store in QXR Register 14. \u00e9\r\nmb.Read(7,4,2,1000);",
                    little));
        EXPECT_EQ(
            fixed.out,
            utf16_bytes(
                u"// \u00e9\U0001F600\r\nmb.Read(7,4,2,1000); // Read Value From Fanuc General "
                u"Register [R] 1, and Store in QXR Register 14. \u00e9\r\nmb.Read(7,4,2,1000);  // Read "
                u"Value From Fanuc General Register [R] 1, and Store in QXR Register 14.",
                little));
        EXPECT_EQ(fixed.exit_status, 0);
    }
}

TEST(CliCheck, UnreadableEncodingIsNeverASuccess) {
    std::string utf16;
    for (const char c : std::string("mb.Read(6,7,2,1000);\nmb.Read(6,7,2,1000);\n")) {
        utf16 += std::string{c, '\0'};
    }
    const auto result = cli({"--check"}, utf16);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(
        result.err,
        "qxr-fanuc-cli: cannot read \"<stdin>\": it cannot be read: it holds a NUL character at line 1, "
        "column 2 (a script is UTF-8, or UTF-16 with a byte order mark)\n"
        "qxr-fanuc-cli: 0 statements found, 0 checked: 0 errors, 0 warnings, 0 notes\n");
    EXPECT_EQ(result.exit_status, 1);
}

TEST(CliCheck, SummarySaysWhatWasNotRead) {
    const auto result = cli({"--check"}, "MB.READ(6,4,2,1000);\nmb.Read(6,4,2,1000); // \f mb.x\ns = 'a\n"
                                         "mb.Read(6,4,2,1000); // qxr 12\n/* x\n\n");
    EXPECT_EQ(
        result.err,
        "qxr-fanuc-cli: 2 statements found, 2 checked: 0 errors in what was read, 6 warnings, 0 notes; not "
        "read: 2 lines after a /* never closed, 1 string never closed, 1 look-alike statement, 1 text that a "
        "comment may hide, 1 comment not compared\n");
    EXPECT_EQ(result.exit_status, 4); // not read whole, though no error was found
    // An error found still gives the error's status.
    EXPECT_EQ(cli({"--check"}, "MB.READ(6,4,2,1000);\nmb.Read(6,7,2,1000);\n").exit_status, 3);
}

// A file's name is shown whole, but no control byte in it reaches the terminal.
TEST(CliCheck, NamesWithControlBytesAreEscaped) {
    const auto result = cli({"--check", "no\nsuch\x1B[31m"});
    EXPECT_TRUE(result.err.starts_with("qxr-fanuc-cli: cannot read \"no\\x0Asuch\\x1B[31m\": "))
        << result.err;
    EXPECT_EQ(result.exit_status, 1);
}

// Memory that runs out ends the check with a message and status 1, not an abort.
TEST(CliCheck, OutOfMemoryIsAFailureWithAMessage) {
#if defined(_WIN32) || defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "no cap on the address space here (Windows), or one the sanitizer cannot run under";
#endif
    const ScratchFile script;
    script.write(std::string(std::size_t{32} << 20U, 'x'));
    ProcessSetup setup;
    setup.address_space_limit = std::size_t{24} << 20U;
    const auto result = run_process(QXR_FANUC_CLI, {"--check", script.path().string()}, setup);
    EXPECT_EQ(result.err, "qxr-fanuc-cli: out of memory\n");
    EXPECT_EQ(result.exit_status, 1);
}

// A script of exactly the limit is read; one byte more is refused with its size, and the next one is still
// checked.
TEST(CliCheck, ScriptOverTheSizeLimitIsNotRead) {
    const ScratchFile limit;
    limit.write(std::string((std::size_t{64} << 20U) - 21, ' ') + "mb.Read(6,4,2,999);\n");
    EXPECT_EQ(cli({"--check", limit.path().string()}).exit_status, 0);
    const ScratchFile large;
    large.write("");
    std::filesystem::resize_file(large.path(), (std::uintmax_t{64} << 20U) + 1);
    const auto name = large.path().string();
    const auto result = cli({"--check", name, "-"}, "mb.Read(6,4,2,999);\n");
    EXPECT_EQ(result.out, "<stdin>:1:1: warning: last argument is 999; the generator always writes 1000 "
                          "[last-argument]\n");
    EXPECT_EQ(result.err,
              "qxr-fanuc-cli: cannot read \"" + name +
                  "\": it is 67108865 bytes, more than the 64 MiB (67108864 bytes) a script may "
                  "hold\nqxr-fanuc-cli: 1 statement found, 1 checked: 0 errors, 1 warning, 0 notes\n");
    EXPECT_EQ(result.exit_status, 1);
}

TEST(CliCheck, FilesInTurnAndOneThatCannotBeRead) {
    const ScratchFile script;
    script.write("mb.Read(6,6,2,1000);\n");
    const auto name = script.path().string();
    const auto directory = std::filesystem::temp_directory_path().string();
    const auto result = cli({"--check", name, directory, "-"}, "mb.Read(6,4,2,999);\n");
    EXPECT_EQ(result.out,
              name + ":1:1: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR "
                     "grid (1001 + 12k) [address]\n"
                     "<stdin>:1:1: warning: last argument is 999; the generator always writes 1000 "
                     "[last-argument]\n");
    EXPECT_TRUE(result.err.starts_with("qxr-fanuc-cli: cannot read \"" + directory + "\": ")) << result.err;
    EXPECT_TRUE(
        result.err.ends_with("\nqxr-fanuc-cli: 2 statements found, 2 checked: 1 error, 1 warning, 0 notes\n"))
        << result.err;
    EXPECT_EQ(result.exit_status, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Script, CliChecks,
    testing::Values(CheckCase{"GeneratedStatementsAreClean",
                              read_12_1 + "\n" + generator_statements::write_100_pr3 + "\n", "",
                              "2 statements found, 2 checked: " + clean, 0},
                    CheckCase{"WarningsAloneAreASuccess", "mb.Read(6,4,62,1000);\n",
                              "1:1: warning: item count 31 is outside 1 to 30 [range]\n",
                              "1 statement found, 1 checked: 0 errors, 1 warning, 0 notes", 0},
                    CheckCase{
                        "AnErrorIsNot", "mb.Read(6,6,2,1000); mb.Read(x,4,2,1000);\n",
                        "1:1: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR "
                        "grid (1001 + 12k) [address]\n"
                        "1:22: note: not checked: argument 1 is a name or an expression, not a number "
                        "[unchecked]\n",
                        "2 statements found, 1 checked: 1 error, 0 warnings, 1 note", 3}),
    row_name);

} // namespace

namespace {

// --fail-on: the least grave finding that fails the run, error by default.
TEST(CliCheck, FailOnSetsWhichFindingsFail) {
    const std::string write = generator_statements::write_12_r1 + "\n";
    const std::string odd =
        "mb.Read(6,40,10,1000);  // Read Value From Fanuc General Register [R] 10, and Store in "
        "QXR Register 13.\n";
    struct Run {
        std::string script;
        Arguments arguments;
        int exit_status;
    };
    for (const auto& run :
         {Run{write + write, {"--check"}, 0}, Run{write + write, {"--check", "--fail-on", "warning"}, 3},
          Run{write + write, {"--check", "--fail-on=error"}, 0},
          Run{odd, {"--fail-on", "warning", "--check"}, 0}, Run{odd, {"--check", "--fail-on", "note"}, 3},
          Run{write, {"--check", "--fail-on", "note"}, 0}}) {
        const auto result = cli(run.arguments, run.script);
        EXPECT_EQ(result.exit_status, run.exit_status) << run.script << result.out;
    }
    EXPECT_EQ(cli({"--check", "--fail-on", "warnings"}).err,
              "qxr-fanuc-cli: --fail-on takes error, warning or note, not \"warnings\"\n" + try_help);
    EXPECT_EQ(cli({"--fail-on", "warning"}).err, "qxr-fanuc-cli: --fail-on goes with --check\n" + try_help);
}

} // namespace

namespace {

// --select, --ignore and a comment on a finding's line leave findings out; each one is counted as silenced,
// and does not fail the run.
TEST(CliCheck, FindingsLeftOutAreCountedAsSilenced) {
    const std::string write = generator_statements::write_12_r1;
    const std::string script =
        write + "\n" + write + " // qxr-check: ignore range,overlap\nmb.Read(6,7,2,1000);\n" + write + "\r\n";
    const std::string address =
        "<stdin>:3:1: error: Fanuc address 7 is on neither the R grid (multiples of 4) "
        "nor the PR grid (1001 + 12k) [address]\n";
    const std::string overlap =
        "<stdin>:4:1: warning: writes R[1] (Fanuc address 4), which the write at line 2 "
        "also writes (R[1], Fanuc address 4) [overlap]\n";
    struct Run {
        Arguments arguments;
        std::string out;
        std::string summary;
        int exit_status;
    };
    for (const auto& run :
         {Run{{"--check"}, address + overlap, "1 error, 1 warning, 0 notes, 1 silenced", 3},
          Run{{"--check", "--ignore", "address"}, overlap, "0 errors, 1 warning, 0 notes, 2 silenced", 0},
          Run{{"--check", "--select", "address,comment", "--select=overlap"},
              address + overlap,
              "1 error, 1 warning, 0 notes, 1 silenced",
              3},
          Run{{"--check", "--select", "overlap", "--ignore", "overlap"},
              "",
              "0 errors, 0 warnings, 0 notes, 3 silenced",
              0}}) {
        const auto result = cli(run.arguments, script);
        EXPECT_EQ(result.out, run.out);
        EXPECT_EQ(result.err, "qxr-fanuc-cli: 4 statements found, 4 checked: " + run.summary + "\n");
        EXPECT_EQ(result.exit_status, run.exit_status);
    }
    EXPECT_EQ(cli({"--check", "--ignore", "overlap,overlaps"}).err,
              "qxr-fanuc-cli: --ignore: unknown check \"overlaps\"; --help lists the checks\n" + try_help);
}

} // namespace

namespace {

// Colour only where it is asked for and shows: the severity of a finding line, never in a map.
TEST(CliCheck, ColorOnlyWhereAsked) {
    const std::string script = "mb.Read(6,7,2,1000);\n";
    const std::string message =
        "Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid (1001 + 12k) [address]\n";
    EXPECT_EQ(cli({"--check", "--color", "always"}, script).out,
              "<stdin>:1:1: \x1B[1;31merror\x1B[0m: " + message);
    for (const auto* when : {"never", "auto"}) { // standard output is a file here
        EXPECT_EQ(cli({"--check", "--color", when}, script).out, "<stdin>:1:1: error: " + message);
    }
    const auto map = cli({"--check", "--map", "--color=always"}, script);
    EXPECT_EQ(map.out.find('\x1B'), std::string::npos);
    EXPECT_EQ(cli({"--check", "--color", "yes"}).err,
              "qxr-fanuc-cli: --color takes auto, always or never, not \"yes\"\n" + try_help);
}

} // namespace

namespace {

// A file whose name lies outside any ANSI code page (Greek, Cyrillic and CJK together) opens and is named
// as itself.
TEST(CliCheck, FileNameOutsideTheAnsiCodePage) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / u8"qxr-fanuc-ΩЖ語.txt";
    std::ofstream(path, std::ios::binary) << "mb.Read(6,7,2,1000);\n";
    const std::u8string name = path.u8string();
    const std::string utf8(name.begin(), name.end());
    const auto result = cli({"--check", utf8});
    std::filesystem::remove(path);
    EXPECT_EQ(result.out,
              utf8 + ":1:1: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR "
                     "grid (1001 + 12k) [address]\n");
    EXPECT_EQ(result.exit_status, 3) << result.err;
}

} // namespace
