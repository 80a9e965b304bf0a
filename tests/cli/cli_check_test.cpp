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
const std::string& write_12_1 = generator_statements::write_12_r1;
const std::string clean = "0 errors, 0 warnings, 0 notes";

// Every checked statement has a row, its inputs empty when it decodes to none; the unnamed type maps to
// the empty TYPE, which --batch takes back as that type.
TEST(CliCheck, MapListsEveryCheckedStatement) {
    const std::string script =
        read_12_1 + "\n  mb.Write(50,1025,24,1000); mb.Read(6,6,2,1000) mb.Read(x)\n" +
        "mb.Read(0,4,2,1000) // Read Value From Fanuc General Register [R] 1, and Store in QXR Register "
        "-1.\n" +
        "mb.Read(99999,4,2,-0001234567890123);\n" +
        "mb.Write(50,1025,24,1000);  // Read Value From QXR Register 101, and Store in Fanuc  3.\n";
    const auto map = cli({"--check", "--map"}, script);
    EXPECT_EQ(
        map.out,
        "file,line,column,function,qxr_index,fanuc_address,word_count,last_argument,QXR,FANUC,ITEMS,TYPE\r\n"
        "<stdin>,1,1,mb.Read,6,4,2,1000,12,1,1,R\r\n"
        "<stdin>,2,3,mb.Write,50,1025,24,1000,100,3,2,PR\r\n"
        "<stdin>,2,30,mb.Read,6,6,2,1000,,,,\r\n"
        "<stdin>,3,1,mb.Read,0,4,2,1000,-1,1,1,R\r\n"
        "<stdin>,4,1,mb.Read,99999,4,2,-0001234567890123,,,,\r\n"
        "<stdin>,5,1,mb.Write,50,1025,24,1000,101,3,2,\r\n");
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
                                                 "1", "R"}));
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
                  "'" + name + ",1,1,mb.Read,6,4,2,1000,12,1,1,R\r\n");
    }
}

// The script with every comment telling the truth, and nothing else changed.
TEST(CliCheck, FixRewritesOnlyComments) {
    const std::string script =
        "// background script\r\n" + read_12_1 + "\r\n" +
        "mb.Write(8,8,4,1000);  // Read Value From QXR Register 17, and Store in Fanuc "
        "General Register [R] 3.\r" +
        "mb.Read(7,4,2,1000);\t\n" + "mb.Read(7,4,2,1000) ; // pump speed\n" +
        "mb.Write(7,4,2,1000); mb.Read(7,4,2,1000);\n" + "mb.Read(7,4,2,1000)\n" +
        "mb.Read(7,4,2,1000); /* open */\n" + "mb.Read(count, 1025, 24, 1000);";
    const auto fixed = cli({"--check", "--fix"}, script);
    EXPECT_EQ(
        fixed.out,
        "// background script\r\n" + read_12_1 + "\r\n" +
            "mb.Write(8,8,4,1000);  // Read Value From QXR Register 17, and Store in Fanuc General "
            "Register [R] 2.\r" +
            "mb.Read(7,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
            "Register 14.\t\n" +
            "mb.Read(7,4,2,1000) ; // pump speed\n" +
            "mb.Write(7,4,2,1000); mb.Read(7,4,2,1000);  // Read Value From Fanuc General Register [R] 1, "
            "and Store in QXR Register 14.\n" +
            "mb.Read(7,4,2,1000)  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
            "Register 14.\n" +
            "mb.Read(7,4,2,1000); /* open */\n" + "mb.Read(count, 1025, 24, 1000);");
    EXPECT_EQ(
        fixed.err,
        "<stdin>:3:1: error: the comment disagrees: it names Fanuc register 3, but the address is register "
        "R 2 [comment]\n"
        "<stdin>:4:1: note: QXR registers 14 and 15 both halve to the QXR index 7; the comment written "
        "names 14, the even one [qxr-choice]\n"
        "<stdin>:5:1: note: the script's own comment is kept, so the generator's is not written "
        "[own-comment]\n"
        "<stdin>:6:23: note: QXR registers 14 and 15 both halve to the QXR index 7; the comment written "
        "names 14, the even one [qxr-choice]\n"
        "<stdin>:7:1: note: QXR registers 14 and 15 both halve to the QXR index 7; the comment written "
        "names 14, the even one [qxr-choice]\n"
        "<stdin>:9:1: note: not checked: argument 1 is not a plain integer [unchecked]\n"
        "qxr-fanuc-cli: 9 statements found, 8 checked: 1 error, 0 warnings, 5 notes; 4 comments written\n");
    EXPECT_EQ(fixed.exit_status, 3);
    const auto again = cli({"--check", "--fix"}, fixed.out);
    EXPECT_EQ(again.out, fixed.out);
    EXPECT_EQ(again.err.find("[comment]"), std::string::npos) << again.err;
}

