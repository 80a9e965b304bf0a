// SPDX-License-Identifier: MIT
// The program given QXR FANUC ITEMS TYPE, options that are wrong, and output that cannot be written.
#include "../table_rows.h"
#include "cli_run.h"
#include "version.h"

#include <algorithm>
#include <array>
#include <string>

#include <gtest/gtest.h>

namespace {

using table_rows::PrintTo;
using table_rows::row_name;

struct SuccessCase {
    const char* name;
    Arguments arguments;
    std::string out;
    std::string err; // what --check would say of the statements
};

class CliSucceeds : public testing::TestWithParam<SuccessCase> {};

TEST_P(CliSucceeds, PrintsExactlyTheStatements) {
    const auto result = cli(GetParam().arguments);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.out, GetParam().out);
    EXPECT_EQ(result.err, GetParam().err);
}

const std::string warning = "qxr-fanuc-cli: warning: ";

INSTANTIATE_TEST_SUITE_P(
    Single, CliSucceeds,
    testing::Values(
        SuccessCase{"ShortType", {"12", "1", "1", "R"}, default_read + default_write, ""},
        SuccessCase{"FullType", {"12", "1", "1", "General Register [R]"}, default_read + default_write, ""},
        SuccessCase{"ReadOnly", {"--read", "12", "1", "1", "R"}, default_read, ""},
        SuccessCase{"WriteOnly", {"--write", "12", "1", "1", "R"}, default_write, ""},
        SuccessCase{"ShortRead", {"-r", "12", "1", "1", "R"}, default_read, ""},
        SuccessCase{"ShortWrite", {"-w", "12", "1", "1", "R"}, default_write, ""},
        SuccessCase{
            "LongRunsOfZeros",
            {"-r", "0000000000012", "-0000000000001", "000000", "R"},
            "mb.Read(6,-4,0,1000);  // Read Value From Fanuc General Register [R] -1, and Store in QXR "
            "Register 12.\n",
            warning + "Fanuc register R -1 is outside 1 to 200; item count 0 transfers nothing [range]\n"},
        SuccessCase{"PositionShort", {"100", "3", "2", "PR"}, pr_read + pr_write, ""},
        SuccessCase{"PositionFull", {"100", "3", "2", "Position Register [PR]"}, pr_read + pr_write, ""},
        SuccessCase{"OptionsEnd", {"--", "100", "3", "2", "PR"}, pr_read + pr_write, ""},
        SuccessCase{
            "NegativeNeedsNoSeparator",
            {"--read", "-13", "0", "-3", "PR"},
            "mb.Read(-6,989,-36,1000);  // Read Value From Fanuc Position Register [PR] 0, and Store in "
            "QXR Register -13.\n",
            warning +
                "QXR register -13 is outside 12 to 16000; Fanuc register PR 0 is outside 1 to 250; item "
                "count -3 transfers nothing [range]\n"},
        SuccessCase{
            "OddQxrRegister",
            {"--write", "13", "1", "1", "R"},
            "mb.Write(6,4,2,1000);  // Read Value From QXR Register 13, and Store in Fanuc General "
            "Register [R] 1.\n",
            "qxr-fanuc-cli: note: QXR register 13 is odd, and the index names the even one below it: the "
            "transfer covers QXR 12 to 13 [qxr-odd]\n"},
        SuccessCase{"OddQxrRegisterOutsideTheHints",
                    {"--read", "5", "1", "1", "R"},
                    "mb.Read(2,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
                    "Register 5.\n",
                    warning +
                        "QXR register 5 is outside 12 to 16000 [range]\nqxr-fanuc-cli: note: QXR register 5 "
                        "is odd, and the index names the even one below it: the transfer covers QXR 4 to 5 "
                        "[qxr-odd]\n"},
        SuccessCase{
            "NoItems",
            {"--read", "100", "1", "0", "PR"},
            "mb.Read(50,1001,0,1000);  // Read Value From Fanuc Position Register [PR] 1, and Store in "
            "QXR Register 100.\n",
            warning + "item count 0 transfers nothing [range]\n"},
        SuccessCase{"EmptyType",
                    {"--write", "12", "1", "1", ""},
                    "mb.Write(6,1001,12,1000);  // Read Value From QXR Register 12, and Store in Fanuc  1.\n",
                    ""}),
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

const std::string check_alone = "qxr-fanuc-cli: --check combines with no option but --map, --fix, --fail-on, "
                                "--select, --ignore, --color or --format\n";

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
        FailureCase{"UnknownShortOptionAfterTexts",
                    {"12", "1", "1", "R", "-q"},
                    2,
                    "qxr-fanuc-cli: unknown option \"-q\"\n" + try_help},
        FailureCase{"ShortOptionIsExactlyOneLetter",
                    {"-rw", "12", "1", "1", "R"},
                    2,
                    "qxr-fanuc-cli: unknown option \"-rw\"\n" + try_help},
        FailureCase{"CheckWithRead", {"--check", "--read", "a.txt"}, 2, check_alone + try_help},
        FailureCase{"CheckWithBatch", {"--check", "--batch"}, 2, check_alone + try_help},
        FailureCase{"CheckWithWrite", {"--write", "--check"}, 2, check_alone + try_help},
        FailureCase{"MapWithoutCheck",
                    {"--map", "a.txt"},
                    2,
                    "qxr-fanuc-cli: --map goes with --check or --plan\n" + try_help},
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
        FailureCase{"UnknownOptionAmongFiles",
                    {"--check", "a.txt", "-q", "b.txt"},
                    2,
                    "qxr-fanuc-cli: unknown option \"-q\"\n" + try_help},
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

// Options stand anywhere until "--"; after it, and for a number, a leading minus starts a text.
TEST(Cli, OptionsAnywhereUntilTwoMinuses) {
    EXPECT_EQ(cli({"12", "1", "1", "R", "-r"}).out, default_read);
    EXPECT_EQ(
        cli({"-13", "0", "-3", "--read", "PR"}).out,
        "mb.Read(-6,989,-36,1000);  // Read Value From Fanuc Position Register [PR] 0, and Store in QXR "
        "Register -13.\n");
    const auto map = cli({"--check", "-", "--map"}, generator_statements::read_12_r1 + "\n");
    EXPECT_TRUE(map.out.starts_with("file,line,")) << map.out;
    const auto dashed = cli({"--check", "--", "-q"});
    EXPECT_EQ(dashed.exit_status, 1);
    EXPECT_TRUE(dashed.err.starts_with("qxr-fanuc-cli: cannot read \"-q\": ")) << dashed.err;
}

TEST(Cli, HelpAndVersion) {
    for (const auto* option : {"--help", "-h"}) {
        const auto help = cli({option});
        EXPECT_EQ(help.exit_status, 0);
        EXPECT_NE(help.out.find("usage: qxr-fanuc-cli [-r | -w] QXR FANUC ITEMS TYPE\n"), std::string::npos);
        EXPECT_EQ(help.out.find(" \n"), std::string::npos) << "a line of --help ends in a blank";
        // One screen: at most 40 lines of at most 96 characters.
        EXPECT_LE(std::ranges::count(help.out, '\n'), 40);
        for (std::size_t at = 0; at < help.out.size(); at = help.out.find('\n', at) + 1) {
            EXPECT_LE(help.out.find('\n', at) - at, 96U) << help.out.substr(at, help.out.find('\n', at) - at);
        }
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

// An option given twice counts once, as the manual page says.
TEST(Cli, OptionTwiceCountsOnce) {
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
    std::string records; // that meet nowhere, so that nothing else is said
    for (int record = 0; record < 2000; ++record) {
        records += std::to_string(12 + (2 * record)) + ",1,1,R\n";
    }
    ProcessSetup setup;
    setup.output = GetParam();
    const auto single = run_process(QXR_FANUC_CLI, {"12", "1", "1", "R"}, setup);
    setup.input = records;
    const auto batch = run_process(QXR_FANUC_CLI, {"--batch", "--read"}, setup);
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

} // namespace
