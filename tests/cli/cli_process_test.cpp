// SPDX-License-Identifier: MIT
#include "../table_rows.h"
#include "../utf16_bytes.h"
#include "checks.h"
#include "process.h"
#include "scratch_file.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using table_rows::PrintTo;
using table_rows::row_name;

using Arguments = std::vector<std::string>;

ProcessResult cli(const Arguments& arguments, const std::string& input = {}) {
    ProcessSetup setup;
    setup.input = input;
    return run_process(QXR_FANUC_CLI, arguments, setup);
}

const std::string default_read =
    "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12.\n";
const std::string default_write =
    "mb.Write(6,4,2,1000);  // Read Value From QXR Register 12, and Store in Fanuc General Register [R] 1.\n";
const std::string pr_read =
    "mb.Read(50,1025,24,1000);  // Read Value From Fanuc Position Register [PR] 3, and "
    "Store in QXR Register 100.\n";
const std::string pr_write =
    "mb.Write(50,1025,24,1000);  // Read Value From QXR Register 100, and Store in Fanuc "
    "Position Register [PR] 3.\n";

struct SuccessCase {
    const char* name;
    Arguments arguments;
    std::string out;
};

class CliSucceeds : public testing::TestWithParam<SuccessCase> {};

TEST_P(CliSucceeds, PrintsExactlyTheStatements) {
    const auto result = cli(GetParam().arguments);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.out, GetParam().out);
    EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Single, CliSucceeds,
    testing::Values(
        SuccessCase{"ShortType", {"12", "1", "1", "R"}, default_read + default_write},
        SuccessCase{"FullType", {"12", "1", "1", "General Register [R]"}, default_read + default_write},
        SuccessCase{"ReadOnly", {"--read", "12", "1", "1", "R"}, default_read},
        SuccessCase{"WriteOnly", {"--write", "12", "1", "1", "R"}, default_write},
        SuccessCase{"ShortRead", {"-r", "12", "1", "1", "R"}, default_read},
        SuccessCase{"ShortWrite", {"-w", "12", "1", "1", "R"}, default_write},
        SuccessCase{
            "LongRunsOfZeros",
            {"-r", "0000000000012", "-0000000000001", "000000", "R"},
            "mb.Read(6,-4,0,1000);  // Read Value From Fanuc General Register [R] -1, and Store in QXR "
            "Register 12.\n"},
        SuccessCase{"PositionShort", {"100", "3", "2", "PR"}, pr_read + pr_write},
        SuccessCase{"PositionFull", {"100", "3", "2", "Position Register [PR]"}, pr_read + pr_write},
        SuccessCase{"OptionsEnd", {"--", "100", "3", "2", "PR"}, pr_read + pr_write},
        SuccessCase{
            "NegativeNeedsNoSeparator",
            {"--read", "-13", "0", "-3", "PR"},
            "mb.Read(-6,989,-36,1000);  // Read Value From Fanuc Position Register [PR] 0, and Store in "
            "QXR Register -13.\n"},
        SuccessCase{
            "EmptyType",
            {"--write", "12", "1", "1", ""},
            "mb.Write(6,1001,12,1000);  // Read Value From QXR Register 12, and Store in Fanuc  1.\n"}),
    row_name);

struct FailureCase {
    const char* name;
    Arguments arguments;
    int exit_status;
    std::string err; // the whole of standard error
};

class CliFails : public testing::TestWithParam<FailureCase> {};

TEST_P(CliFails, WithStatusAndOneClearMessage) {
    const auto result = cli(GetParam().arguments);
    EXPECT_EQ(result.exit_status, GetParam().exit_status);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, GetParam().err);
}

const std::string not_a_number =
    ": not a number (expected digits with an optional sign and fraction, like -12 or 2.5)\n";
const std::string out_of_range = ": outside -32768 to 32767\n";

