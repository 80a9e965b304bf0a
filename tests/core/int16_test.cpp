// SPDX-License-Identifier: MIT
#include "../table_rows.h"
#include "int16.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace {

using table_rows::PrintTo;
using table_rows::row_name;

using qxrfanuc::ErrorKind;
using qxrfanuc::int16_from_text;
using qxrfanuc::int16_to_text;

struct ConversionCase {
    const char* name;
    std::string text;
    std::int16_t expected;
};

class ConvertsTo : public testing::TestWithParam<ConversionCase> {};

TEST_P(ConvertsTo, Value) {
    const auto result = int16_from_text(GetParam().text);
    ASSERT_TRUE(result.has_value()) << "error " << result.error().number();
    EXPECT_EQ(*result, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Valid, ConvertsTo,
    testing::Values(
        // plain numbers and blanks
        ConversionCase{"Twelve", "12", 12}, ConversionCase{"Blanks", "  12  ", 12},
        ConversionCase{"LeadingZero", "012", 12}, ConversionCase{"Zero", "0", 0},
        ConversionCase{"MinusZero", "-0", 0}, ConversionCase{"Plus", "+7", 7},
        ConversionCase{"Max", "32767", 32767}, ConversionCase{"Min", "-32768", -32768},
        ConversionCase{"MinWithZeros", "-0032768", -32768}, ConversionCase{"SixZeros", "000000", 0},
        ConversionCase{"ZerosBeforeNegative", "-0000000000012", -12},
        ConversionCase{"ZerosBeforeMax", "000000000032767", 32767},
        // rounding half to even on the decimal text
        ConversionCase{"TwoPointFive", "2.5", 2}, ConversionCase{"ThreePointFive", "3.5", 4},
        ConversionCase{"TwelvePointFive", "12.5", 12}, ConversionCase{"ThirteenPointFive", "13.5", 14},
        ConversionCase{"MinusTwoPointFive", "-2.5", -2}, ConversionCase{"MinusThreePointFive", "-3.5", -4},
        ConversionCase{"PointFive", "0.5", 0}, ConversionCase{"MinusPointFive", "-0.5", 0},
        ConversionCase{"BelowHalf", "2.4999999999999999999", 2},
        ConversionCase{"JustAboveHalf", "12.50000000000000000001", 13},
        ConversionCase{"HalfWithTrailingZeros", "12.500000000000", 12}, ConversionCase{"AboveHalf", "2.6", 3},
        ConversionCase{"MaxFraction", "32767.4", 32767}, ConversionCase{"MinHalfStays", "-32768.5", -32768},
        ConversionCase{"RoundsUpToMax", "32766.5", 32766},
        ConversionCase{"RoundsIntoMax", "32766.51", 32767}),
    row_name);

struct ErrorCase {
    const char* name;
    std::string text;
    ErrorKind expected;
};

class FailsWith : public testing::TestWithParam<ErrorCase> {};

TEST_P(FailsWith, Kind) {
    const auto result = int16_from_text(GetParam().text);
    ASSERT_FALSE(result.has_value()) << "converted to " << *result;
    EXPECT_EQ(result.error().kind, GetParam().expected);
    EXPECT_EQ(result.error().place, qxrfanuc::ErrorPlace::None);
}

INSTANTIATE_TEST_SUITE_P(
    Invalid, FailsWith,
    testing::Values(
        // out of range
        ErrorCase{"AboveMax", "32768", ErrorKind::Overflow},
        ErrorCase{"BelowMin", "-32769", ErrorKind::Overflow},
        ErrorCase{"HalfAboveMax", "32767.5", ErrorKind::Overflow},
        ErrorCase{"HalfBelowMin", "-32768.51", ErrorKind::Overflow},
        ErrorCase{"ManyDigits", "12345678901234567890", ErrorKind::Overflow},
        // would wrap to 12, -5 or 12 in a 16- or 32-bit accumulator, were the digit limit raised
        ErrorCase{"WrapsSixteenBits", "65548", ErrorKind::Overflow},
        ErrorCase{"SixDigits", "100000", ErrorKind::Overflow},
        ErrorCase{"WrapsThirtyTwoBits", "4294967308", ErrorKind::Overflow},
        ErrorCase{"WrapsToMinusFive", "4294967291", ErrorKind::Overflow},
        ErrorCase{"NegativeWraps", "-4294967308", ErrorKind::Overflow},
        ErrorCase{"TwelveDigitsAfterZeros", "0000429496731212", ErrorKind::Overflow},
        // not a number
        ErrorCase{"Empty", "", ErrorKind::TypeMismatch}, ErrorCase{"Blanks", "   ", ErrorKind::TypeMismatch},
        ErrorCase{"Letters", "abc", ErrorKind::TypeMismatch},
        ErrorCase{"TrailingLetter", "12a", ErrorKind::TypeMismatch},
        ErrorCase{"SignOnly", "-", ErrorKind::TypeMismatch},
        ErrorCase{"DoubleSign", "--1", ErrorKind::TypeMismatch},
        ErrorCase{"BlankAfterSign", "- 1", ErrorKind::TypeMismatch},
        ErrorCase{"BlankInside", "1 2", ErrorKind::TypeMismatch},
        ErrorCase{"TwoPoints", "1.2.3", ErrorKind::TypeMismatch},
        ErrorCase{"HugeButNotANumber", "99999999x", ErrorKind::TypeMismatch},
        ErrorCase{"NulInside", std::string("12\0", 3), ErrorKind::TypeMismatch},
        // forms other tools accept and this one does not
        ErrorCase{"Tab", "\t12", ErrorKind::TypeMismatch},
        ErrorCase{"TrailingTab", "1\t", ErrorKind::TypeMismatch},
        ErrorCase{"TabBetweenSignAndDigits", "-\t1", ErrorKind::TypeMismatch},
        ErrorCase{"Newline", "12\n", ErrorKind::TypeMismatch},
        ErrorCase{"LeadingPoint", ".5", ErrorKind::TypeMismatch},
        ErrorCase{"TrailingPoint", "12.", ErrorKind::TypeMismatch},
        ErrorCase{"TrailingSign", "12-", ErrorKind::TypeMismatch},
        ErrorCase{"Parentheses", "(12)", ErrorKind::TypeMismatch},
        ErrorCase{"Grouping", "1,000", ErrorKind::TypeMismatch},
        ErrorCase{"CommaDecimal", "2,5", ErrorKind::TypeMismatch},
        ErrorCase{"Currency", "$12", ErrorKind::TypeMismatch},
        ErrorCase{"Exponent", "1E2", ErrorKind::TypeMismatch},
        ErrorCase{"Hexadecimal", "&H10", ErrorKind::TypeMismatch},
        ErrorCase{"CHexadecimal", "0x10", ErrorKind::TypeMismatch},
        ErrorCase{"Octal", "&O17", ErrorKind::TypeMismatch},
        ErrorCase{"FullwidthDigits", "\xEF\xBC\x91\xEF\xBC\x92", ErrorKind::TypeMismatch},
        ErrorCase{"NoBreakSpace",
                  "\xC2\xA0"
                  "12",
                  ErrorKind::TypeMismatch},
        ErrorCase{"HighBytes", "\xFF\xFE", ErrorKind::TypeMismatch}),
    row_name);

TEST(Int16FromText, LongTextsNeitherOverflowACounterNorSlowDown) {
    const std::string million_zeros(1'000'000, '0');
    const std::string million_digits(1'000'000, '7');
    EXPECT_EQ(int16_from_text(million_zeros + "12"), 12);
    EXPECT_EQ(int16_from_text(million_digits).error().kind, ErrorKind::Overflow);
    EXPECT_EQ(int16_from_text(million_digits + "x").error().kind, ErrorKind::TypeMismatch);
    EXPECT_EQ(int16_from_text("12." + million_zeros + "1"), 12);
    EXPECT_EQ(int16_from_text("12.5" + million_zeros + "1"), 13);
    EXPECT_EQ(int16_from_text("12.5" + million_zeros), 12);
}

TEST(Int16Text, EveryValueRoundTripsThroughItsText) {
    for (std::int32_t value = -32768; value <= 32767; ++value) {
        const auto text = int16_to_text(static_cast<std::int16_t>(value));
        ASSERT_EQ(text, std::to_string(value));
        ASSERT_EQ(int16_from_text(text), value) << text;
        const auto padded =
            std::string(value < 0 ? "  -000" : "  +000") + std::to_string(std::abs(value)) + "  ";
        ASSERT_EQ(int16_from_text(padded), value) << padded;
    }
}

// Half-way texts around every integer, checked against an independent integer-only reckoning.
TEST(Int16FromText, EveryHalfRoundsToTheEvenNeighbour) {
    for (std::int32_t whole = 0; whole <= 32769; ++whole) {
        const std::int32_t even_neighbour = whole % 2 == 0 ? whole : whole + 1;
        for (const bool negative : {false, true}) {
            const std::int32_t expected = negative ? -even_neighbour : even_neighbour;
            const auto text = (negative ? "-" : "") + std::to_string(whole) + ".5";
            const auto result = int16_from_text(text);
            if (expected < -32768 || expected > 32767) {
                ASSERT_FALSE(result.has_value()) << text;
                ASSERT_EQ(result.error().kind, ErrorKind::Overflow) << text;
            } else {
                ASSERT_EQ(result, expected) << text;
            }
        }
    }
}

TEST(Int16Text, Format) {
    EXPECT_EQ(int16_to_text(12), "12");
    EXPECT_EQ(int16_to_text(-6), "-6");
    EXPECT_EQ(int16_to_text(0), "0");
    EXPECT_EQ(int16_to_text(-32768), "-32768");
}

// Checked arithmetic against exact results in a wider type, for every left operand.
TEST(Int16Arithmetic, AgreesWithWiderIntegersEverywhere) {
    const std::int16_t right_operands[] = {-32768, -12, -4, -2, -1, 0, 1, 2, 4, 12, 1001, 32767};
    for (std::int32_t a = -32768; a <= 32767; ++a) {
        for (const std::int16_t b : right_operands) {
            const auto left = static_cast<std::int16_t>(a);
            const std::int64_t exact[] = {std::int64_t{a} - b, std::int64_t{a} * b, std::int64_t{a} + b};
            const qxrfanuc::Int16Result results[] = {
                qxrfanuc::int16_sub(left, b), qxrfanuc::int16_mul(left, b), qxrfanuc::int16_add(left, b)};
            for (int op = 0; op < 3; ++op) {
                if (exact[op] < -32768 || exact[op] > 32767) {
                    ASSERT_FALSE(results[op].has_value()) << a << " op" << op << " " << b;
                    ASSERT_EQ(results[op].error().kind, ErrorKind::Overflow);
                } else {
                    ASSERT_EQ(results[op], exact[op]) << a << " op" << op << " " << b;
                }
            }
        }
    }
}

TEST(Int16Arithmetic, Boundaries) {
    using qxrfanuc::int16_add;
    using qxrfanuc::int16_mul;
    using qxrfanuc::int16_sub;
    EXPECT_EQ(int16_mul(16383, 2), 32766);
    EXPECT_FALSE(int16_mul(16384, 2));
    EXPECT_EQ(int16_mul(-16384, 2), -32768);
    EXPECT_EQ(int16_mul(2730, 12), 32760);
    EXPECT_FALSE(int16_mul(2731, 12));
    EXPECT_FALSE(int16_mul(-2731, 12));
    EXPECT_FALSE(int16_sub(-32768, 1));
    EXPECT_FALSE(int16_add(32764, 4));
    EXPECT_EQ(int16_add(32763, 4), 32767);
}

TEST(Int16Half, TruncatesTowardsZero) {
    const std::pair<std::int16_t, std::int16_t> cases[] = {
        {13, 6}, {12, 6},   {3, 1},    {15, 7},          {1, 0},
        {-1, 0}, {-13, -6}, {-15, -7}, {-32768, -16384}, {32767, 16383}};
    for (const auto& [value, half] : cases) {
        EXPECT_EQ(qxrfanuc::int16_half(value), half) << value;
    }
}

} // namespace
