// SPDX-License-Identifier: MIT
#include "../generator_statements.h"
#include "../table_rows.h"
#include "script_strings.h"

#include <cstdint>
#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace {

using table_rows::PrintTo;
using table_rows::row_name;

using qxrfanuc::ErrorKind;
using qxrfanuc::ErrorPlace;
using qxrfanuc::generate_script_strings;

constexpr std::string_view R = qxrfanuc::general_register_type;
constexpr std::string_view PR = qxrfanuc::position_register_type;

struct StatementCase {
    const char* name;
    std::string qxr, fanuc, items, type;
    std::string readstring, writestring;
};

class Generates : public testing::TestWithParam<StatementCase> {};

TEST_P(Generates, BothStatements) {
    const auto& c = GetParam();
    const auto result = generate_script_strings(c.qxr, c.fanuc, c.items, c.type);
    ASSERT_TRUE(result.has_value()) << "error " << result.error().number();
    EXPECT_EQ(result->readstring, c.readstring);
    EXPECT_EQ(result->writestring, c.writestring);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Generates,
    testing::Values(
        StatementCase{"WindowDefaultsWithR", "12", "1", "1", std::string(R), generator_statements::read_12_r1,
                      generator_statements::write_12_r1},
        StatementCase{
            "OddQxrWithR", "13", "10", "5", std::string(R),
            "mb.Read(6,40,10,1000);  // Read Value From Fanuc General Register [R] 10, and Store in QXR "
            "Register 13.",
            "mb.Write(6,40,10,1000);  // Read Value From QXR Register 13, and Store in Fanuc General "
            "Register [R] 10."},
        StatementCase{"PositionRegister", "100", "3", "2", std::string(PR),
                      generator_statements::read_100_pr3, generator_statements::write_100_pr3},
        StatementCase{
            "EmptyTypeTakesPositionRule", "12", "1", "1", "",
            "mb.Read(6,1001,12,1000);  // Read Value From Fanuc  1, and Store in QXR Register 12.",
            "mb.Write(6,1001,12,1000);  // Read Value From QXR Register 12, and Store in Fanuc  1."},
        StatementCase{
            "LowerCaseTypeTakesPositionRule", "12", "1", "1", "general register [r]",
            "mb.Read(6,1001,12,1000);  // Read Value From Fanuc general register [r] 1, and Store in "
            "QXR Register 12.",
            "mb.Write(6,1001,12,1000);  // Read Value From QXR Register 12, and Store in Fanuc general "
            "register [r] 1."},
        StatementCase{
            "CommentQuotesConvertedNumbers", " 012 ", "2.5", "0", std::string(R),
            "mb.Read(6,8,0,1000);  // Read Value From Fanuc General Register [R] 2, and Store in QXR "
            "Register 12.",
            "mb.Write(6,8,0,1000);  // Read Value From QXR Register 12, and Store in Fanuc General "
            "Register [R] 2."},
        StatementCase{
            "ZeroAndNegatives", "-13", "0", "-3", std::string(PR),
            "mb.Read(-6,989,-36,1000);  // Read Value From Fanuc Position Register [PR] 0, and Store "
            "in QXR Register -13.",
            "mb.Write(-6,989,-36,1000);  // Read Value From QXR Register -13, and Store in Fanuc "
            "Position Register [PR] 0."},
        StatementCase{
            "SmallestQxr", "-32768", "1", "1", std::string(R),
            "mb.Read(-16384,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in "
            "QXR Register -32768.",
            "mb.Write(-16384,4,2,1000);  // Read Value From QXR Register -32768, and Store in Fanuc "
            "General Register [R] 1."}),
    row_name);

struct FailureCase {
    const char* name;
    std::string qxr, fanuc, items, type;
    ErrorKind kind;
    ErrorPlace place;
};

class Fails : public testing::TestWithParam<FailureCase> {};

TEST_P(Fails, WithKindAndPlace) {
    const auto& c = GetParam();
    const auto result = generate_script_strings(c.qxr, c.fanuc, c.items, c.type);
    ASSERT_FALSE(result.has_value()) << result->readstring;
    EXPECT_EQ(result.error().kind, c.kind);
    EXPECT_EQ(result.error().number(), c.kind == ErrorKind::TypeMismatch ? 13 : 6);
    EXPECT_EQ(result.error().place, c.place);
}