INSTANTIATE_TEST_SUITE_P(
    Generation, CliFails,
    testing::Values(
        FailureCase{"FanucNotANumber",
                    {"12", "12a", "1", "R"},
                    13,
                    "qxr-fanuc-cli: error 13: Type mismatch in the Fanuc register \"12a\"" + not_a_number},
        FailureCase{"EmptyQxr",
                    {"", "1", "1", "R"},
                    13,
                    "qxr-fanuc-cli: error 13: Type mismatch in the QXR register \"\"" + not_a_number},
        FailureCase{"DoubleDashIsAText",
                    {"--1", "1", "1", "R"},
                    13,
                    "qxr-fanuc-cli: error 13: Type mismatch in the QXR register \"--1\"" + not_a_number},
        FailureCase{"OptionAfterSeparatorIsAText",
                    {"--", "--read", "1", "1", "R"},
                    13,
                    "qxr-fanuc-cli: error 13: Type mismatch in the QXR register \"--read\"" + not_a_number},
        FailureCase{"FanucNamedWhenItemsAreBadToo",
                    {"12", "x", "y", "R"},
                    13,
                    "qxr-fanuc-cli: error 13: Type mismatch in the Fanuc register \"x\"" + not_a_number},
        FailureCase{"ItemsOutOfRange",
                    {"12", "1", "40000", "R"},
                    6,
                    "qxr-fanuc-cli: error 6: Overflow in the item count \"40000\"" + out_of_range},
        FailureCase{"WouldWrapThirtyTwoBits",
                    {"4294967308", "1", "1", "R"},
                    6,
                    "qxr-fanuc-cli: error 6: Overflow in the QXR register \"4294967308\"" + out_of_range},
        FailureCase{"AddressOverflow",
                    {"12", "8192", "1", "R"},
                    6,
                    "qxr-fanuc-cli: error 6: Overflow in the Fanuc address computed from the Fanuc register "
                    "\"8192\"" +
                        out_of_range},
        FailureCase{"WordCountOverflow",
                    {"--read", "12", "1", "2731", "PR"},
                    6,
                    "qxr-fanuc-cli: error 6: Overflow in the word count computed from the item count "
                    "\"2731\"" +
                        out_of_range},
        FailureCase{
            "QuotesBackslashesAndControlBytesEscaped",
            {"a\"b\\c\x1B[31m\n\x7F\xC3\xA9", "1", "1", "R"},
            13,
            R"(qxr-fanuc-cli: error 13: Type mismatch in the QXR register "a\"b\\c\x1B[31m\x0A\x7F\xC3\xA9")" +
                not_a_number},
        FailureCase{"LongTextCut",
                    {std::string(41, '7'), "1", "1", "R"},
                    6,
                    "qxr-fanuc-cli: error 6: Overflow in the QXR register \"" + std::string(40, '7') +
                        "...\" (41 bytes)" + out_of_range},
        FailureCase{"FortyBytesNotCut",
                    {std::string(40, 'x'), "1", "1", "R"},
                    13,
                    "qxr-fanuc-cli: error 13: Type mismatch in the QXR register \"" + std::string(40, 'x') +
                        "\"" + not_a_number}),
    row_name);

const std::string try_help = "Try 'qxr-fanuc-cli --help' for more information.\n";