// --fix on whole scripts: its output and its findings compared whole.
struct FixCase {
    const char* name;
    std::string script;
    std::string fixed;
    std::string err;
};

class CliFixes : public testing::TestWithParam<FixCase> {};

TEST_P(CliFixes, WritesEveryCommentAndNothingElse) {
    const auto result = cli({"--check", "--fix"}, GetParam().script);
    EXPECT_EQ(result.out, GetParam().fixed);
    EXPECT_EQ(result.err, GetParam().err);
}

const std::string read_7 = "mb.Read(7,4,2,1000);";
const std::string read_7_commented =
    "mb.Read(7,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR Register 14.";
const std::string choice_7 = "note: QXR registers 14 and 15 both halve to the QXR index 7; the comment "
                             "written names 14, the even one [qxr-choice]\n";

// The same line, count times, each ending in LF.
std::string lines_of(const std::string& line, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += line + "\n";
    }
    return out;
}

std::string choices_7(std::size_t count) {
    std::string out;
    for (std::size_t i = 1; i <= count; ++i) {
        out += "<stdin>:" + std::to_string(i) + ":1: " + choice_7;
    }
    return out;
}

// Comments that do not tell the truth, which --fix cannot rewrite: it leaves the script as it is.
const std::string unfixable =
    "mb.Read(6,4,2,1000);; // Read Value From Fanuc General Register [R] 9, and Store in QXR Register 12.\n"
    "mb.Read(6,4,2,1000); /* Read Value From Fanuc General Register [R] 9, and Store in QXR Register 12. */\n"
    "mb.Read(6,4,2,1000); // note: Read Value From Fanuc General Register [R] 9, and Store in QXR Register "
    "12.\n"
    "mb.Read(6,6,2,1000); // Read Value From Fanuc General Register [R] 1, and Store in QXR Register 14.\n";