INSTANTIATE_TEST_SUITE_P(Errors, Fails,
                         testing::Values(
                             // conversions, in the order QXR, Fanuc, items
                             FailureCase{"EmptyQxr", "", "1", "1", std::string(R), ErrorKind::TypeMismatch,
                                         ErrorPlace::QxrRegister},
                             FailureCase{"BadFanuc", "12", "12a", "1", std::string(R),
                                         ErrorKind::TypeMismatch, ErrorPlace::FanucRegister},
                             FailureCase{"BadItems", "12", "1", "abc", std::string(R),
                                         ErrorKind::TypeMismatch, ErrorPlace::ItemCount},
                             FailureCase{"QxrReportedBeforeFanuc", "x", "y", "1", std::string(R),
                                         ErrorKind::TypeMismatch, ErrorPlace::QxrRegister},
                             FailureCase{"FanucReportedBeforeItems", "12", "x", "y", std::string(R),
                                         ErrorKind::TypeMismatch, ErrorPlace::FanucRegister},
                             FailureCase{"FanucOverflowBeforeItemsMismatch", "12", "4294967300", "y",
                                         std::string(R), ErrorKind::Overflow, ErrorPlace::FanucRegister},
                             FailureCase{"QxrOverflowBeforeFanucMismatch", "40000", "y", "1", std::string(R),
                                         ErrorKind::Overflow, ErrorPlace::QxrRegister},
                             FailureCase{"ConversionsBeforeArithmetic", "12", "8192", "abc", std::string(R),
                                         ErrorKind::TypeMismatch, ErrorPlace::ItemCount},
                             FailureCase{"ItemsOutOfRange", "12", "1", "40000", std::string(R),
                                         ErrorKind::Overflow, ErrorPlace::ItemCount},
                             // the computed values
                             FailureCase{"RAddressAtAddition", "12", "8192", "1", std::string(R),
                                         ErrorKind::Overflow, ErrorPlace::FanucAddress},
                             FailureCase{"RAddressAtMultiplication", "12", "-8192", "1", std::string(R),
                                         ErrorKind::Overflow, ErrorPlace::FanucAddress},
                             FailureCase{"RAddressAtSubtraction", "12", "-32768", "1", std::string(R),
                                         ErrorKind::Overflow, ErrorPlace::FanucAddress},
                             FailureCase{"PRAddressAtAddition", "12", "2649", "1", std::string(PR),
                                         ErrorKind::Overflow, ErrorPlace::FanucAddress},
                             FailureCase{"PRAddressAtMultiplication", "12", "-2730", "1", "",
                                         ErrorKind::Overflow, ErrorPlace::FanucAddress},
                             FailureCase{"ItemConversionBeforeAddress", "12", "8192", "40000.4",
                                         std::string(R), ErrorKind::Overflow, ErrorPlace::ItemCount},
                             FailureCase{"AddressCheckedBeforeWordCount", "12", "8192", "20000",
                                         std::string(R), ErrorKind::Overflow, ErrorPlace::FanucAddress},
                             FailureCase{"RWordCount", "12", "1", "16384", std::string(R),
                                         ErrorKind::Overflow, ErrorPlace::WordCount},
                             FailureCase{"PRWordCount", "12", "1", "2731", std::string(PR),
                                         ErrorKind::Overflow, ErrorPlace::WordCount}),
                         row_name);

// The statements rebuilt independently, from arguments reckoned in 64 bits with each step's range checked.
std::optional<std::int64_t> checked(std::int64_t value) {
    return value < -32768 || value > 32767 ? std::nullopt : std::optional(value);
}

std::optional<std::int64_t> expected_address(std::int64_t fanuc, bool general) {
    const auto minus_one = checked(fanuc - 1);
    const auto times = minus_one ? checked(*minus_one * (general ? 4 : 12)) : std::nullopt;
    return times ? checked(*times + (general ? 4 : 1001)) : std::nullopt;
}