INSTANTIATE_TEST_SUITE_P(
    Usage, CliFails,
    testing::Values(
        FailureCase{"NoArguments",
                    {},
                    2,
                    "qxr-fanuc-cli: expected 4 arguments QXR FANUC ITEMS TYPE, got 0\n" + try_help},
        FailureCase{"TooFew",
                    {"12", "1", "1"},
                    2,
                    "qxr-fanuc-cli: expected 4 arguments QXR FANUC ITEMS TYPE, got 3\n" + try_help},
        FailureCase{"TooMany",
                    {"12", "1", "1", "R", "R"},
                    2,
                    "qxr-fanuc-cli: expected 4 arguments QXR FANUC ITEMS TYPE, got 5\n" + try_help},
        FailureCase{"UnknownType",
                    {"12", "1", "1", "r"},
                    2,
                    "qxr-fanuc-cli: unknown TYPE \"r\". TYPE is R, PR, \"General Register [R]\", \"Position "
                    "Register [PR]\" or \"\" (no type picked).\n" +
                        try_help},
        FailureCase{
            "TypeWithExtraBlank",
            {"12", "1", "1", "General Register  [R]"},
            2,
            "qxr-fanuc-cli: unknown TYPE \"General Register  [R]\". TYPE is R, PR, \"General Register "
            "[R]\", \"Position Register [PR]\" or \"\" (no type picked).\n" +
                try_help},
        FailureCase{"UnknownOption",
                    {"--frobnicate", "12", "1", "1", "R"},
                    2,
                    "qxr-fanuc-cli: unknown option \"--frobnicate\"\n" + try_help},
        FailureCase{
            "ReadAndWrite",
            {"-r", "--write", "12", "1", "1", "R"},
            2,
            "qxr-fanuc-cli: --read and --write exclude each other; give neither for both statements\n" +
                try_help},
        FailureCase{"OptionAfterTexts",
                    {"12", "1", "1", "R", "-r"},
                    2,
                    "qxr-fanuc-cli: option \"-r\" must come before QXR FANUC ITEMS TYPE\n" + try_help},
        FailureCase{"ShortOptionIsExactlyOneLetter",
                    {"-rw", "12", "1", "1", "R"},
                    2,
                    "qxr-fanuc-cli: expected 4 arguments QXR FANUC ITEMS TYPE, got 5\n" + try_help},
        FailureCase{"CheckWithRead",
                    {"--check", "--read", "a.txt"},
                    2,
                    "qxr-fanuc-cli: --check combines with no option but --map or --fix\n" + try_help},
        FailureCase{"CheckWithBatch",
                    {"--check", "--batch"},
                    2,
                    "qxr-fanuc-cli: --check combines with no option but --map or --fix\n" + try_help},
        FailureCase{"CheckWithWrite",
                    {"--write", "--check"},
                    2,
                    "qxr-fanuc-cli: --check combines with no option but --map or --fix\n" + try_help},
        FailureCase{
            "MapWithoutCheck", {"--map", "a.txt"}, 2, "qxr-fanuc-cli: --map goes with --check\n" + try_help},
        FailureCase{
            "FixWithoutCheck", {"--fix", "a.txt"}, 2, "qxr-fanuc-cli: --fix goes with --check\n" + try_help},
        FailureCase{"MapAndFix",
                    {"--check", "--map", "--fix", "a.txt"},
                    2,
                    "qxr-fanuc-cli: --map and --fix exclude each other\n" + try_help},
        FailureCase{
            "FixTwoFiles",
            {"--check", "--fix", "a.txt", "b.txt"},
            2,
            "qxr-fanuc-cli: --fix writes one script: give one FILE, or - or none for standard input\n" +
                try_help},
        FailureCase{"OptionAfterFiles",
                    {"--check", "a.txt", "--map"},
                    2,
                    "qxr-fanuc-cli: option \"--map\" must come before the FILEs to check\n" + try_help},
        FailureCase{"UnknownTypeLetter",
                    {"12", "1", "1", "X"},
                    2,
                    "qxr-fanuc-cli: unknown TYPE \"X\". TYPE is R, PR, \"General Register [R]\", \"Position "
                    "Register [PR]\" or \"\" (no type picked).\n" +
                        try_help},
        FailureCase{
            "BatchWithTexts",
            {"--batch", "12", "1", "1", "R"},
            2,
            "qxr-fanuc-cli: --batch reads its records from standard input and takes no other arguments\n" +
                try_help}),
    row_name);

