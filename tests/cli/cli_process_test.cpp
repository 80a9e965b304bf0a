#include "process.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Arguments = std::vector<std::string>;

ProcessResult cli(const Arguments& arguments, const std::string& input = {}) {
    return run_process(QXR_FANUC_CLI, arguments, input);
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

// Test names say which case failed; the raw bytes would not.
void PrintTo(const SuccessCase& c, std::ostream* out) {
    *out << c.name;
}

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
    [](const auto& info) { return info.param.name; });

struct FailureCase {
    const char* name;
    Arguments arguments;
    int exit_status;
    std::vector<std::string> err_contains;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class CliFails : public testing::TestWithParam<FailureCase> {};

TEST_P(CliFails, WithStatusAndOneClearMessage) {
    const auto result = cli(GetParam().arguments);
    EXPECT_EQ(result.exit_status, GetParam().exit_status);
    EXPECT_EQ(result.out, "");
    for (const auto& part : GetParam().err_contains) {
        EXPECT_NE(result.err.find(part), std::string::npos) << "missing " << part << " in\n" << result.err;
    }
    if (GetParam().exit_status != 2) {
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Generation, CliFails,
    testing::Values(
        FailureCase{"FanucNotANumber",
                    {"12", "12a", "1", "R"},
                    13,
                    {"error 13: Type mismatch", "in the Fanuc register \"12a\""}},
        FailureCase{
            "EmptyQxr", {"", "1", "1", "R"}, 13, {"error 13: Type mismatch", "in the QXR register \"\""}},
        FailureCase{"DoubleDashIsAText", {"--1", "1", "1", "R"}, 13, {"in the QXR register \"--1\""}},
        FailureCase{"OptionAfterSeparatorIsAText", {"--", "--read", "1", "1", "R"}, 13, {"\"--read\""}},
        FailureCase{
            "ItemsOutOfRange", {"12", "1", "40000", "R"}, 6, {"error 6: Overflow", "item count \"40000\""}},
        FailureCase{"AddressOverflow",
                    {"12", "8192", "1", "R"},
                    6,
                    {"error 6: Overflow", "Fanuc address", "Fanuc register \"8192\""}},
        FailureCase{"WordCountOverflow", {"--read", "12", "1", "2731", "PR"}, 6, {"word count", "\"2731\""}},
        FailureCase{"ControlCharactersEscaped", {"1\n2", "1", "1", "R"}, 13, {"\"1\\x0A2\""}}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Usage, CliFails,
    testing::Values(
        FailureCase{"NoArguments", {}, 2, {"expected 4 arguments", "usage: qxr-fanuc-cli"}},
        FailureCase{"TooFew", {"12", "1", "1"}, 2, {"got 3"}},
        FailureCase{"TooMany", {"12", "1", "1", "R", "R"}, 2, {"got 5"}},
        FailureCase{"UnknownType", {"12", "1", "1", "r"}, 2, {"unknown TYPE \"r\"", "R, PR"}},
        FailureCase{"TypeWithExtraBlank", {"12", "1", "1", "General Register  [R]"}, 2, {"unknown TYPE"}},
        FailureCase{
            "UnknownOption", {"--frobnicate", "12", "1", "1", "R"}, 2, {"unknown option \"--frobnicate\""}},
        FailureCase{"ReadAndWrite", {"--read", "--write", "12", "1", "1", "R"}, 2, {"exclude each other"}},
        FailureCase{"OptionAfterTexts", {"12", "1", "1", "R", "--read"}, 2, {"must come before"}},
        FailureCase{"BatchWithTexts", {"--batch", "12", "1", "1", "R"}, 2, {"--batch"}}),
    [](const auto& info) { return info.param.name; });

TEST(Cli, HelpAndVersion) {
    const auto help = cli({"--help"});
    EXPECT_EQ(help.exit_status, 0);
    EXPECT_NE(help.out.find("usage: qxr-fanuc-cli [--read | --write] QXR FANUC ITEMS TYPE"),
              std::string::npos);
    EXPECT_EQ(help.err, "");
    const auto version = cli({"--version"});
    EXPECT_EQ(version.exit_status, 0);
    EXPECT_EQ(version.out, std::string("qxr-fanuc-cli ") + QXR_FANUC_VERSION + "\n");
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
    const std::vector<std::string> expected_lines = {
        "line 3: expected 4 comma-separated fields QXR,FANUC,ITEMS,TYPE, found 3",
        "line 4: error 13: Type mismatch in the Fanuc register \"x\"",
        "line 6: unknown TYPE \"Q\"",
        "line 7: error 6: Overflow in the Fanuc address",
        "line 8: expected 4 comma-separated fields QXR,FANUC,ITEMS,TYPE, found 5",
    };
    std::size_t position = 0;
    for (const auto& line : expected_lines) {
        const auto found = result.err.find(line, position);
        ASSERT_NE(found, std::string::npos) << line << "\nin\n" << result.err;
        position = found + line.size();
    }
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 5);
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
    EXPECT_NE(result.err.find("line 2: unknown TYPE \" R\""), std::string::npos) << result.err;
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

TEST(CliBatch, LongLineIsOneRecord) {
    const auto result = cli({"--batch"}, std::string(200000, '1') + ",1,1,R\n12,1,1,R\n");
    EXPECT_EQ(result.exit_status, 6);
    EXPECT_EQ(result.out, default_read + default_write);
    EXPECT_NE(result.err.find("line 1: error 6: Overflow in the QXR register \"1111"), std::string::npos);
    EXPECT_NE(result.err.find("(200000 bytes)"), std::string::npos);
}

} // namespace