INSTANTIATE_TEST_SUITE_P(
    Script, CliFixes,
    testing::Values(
        FixCase{"ByteOrderMarkAndACommentOnTheFirstLine", "\xEF\xBB\xBF" + read_7 + "\nx\n",
                "\xEF\xBB\xBF" + read_7_commented + "\nx\n",
                "<stdin>:1:1: " + choice_7 +
                    "qxr-fanuc-cli: 1 statement found, 1 checked: 0 errors, 0 warnings, 1 note; 1 comment "
                    "written\n"},
        FixCase{"CarriageReturnLineFeedThenAnEmptyLine", read_7 + "\r\n\r\n" + read_7,
                read_7_commented + "\r\n\r\n" + read_7_commented,
                "<stdin>:1:1: " + choice_7 + "<stdin>:3:1: " + choice_7 +
                    "qxr-fanuc-cli: 2 statements found, 2 checked: 0 errors, 0 warnings, 2 notes; 2 comments "
                    "written\n"},
        FixCase{"LongerThanAReadBlock", lines_of(read_7, 300), lines_of(read_7_commented, 300),
                choices_7(300) + "qxr-fanuc-cli: 300 statements found, 300 checked: 0 errors, 0 warnings, "
                                 "300 notes; 300 comments written\n"},
        FixCase{"LongerThan64KiB", lines_of(read_7, 4000), lines_of(read_7_commented, 4000),
                choices_7(4000) + "qxr-fanuc-cli: 4000 statements found, 4000 checked: 0 errors, 0 warnings, "
                                  "4000 notes; 4000 comments written\n"},
        FixCase{
            "CommentsItCannotRewriteAreReported", unfixable, unfixable,
            "<stdin>:1:1: error: the comment disagrees: it names Fanuc register 9, but the address is "
            "register "
            "R 1 [comment]\n"
            "<stdin>:1:1: warning: --fix leaves the comment as it is: code or another comment stands between "
            "the statement and its comment [unfixed]\n"
            "<stdin>:2:1: error: the comment disagrees: it names Fanuc register 9, but the address is "
            "register "
            "R 1 [comment]\n"
            "<stdin>:2:1: warning: --fix leaves the comment as it is: it is a /* */ comment, and --fix "
            "writes "
            "// comments only [unfixed]\n"
            "<stdin>:3:1: note: the comment is not compared: it holds the generator's wording, but other "
            "words stand before it [comment-form]\n"
            "<stdin>:3:1: warning: --fix leaves the comment as it is: it holds the generator's wording "
            "dressed "
            "otherwise, and --fix rewrites only comments that begin with it [unfixed]\n"
            "<stdin>:4:1: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR grid "
            "(1001 + 12k) [address]\n"
            "<stdin>:4:1: error: the comment disagrees: it names QXR register 14, whose half is not the QXR "
            "index 6 [comment]\n"
            "<stdin>:4:1: warning: --fix leaves the comment as it is: the statement decodes to no generator "
            "inputs, so there is no comment to write for it [unfixed]\n"
            "qxr-fanuc-cli: 4 statements found, 4 checked: 4 errors, 4 warnings, 1 note; 0 comments "
            "written\n"},
        FixCase{
            "KeepsTheScriptsWordsAndItsQxrRegister",
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 9, and Store in QXR "
            "Register "
            "13. DO NOT CHANGE, see ticket #123\n"
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 9, and Store in QXR "
            "Register 13\n",
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
            "Register "
            "13. DO NOT CHANGE, see ticket #123\n"
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
            "Register "
            "13.\n",
            "<stdin>:1:1: error: the comment disagrees: it names Fanuc register 9, but the address is "
            "register "
            "R 1 [comment]\n"
            "<stdin>:2:1: note: the comment is not compared: it begins like the generator's, but it does not "
            "end with a period [comment-form]\n"
            "qxr-fanuc-cli: 2 statements found, 2 checked: 1 error, 0 warnings, 1 note; 2 comments "
            "written\n"},
        FixCase{"IndexZeroHasThreeRegisters", "mb.Read(0,4,2,1000);",
                "mb.Read(0,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
                "Register 0.",
                "<stdin>:1:1: warning: QXR register 0 is outside 12 to 16000 [range]\n"
                "<stdin>:1:1: note: QXR registers -1, 0 and 1 all halve to the QXR index 0; the comment "
                "written names 0, the even one [qxr-choice]\n"
                "qxr-fanuc-cli: 1 statement found, 1 checked: 0 errors, 1 warning, 1 note; 1 comment "
                "written\n"}),
    row_name);

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
        const auto fixed = cli({"--check", "--fix"},
                               utf16_bytes(u"// \u00e9\U0001F600\r\nmb.Read(7,4,2,1000);\r\n", little));
        EXPECT_EQ(
            fixed.out,
            utf16_bytes(u"// \u00e9\U0001F600\r\nmb.Read(7,4,2,1000);  // Read Value From Fanuc General "
                        u"Register [R] 1, and Store in QXR Register 14.\r\n",
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
    EXPECT_EQ(result.err,
              "qxr-fanuc-cli: cannot read \"<stdin>\": its encoding cannot be read: it has NUL bytes "
              "in most lines (save it as UTF-8, or as UTF-16 with a byte order mark)\n"
              "qxr-fanuc-cli: 0 statements found, 0 checked: 0 errors, 0 warnings, 0 notes\n");
    EXPECT_EQ(result.exit_status, 1);
}

TEST(CliCheck, SummarySaysWhatWasNotRead) {
    const auto result = cli({"--check"}, "MB.READ(6,4,2,1000);\nmb.Read(6,4,2,1000); // \f x\n/* x\n\n");
    EXPECT_EQ(result.err,
              "qxr-fanuc-cli: 1 statement found, 1 checked: 0 errors in what was read, 2 warnings, 1 "
              "note; not read: 2 lines after a /* never closed, 1 look-alike statement, 1 text that a "
              "comment may hide\n");
    EXPECT_EQ(result.exit_status, 4); // not read whole, though no error was found
}

TEST(CliCheck, ALookAlikeAloneIsNotReadWhole) {
    const auto result = cli({"--check"}, "MB.READ(6,4,2,1000);\n");
    EXPECT_EQ(result.err,
              "qxr-fanuc-cli: 0 statements found, 0 checked: 0 errors in what was read, 0 warnings, "
              "1 note; not read: 1 look-alike statement\n");
    EXPECT_EQ(result.exit_status, 4);
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

// A script larger than the limit is refused with its size, and the next one is still checked.
TEST(CliCheck, ScriptOverTheSizeLimitIsNotRead) {
    const ScratchFile large;
    large.write("");
    std::filesystem::resize_file(large.path(), (std::uintmax_t{64} << 20U) + 1);
    const auto name = large.path().string();
    const auto result = cli({"--check", name, "-"}, "mb.Read(6,4,2,999)\n");
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
    script.write("mb.Read(6,6,2,1000)\n");
    const auto name = script.path().string();
    const auto directory = std::filesystem::temp_directory_path().string();
    const auto result = cli({"--check", name, directory, "-"}, "mb.Read(6,4,2,999)\n");
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
    testing::Values(CheckCase{"GeneratedStatementsAreClean", read_12_1 + "\n" + write_12_1 + "\n", "",
                              "2 statements found, 2 checked: " + clean, 0},
                    CheckCase{"WarningsAloneAreASuccess", "mb.Read(6,4,62,1000)\n",
                              "1:1: warning: item count 31 is outside 1 to 30 [range]\n",
                              "1 statement found, 1 checked: 0 errors, 1 warning, 0 notes", 0},
                    CheckCase{
                        "AnErrorIsNot", "mb.Read(6,6,2,1000) mb.Read(x)\n",
                        "1:1: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR "
                        "grid (1001 + 12k) [address]\n"
                        "1:21: note: not checked: 1 argument, not 4 [unchecked]\n",
                        "2 statements found, 1 checked: 1 error, 0 warnings, 1 note", 3}),
    row_name);

} // namespace