TEST(Cli, HelpAndVersion) {
    for (const auto* option : {"--help", "-h"}) {
        const auto help = cli({option});
        EXPECT_EQ(help.exit_status, 0);
        EXPECT_NE(help.out.find("usage: qxr-fanuc-cli [-r | -w] QXR FANUC ITEMS TYPE\n"), std::string::npos);
        EXPECT_EQ(help.out.find(" \n"), std::string::npos) << "a line of --help ends in a blank";
        EXPECT_EQ(help.err, "");
    }
    for (const auto* option : {"--version", "-V"}) {
        const auto version = cli({option});
        EXPECT_EQ(version.exit_status, 0);
        EXPECT_EQ(version.out, std::string("qxr-fanuc-cli ") + QXR_FANUC_VERSION + "\n");
    }
    // --help wins over --version in either order, as --help says.
    const auto help = cli({"--help"}).out;
    EXPECT_NE(help.find("print this help (it wins over --version)"), std::string::npos);
    EXPECT_EQ(cli({"--help", "--version"}).out, help);
    EXPECT_EQ(cli({"-V", "-h"}).out, help);
}

// An option given twice counts once, as --help says.
TEST(Cli, OptionTwiceCountsOnce) {
    EXPECT_NE(cli({"--help"}).out.find("An option given twice counts once"), std::string::npos);
    EXPECT_EQ(cli({"--read", "-r", "12", "1", "1", "R"}).out, default_read);
    EXPECT_EQ(cli({"--check", "--check", "--map", "--map"}, "").out.substr(0, 5), "file,");
}

std::string output_target_name(const testing::TestParamInfo<OutputTarget>& info) {
    constexpr std::array names{"Captured", "ReadOnlyFile", "FullDevice", "Closed"};
    return names.at(static_cast<std::size_t>(info.param));
}

// Output that cannot be written, in one write or after many blocks of a batch, is never a success.
class CliOutputFails : public testing::TestWithParam<OutputTarget> {};

TEST_P(CliOutputFails, WithStatusOneAndAMessage) {
    if (!can_test(GetParam())) {
        GTEST_SKIP() << "this system has no such output";
    }
    std::string records;
    for (int record = 0; record < 2000; ++record) {
        records += "12,1,1,R\n";
    }
    ProcessSetup setup;
    setup.output = GetParam();
    const auto single = run_process(QXR_FANUC_CLI, {"12", "1", "1", "R"}, setup);
    setup.input = records;
    const auto batch = run_process(QXR_FANUC_CLI, {"--batch"}, setup);
    const std::vector<ProcessResult> runs = {single, batch};
    for (const auto& result : runs) {
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.err, "qxr-fanuc-cli: cannot write to standard output\n");
    }
}

// A report or summary that cannot be written is a failure, whatever the script holds.
TEST_P(CliOutputFails, ForTheChecksReportToo) {
    if (!can_test(GetParam())) {
        GTEST_SKIP() << "this system has no such output";
    }
    ProcessSetup setup;
    setup.error_output = GetParam();
    setup.input = "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
                  "Register 12.\n";
    EXPECT_EQ(run_process(QXR_FANUC_CLI, {"--check"}, setup).exit_status, 1);
}

INSTANTIATE_TEST_SUITE_P(Unwritable, CliOutputFails,
                         testing::Values(OutputTarget::ReadOnlyFile, OutputTarget::FullDevice,
                                         OutputTarget::Closed),
                         output_target_name);

TEST(CliBatch, InputThatCannotBeReadIsNeverASuccess) {
    ProcessSetup setup;
    setup.input_path = std::filesystem::temp_directory_path(); // a directory
    const auto result = run_process(QXR_FANUC_CLI, {"--batch"}, setup);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out, "");
    // With the reason, as --check gives it.
    EXPECT_TRUE(result.err.starts_with("qxr-fanuc-cli: cannot read standard input: ")) << result.err;
    EXPECT_GT(result.err.size(), std::string("qxr-fanuc-cli: cannot read standard input: \n").size());
    EXPECT_TRUE(result.err.ends_with("\n"));
}

TEST(CliBatch, SkipsCommentsAndBlankLinesAndStripsCarriageReturns) {
    const auto result =
        cli({"--batch"}, "# QXR,FANUC,ITEMS,TYPE\r\n\r\n12,1,1,R\r\n\n100,3,2,Position Register [PR]");
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.out, default_read + default_write + pr_read + pr_write);
    EXPECT_EQ(result.err, "");
}