std::string expected_readstring(std::int64_t qxr, std::int64_t fanuc, std::int64_t address,
                                std::int64_t words, std::string_view type) {
    return "mb.Read(" + std::to_string(qxr / 2) + "," + std::to_string(address) + "," +
           std::to_string(words) + ",1000);  // Read Value From Fanuc " + std::string(type) + " " +
           std::to_string(fanuc) + ", and Store in QXR Register " + std::to_string(qxr) + ".";
}

std::string expected_writestring(std::int64_t qxr, std::int64_t fanuc, std::int64_t address,
                                 std::int64_t words, std::string_view type) {
    return "mb.Write(" + std::to_string(qxr / 2) + "," + std::to_string(address) + "," +
           std::to_string(words) + ",1000);  // Read Value From QXR Register " + std::to_string(qxr) +
           ", and Store in Fanuc " + std::string(type) + " " + std::to_string(fanuc) + ".";
}

TEST(GenerateScriptStrings, EveryFanucRegisterUnderBothRules) {
    for (const auto type : {R, PR}) {
        for (std::int64_t fanuc = -32768; fanuc <= 32767; ++fanuc) {
            const auto result = generate_script_strings("12", std::to_string(fanuc), "1", type);
            const auto address = expected_address(fanuc, type == R);
            if (!address) {
                ASSERT_FALSE(result.has_value()) << fanuc;
                ASSERT_EQ(result.error().place, ErrorPlace::FanucAddress);
                ASSERT_EQ(result.error().kind, ErrorKind::Overflow);
                continue;
            }
            ASSERT_TRUE(result.has_value()) << type << " " << fanuc;
            const std::int64_t words = type == R ? 2 : 12;
            ASSERT_EQ(result->readstring, expected_readstring(12, fanuc, *address, words, type));
            ASSERT_EQ(result->writestring, expected_writestring(12, fanuc, *address, words, type));
        }
    }
}

// An empty register type may come as a view with no data behind it (the list opened, nothing picked).
TEST(GenerateScriptStrings, EmptyTypeWithoutData) {
    const auto result = generate_script_strings("12", "1", "1", std::string_view{});
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->readstring,
              "mb.Read(6,1001,12,1000);  // Read Value From Fanuc  1, and Store in QXR Register 12.");
}

TEST(GenerateScriptStrings, FanucRangesOfBothRules) {
    EXPECT_TRUE(generate_script_strings("12", "-8191", "1", R));
    EXPECT_TRUE(generate_script_strings("12", "8191", "1", R));
    EXPECT_TRUE(generate_script_strings("12", "-2729", "1", PR));
    EXPECT_NE(generate_script_strings("12", "2648", "1", PR)->readstring.find("(6,32765,"),
              std::string::npos);
}

TEST(GenerateScriptStrings, EveryItemCountAndQxrRegister) {
    for (std::int64_t value = -32768; value <= 32767; ++value) {
        for (const auto type : {R, PR}) {
            const std::int64_t per_item = type == R ? 2 : 12;
            const auto words = checked(value * per_item);
            const auto result = generate_script_strings("12", "1", std::to_string(value), type);
            ASSERT_EQ(result.has_value(), words.has_value()) << value;
            if (!words) {
                ASSERT_EQ(result.error().place, ErrorPlace::WordCount);
                continue;
            }
            const std::int64_t address = type == R ? 4 : 1001;
            ASSERT_EQ(result->readstring, expected_readstring(12, 1, address, *words, type));
        }
        const auto by_qxr = generate_script_strings(std::to_string(value), "1", "1", R);
        ASSERT_TRUE(by_qxr.has_value());
        ASSERT_EQ(by_qxr->writestring, expected_writestring(value, 1, 4, 2, R));
    }
}

TEST(GenerateScriptStrings, ItemRangesOfBothRules) {
    EXPECT_TRUE(generate_script_strings("12", "1", "-16384", R));
    EXPECT_TRUE(generate_script_strings("12", "1", "16383", R));
    EXPECT_FALSE(generate_script_strings("12", "1", "-16385", R));
    EXPECT_TRUE(generate_script_strings("12", "1", "-2730", PR));
    EXPECT_TRUE(generate_script_strings("12", "1", "2730", PR));
    EXPECT_FALSE(generate_script_strings("12", "1", "-2731", PR));
}

} // namespace