TEST(CliBatch, ReportsEachFailedRecordAndGoesOn) {
    const std::string input = "12,1,1,R\n"      // 1
                              "# comment\n"     // 2
                              "12,1,1\n"        // 3 malformed
                              "12,x,1,R\n"      // 4 type mismatch
                              "\n"              // 5
                              "12,1,1,Q\n"      // 6 unknown type
                              "12,8192,1,R\r\n" // 7 overflow
                              "12,1,1,R,\n"     // 8 five fields
                              "100,3,2,PR\n";   // 9
    const auto result = cli({"--batch"}, input);
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.out, default_read + default_write + pr_read + pr_write);
    EXPECT_EQ(result.err,
              "line 3: expected 4 comma-separated fields QXR,FANUC,ITEMS,TYPE, found 3\n"
              "line 4: error 13: Type mismatch in the Fanuc register \"x\"" +
                  not_a_number +
                  "line 6: unknown TYPE \"Q\". TYPE is R, PR, \"General Register [R]\", \"Position Register "
                  "[PR]\" or \"\" (no type picked).\n"
                  "line 7: error 6: Overflow in the Fanuc address computed from the Fanuc register \"8192\"" +
                  out_of_range + "line 8: expected 4 comma-separated fields QXR,FANUC,ITEMS,TYPE, found 5\n");
}

TEST(CliBatch, ExitStatusIsThatOfTheFirstFailedRecord) {
    EXPECT_EQ(cli({"--batch"}, "12,1,40000,R\n12,a,1,R\n1,2\n").exit_status, 6);
    EXPECT_EQ(cli({"--batch"}, "12,a,1,R\n12,1,40000,R\n").exit_status, 13);
    EXPECT_EQ(cli({"--batch"}, "").exit_status, 0);
}

TEST(CliBatch, FieldsAreTakenAsTheyStand) {
    const auto result = cli({"--batch", "--read"}, " 012 ,1,1,\n12,1,1, R\n");
    EXPECT_EQ(result.out,
              "mb.Read(6,1001,12,1000);  // Read Value From Fanuc  1, and Store in QXR Register 12.\n");
    EXPECT_EQ(result.err, "line 2: unknown TYPE \" R\". TYPE is R, PR, \"General Register [R]\", \"Position "
                          "Register [PR]\" or \"\" (no type picked).\n");
    EXPECT_EQ(result.exit_status, 2);
}

TEST(CliBatch, ManyRecordsAcrossReadBlocks) {
    std::string input;
    std::string expected;
    for (int record = 0; record < 20000; ++record) {
        const int register_number = (record % 200) + 1;
        const auto fanuc = std::to_string(register_number);
        input += "12," + fanuc + ",1,R\r\n";
        expected +=
            "mb.Write(6," + std::to_string(register_number * 4) +
            ",2,1000);  // Read Value From QXR Register 12, and Store in Fanuc General Register [R] " +
            fanuc + ".\n";
    }
    const auto result = cli({"--batch", "--write"}, input);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.out, expected);
}

// Only the first line of the whole input may start with a byte order mark; elsewhere it is part of a field.
TEST(CliBatch, SkipsAByteOrderMarkAtTheVeryStartOnly) {
    const auto result = cli({"--batch"}, "\xEF\xBB\xBF"
                                         "12,1,1,R\r\n\xEF\xBB\xBF"
                                         "12,1,1,R\n");
    EXPECT_EQ(result.out, default_read + default_write);
    EXPECT_EQ(result.err,
              "line 2: error 13: Type mismatch in the QXR register \"\\xEF\\xBB\\xBF12\"" + not_a_number);
    EXPECT_EQ(result.exit_status, 13);
}

// Only the input's very first bytes can be a byte order mark, however the reads happen to fall: a record
// that has one where a 64 KiB read block begins is the record's text.
TEST(CliBatch, AByteOrderMarkAtALaterReadBlockIsText) {
    const std::string record = "12,1,1,R\n"; // 9 bytes
    std::string input(65536 - 1 - (9 * 7), '#');
    input += '\n';
    for (int i = 0; i < 7; ++i) {
        input += record;
    }
    ASSERT_EQ(input.size(), 65536U);
    input += "\xEF\xBB\xBF" + record;
    const auto result = cli({"--batch", "--read"}, input);
    std::string expected;
    for (int i = 0; i < 7; ++i) {
        expected += default_read;
    }
    EXPECT_EQ(result.out, expected);
    EXPECT_EQ(result.err,
              "line 9: error 13: Type mismatch in the QXR register \"\\xEF\\xBB\\xBF12\"" + not_a_number);
}

TEST(CliBatch, CommentOfAnyLengthIsSkipped) {
    const auto result = cli({"--batch", "--read"}, "#" + std::string(100'000, 'x') + "\n12,1,1,R\n");
    EXPECT_EQ(result.out, default_read);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exit_status, 0);
}

TEST(CliBatch, CommentRule) {
    const auto result = cli({"--batch", "--read"}, "#\n#12,1,1,R\n #12,1,1,R\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "line 3: error 13: Type mismatch in the QXR register \" #12\"" + not_a_number);
}

// A record over the limit is reported by its length and skipped without being kept; the next ones go on.
TEST(CliBatch, OverlongRecordIsSkipped) {
    const std::string longest(4096 - 8, '0');
    const auto result = cli({"--batch"}, std::string(200000, '1') + ",1,1,R\n" + longest + "12,1,1,R\r\n" +
                                             longest + "012,1,1,R\n12,1,1,R");
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.out, default_read + default_write + default_read + default_write);
    EXPECT_EQ(result.err, "line 1: record of 200006 bytes is longer than the limit of 4096 bytes; skipped\n"
                          "line 3: record of 4097 bytes is longer than the limit of 4096 bytes; skipped\n");
}

} // namespace

namespace {

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

const std::string read_12_1 =
    "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12.";
const std::string write_12_1 =
    "mb.Write(6,4,2,1000);  // Read Value From QXR Register 12, and Store in Fanuc General Register [R] 1.";
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

// Every check of the table is named in --help, the README and the manual page, in the table's order.
TEST(CliCheck, EveryCheckIsDocumented) {
    const auto help = cli({"--help"}).out;
    const auto read = [](const char* path) {
        std::ifstream file(std::string(QXR_SOURCE_DIR) + "/" + path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    const auto readme = read("README.md");
    auto manual = read("packaging/linux/qxr-fanuc-cli.1.in");
    for (std::size_t at = manual.find("\\-"); at != std::string::npos; at = manual.find("\\-", at)) {
        manual.erase(at, 1);
    }
    std::size_t in_help = 0;
    std::size_t in_readme = 0;
    std::size_t in_manual = 0;
    for (const auto& check : qxrfanuc::checks) {
        const std::string name(check.name);
        const std::string help_line =
            "  " + name + " (" + std::string(qxrfanuc::severity_name(check.severity)) + "): ";
        in_help = help.find(help_line, in_help);
        EXPECT_NE(in_help, std::string::npos) << name;
        if (check.check == qxrfanuc::Check::OwnComment || check.check == qxrfanuc::Check::QxrChoice ||
            check.check == qxrfanuc::Check::Unfixed) {
            EXPECT_NE(readme.find("(`" + name + "`)"), std::string::npos) << name;
        } else {
            in_readme = readme.find(
                "- `" + name + "` (" + std::string(qxrfanuc::severity_name(check.severity)), in_readme);
            EXPECT_NE(in_readme, std::string::npos) << name;
        }
        in_manual = manual.find("\\fB" + name + "\\fR", in_manual);
        EXPECT_NE(in_manual, std::string::npos) << name;
    }
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
    testing::Values(
        CheckCase{"GeneratedStatementsAreClean", read_12_1 + "\n" + write_12_1 + "\n", "",
                  "2 statements found, 2 checked: " + clean, 0},
        CheckCase{"CommentsFirst",
                  "// mb.Read(1,2,3,4)\n/* mb.Write(6,6,2,1000);\nmb.Read(x) */ mb.Read(6,4,2,1000)\n", "",
                  "1 statement found, 1 checked: " + clean, 0},
        CheckCase{"NotAStatement", "xmb.Read(1,2,3,4) _mb.Read(1) a.mb.Write(1) mb.Reads(1) mb.Write\n", "",
                  "0 statements found, 0 checked: " + clean, 0},
        CheckCase{"Unchecked",
                  "mb.Read(a,4,2,1000) mb.Read(6,4,2) mb.Write(6,f(4),2,1000) mb.Read(6,4,2,1000\n"
                  "mb.Read(6, 4 2,2,1000) mb.Read(6,- 4,2,1000) mb.Read( +6 ,4,2,1000)\n",
                  "1:1: note: not checked: argument 1 is not a plain integer [unchecked]\n"
                  "1:21: note: not checked: 3 arguments, not 4 [unchecked]\n"
                  "1:36: note: not checked: argument 2 is not a plain integer [unchecked]\n"
                  "1:60: note: not checked: no closing ) on its line [unchecked]\n"
                  "2:1: note: not checked: argument 2 is not a plain integer [unchecked]\n"
                  "2:24: note: not checked: argument 2 is not a plain integer [unchecked]\n",
                  "7 statements found, 1 checked: 0 errors, 0 warnings, 6 notes", 0},
        CheckCase{"ArgumentOutside16Bits",
                  "mb.Read(6,32768,-32769,1000) mb.Read(6,4,2," + std::string(30, '7') + ")\n",
                  "1:1: error: argument 2 (Fanuc address) 32768 is outside -32768 to 32767; argument 3 (word "
                  "count) "
                  "-32769 is outside -32768 to 32767 [argument]\n"
                  "1:30: error: argument 4 (last argument) 77777777777777777777... (30 characters) (more "
                  "digits than any "
                  "16-bit number has) is outside -32768 to 32767 [argument]\n",
                  "2 statements found, 2 checked: 2 errors, 0 warnings, 0 notes", 3},
        CheckCase{
            "IndexEdges", "mb.Read(16383,4,2,1000) mb.Read(-16384,4,2,1000) mb.Read(16384,4,2,1000)\n",
            "1:1: warning: QXR register 32766 is outside 12 to 16000 [range]\n"
            "1:25: warning: QXR register -32768 is outside 12 to 16000 [range]\n"
            "1:50: error: QXR index 16384 is outside -16384 to 16383: no 16-bit QXR register halves to it "
            "[index]\n",
            "3 statements found, 3 checked: 1 error, 2 warnings, 0 notes", 3},
        CheckCase{
            "AddressAndWords",
            "mb.Read(6,6,2,1000)\nmb.Read(6,-32768,2,1000)\nmb.Read(6,1001,2,1000)\nmb.Read(6,8,3,999)\n",
            "1:1: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR grid "
            "(1001 + 12k) [address]\n"
            "2:1: error: Fanuc address -32768 is on the R grid, but the generator cannot write it: register "
            "R -8192 overflows its 16-bit arithmetic [address]\n"
            "3:1: error: word count 2 is not a whole number of PR items (12 words each) [words]\n"
            "4:1: error: word count 3 is not a whole number of R items (2 words each) [words]\n"
            "4:1: warning: last argument is 999; the generator always writes 1000 [last-argument]\n",
            "4 statements found, 4 checked: 4 errors, 1 warning, 0 notes", 3},
        CheckCase{
            "CommentsThatDisagree",
            "mb.Read(6,4,2,1000); // Read Value From QXR Register 12, and Store in Fanuc General Register "
            "[R] 1.\n"
            "mb.Read(6,4,2,1000) ;; // Read Value From Fanuc R 2, and Store in QXR Register 14.\n"
            "mb.Read(6,4,2,1000) ; /* */ // Read Value From Fanuc Position Register [PR] 2, and Store in QXR "
            "Register 13.\n"
            "mb.Read(6,4,2,1000) x // Read Value From Fanuc R 2, and Store in QXR Register 14.\n",
            "1:1: error: the comment disagrees: it is worded as mb.Write's [comment]\n"
            "2:1: error: the comment disagrees: its type \"R\" takes the PR rule (only the exact text "
            "\"General "
            "Register [R]\" selects the R rule), but the address is on the R grid; it names Fanuc register "
            "2, but "
            "the address is register R 1; it names QXR register 14, whose half is not the QXR index 6 "
            "[comment]\n"
            "3:1: error: the comment disagrees: its type \"Position Register [PR]\" takes the PR rule, but "
            "the address is on the R grid; it names Fanuc register 2, but the address is register R 1 "
            "[comment]\n"
            "4:1: error: the comment disagrees: its type \"R\" takes the PR rule (only the exact text "
            "\"General "
            "Register [R]\" selects the R rule), but the address is on the R grid; it names Fanuc register "
            "2, but "
            "the address is register R 1; it names QXR register 14, whose half is not the QXR index 6 "
            "[comment]\n",
            "4 statements found, 4 checked: 4 errors, 0 warnings, 0 notes", 3},
        CheckCase{
            "Ranges",
            "mb.Read(5,800,60,1000) // Read Value From Fanuc General Register [R] 200, and Store in QXR "
            "Register 11.\n"
            "mb.Read(8000,3989,48,1000) mb.Read(6,0,0,1000) mb.Read(6,4001,-12,1000) "
            "mb.Read(8001,800,62,1000)\n",
            "1:1: warning: QXR register 11 is outside 12 to 16000 [range]\n"
            "2:28: warning: Fanuc register R 0 is outside 1 to 200; item count 0 transfers nothing [range]\n"
            "2:48: warning: Fanuc register PR 251 is outside 1 to 250; item count -1 transfers nothing "
            "[range]\n"
            "2:73: warning: QXR register 16002 is outside 12 to 16000; item count 31 is outside 1 to 30 "
            "[range]\n",
            "5 statements found, 5 checked: 0 errors, 4 warnings, 0 notes", 0},
        CheckCase{"Overlaps",
                  "mb.Write(6,4,4,1000)\nmb.Read(6,4,62,1000)\nmb.Write(6,8,2,1000)\nmb.Write(6,4,6,1000)\n"
                  "mb.Write(6,12,0,1000) mb.Write(6,8,2,1000)\n",
                  "2:1: warning: item count 31 is outside 1 to 30 [range]\n"
                  "4:1: warning: writes Fanuc addresses [4, 10), which overlap [8, 10) written at line 3 (2 "
                  "earlier "
                  "writes overlap in all) [overlap]\n"
                  "5:1: warning: item count 0 transfers nothing [range]\n"
                  "5:23: warning: writes Fanuc addresses [8, 10), which overlap [4, 10) written at line 4 (2 "
                  "earlier writes overlap in all) [overlap]\n",
                  "6 statements found, 6 checked: 0 errors, 4 warnings, 0 notes", 0},
        CheckCase{"PartOfAByteOrderMarkIsText", "\xEF\xBBmb.Read(6,6,2,1000)\n",
                  "1:3: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR grid "
                  "(1001 + 12k) [address]\n",
                  "1 statement found, 1 checked: 1 error, 0 warnings, 0 notes", 3},
        CheckCase{
            "LineEndingsAndByteOrderMark",
            "\xEF\xBB\xBFmb.Read(6,4,2,1000); // Read Value From Fanuc General Register [R] 1, and Store in "
            "QXR Register 14.\r\n\r\n  mb.Read(6,6,2,1000)\r\nmb.Read(6,4,2,1000\r",
            "1:1: error: the comment disagrees: it names QXR register 14, whose half is not the QXR index 6 "
            "[comment]\n"
            "3:3: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR grid "
            "(1001 + 12k) [address]\n"
            "4:1: note: not checked: no closing ) on its line [unchecked]\n",
            "3 statements found, 2 checked: 2 errors, 0 warnings, 1 note", 3}),
    row_name);

} // namespace
