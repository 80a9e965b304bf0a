// SPDX-License-Identifier: MIT
#include "../table_rows.h"
#include "generator_comment.h"
#include "script_strings.h"
#include "statement_decoder.h"
#include "write_overlaps.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using table_rows::PrintTo;
using table_rows::row_name;

using namespace qxrfanuc;

struct DecodeCase {
    const char* name;
    std::int16_t index, address, words;
    bool index_in_range;
    const char* grid; // "R", "PR" or ""
    std::optional<std::int16_t> fanuc, items;
    std::vector<std::int16_t> qxr;
};

class Decodes : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decodes, ToTheGeneratorsInputs) {
    const auto& c = GetParam();
    const auto decoding = decode_statement(c.index, c.address, c.words);
    EXPECT_EQ(decoding.index_in_range, c.index_in_range);
    EXPECT_EQ(decoding.grid ? names_of(*decoding.grid).letters : "", c.grid);
    EXPECT_EQ(decoding.fanuc, c.fanuc);
    EXPECT_EQ(decoding.items, c.items);
    EXPECT_EQ(std::vector<std::int16_t>(decoding.qxr_registers().begin(), decoding.qxr_registers().end()),
              c.qxr);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, Decodes,
    testing::Values(DecodeCase{"Defaults", 6, 4, 2, true, "R", 1, 1, {12, 13}},
                    DecodeCase{"PositionRegister", 50, 1025, 24, true, "PR", 3, 2, {100, 101}},
                    DecodeCase{"IndexZeroHasThree", 0, 4, 2, true, "R", 1, 1, {-1, 0, 1}},
                    DecodeCase{"NegativeIndex", -6, 4, 2, true, "R", 1, 1, {-13, -12}},
                    DecodeCase{"HighestIndex", 16383, 4, 2, true, "R", 1, 1, {32766, 32767}},
                    DecodeCase{"LowestIndexHasOne", -16384, 4, 2, true, "R", 1, 1, {-32768}},
                    DecodeCase{"IndexTooHigh", 16384, 4, 2, false, "R", 1, 1, {}},
                    DecodeCase{"IndexTooLow", -16385, 4, 2, false, "R", 1, 1, {}},
                    DecodeCase{"OffBothGrids", 6, 6, 2, true, "", std::nullopt, std::nullopt, {12, 13}},
                    DecodeCase{"PRGridPlusOne", 6, 1002, 12, true, "", std::nullopt, std::nullopt, {12, 13}},
                    DecodeCase{"RAddressThatOverflows", 6, -32768, 2, true, "R", std::nullopt, 1, {12, 13}},
                    DecodeCase{"LowestRAddress", 6, -32764, 2, true, "R", -8191, 1, {12, 13}},
                    DecodeCase{"HighestRAddress", 6, 32764, 2, true, "R", 8191, 1, {12, 13}},
                    DecodeCase{"LowestPRAddress", 6, -31759, 12, true, "PR", -2729, 1, {12, 13}},
                    DecodeCase{
                        "PRAddressThatOverflows", 6, -31771, 12, true, "PR", std::nullopt, 1, {12, 13}},
                    DecodeCase{"HighestPRAddress", 6, 32765, 12, true, "PR", 2648, 1, {12, 13}},
                    DecodeCase{"OddWordsForR", 6, 4, 5, true, "R", 1, std::nullopt, {12, 13}},
                    DecodeCase{"RWordsForPR", 6, 1001, 2, true, "PR", 1, std::nullopt, {12, 13}},
                    DecodeCase{"NoWords", 6, 4, 0, true, "R", 1, 0, {12, 13}},
                    DecodeCase{"NegativeItems", 6, 1001, -24, true, "PR", 1, -2, {12, 13}}),
    row_name);

// Every statement the generator writes decodes back to its own inputs, under both rules.
TEST(DecodeStatement, InvertsTheGenerator) {
    for (int fanuc = -9000; fanuc <= 9000; fanuc += 7) {
        for (const auto type : {general_register_type, position_register_type}) {
            const auto text = std::to_string(fanuc);
            const auto generated = generate_script_strings("-25", text, "3", type);
            if (!generated) {
                continue;
            }
            const auto& rule = mapping_rule(type);
            const auto address = *fanuc_address(static_cast<std::int16_t>(fanuc), rule);
            const auto decoding = decode_statement(-12, address, *word_count(3, rule));
            ASSERT_TRUE(decoding.index_in_range) << generated->writestring;
            EXPECT_EQ(decoding.fanuc, fanuc);
            EXPECT_EQ(decoding.items, 3);
            EXPECT_EQ(decoding.grid == RegisterType::General, type == general_register_type);
        }
    }
}

struct CommentCase {
    const char* name;
    std::string text;
    bool in_form;
    bool read_wording = false;
    bool general = false;
    std::int64_t fanuc = 0;
    std::int64_t qxr = 0;
};

class ReadsComment : public testing::TestWithParam<CommentCase> {};

TEST_P(ReadsComment, InTheGeneratorsFormOrNot) {
    const auto& c = GetParam();
    const auto parsed = parse_generator_comment(c.text);
    ASSERT_EQ(parsed.has_value(), c.in_form);
    if (parsed) {
        EXPECT_EQ(parsed->read_wording, c.read_wording);
        EXPECT_EQ(parsed->general_type, c.general);
        EXPECT_EQ(parsed->fanuc.value, c.fanuc);
        EXPECT_EQ(parsed->qxr.value, c.qxr);
    }
}

const std::string megabyte(1 << 20, 'x');

INSTANTIATE_TEST_SUITE_P(
    Comments, ReadsComment,
    testing::Values(
        CommentCase{"Read", " Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12.",
                    true, true, true, 1, 12},
        CommentCase{"Write", "Read Value From QXR Register 12, and Store in Fanuc Position Register [PR] 3.",
                    true, false, false, 3, 12},
        CommentCase{"EmptyType", "Read Value From QXR Register 12, and Store in Fanuc  1.", true, false,
                    false, 1, 12},
        CommentCase{"TabsAroundCount", "\t Read Value From Fanuc R 2, and Store in QXR Register -7. \t", true,
                    true, false, 2, -7},
        CommentCase{"TypeWithDigits", "Read Value From Fanuc R1 -5, and Store in QXR Register 0.", true, true,
                    false, -5, 0},
        CommentCase{"LongZeros",
                    "Read Value From Fanuc General Register [R] 0000000000001, and Store in QXR "
                    "Register -000000000000012.",
                    true, true, true, 1, -12},
        CommentCase{"HugeNumber",
                    "Read Value From Fanuc General Register [R] 1, and Store in QXR Register " +
                        std::string(1000, '9') + ".",
                    true, true, true, 1, 99'999'999},
        CommentCase{"MegabyteType", "Read Value From Fanuc " + megabyte + " 4, and Store in QXR Register 12.",
                    true, true, false, 4, 12},
        CommentCase{"MegabyteOfBlanks",
                    std::string(1 << 20, ' ') +
                        "Read Value From Fanuc General Register [R] 1, and Store in QXR "
                        "Register 12." +
                        std::string(1 << 20, '\t'),
                    true, true, true, 1, 12},
        CommentCase{"BlankDoubledBeforeRegister",
                    "Read Value From Fanuc General Register [R]  1, and Store in QXR Register 12.", false},
        CommentCase{"BlankDoubledAfterFanuc",
                    "Read Value From Fanuc  General Register [R] 1, and Store in QXR Register 12.", false},
        CommentCase{"WordsAfterTheFinalPeriodAreTheScriptsOwn",
                    "Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12. ok", true,
                    true, true, 1, 12},
        CommentCase{"TextAfterTheFinalDigits",
                    "Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12 ok.", false},
        CommentCase{"WordingTwiceReadsTheFirst",
                    "Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12. Read Value "
                    "From Fanuc General Register [R] 1, and Store in QXR Register 12.",
                    true, true, true, 1, 12},
        CommentCase{
            "WriteWordingTwiceReadsTheFirst",
            "Read Value From QXR Register 12, and Store in Fanuc R 5. Read Value From QXR Register 14, "
            "and Store in Fanuc R 6.",
            true, false, false, 5, 12},
        CommentCase{"NoFullStop",
                    "Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12", false},
        CommentCase{"NoBlankBeforeRegister",
                    "Read Value From Fanuc General Register [R]1, and Store in QXR "
                    "Register 12.",
                    false},
        CommentCase{"OtherWords", "read value from fanuc R 1, and store in QXR register 12.", false},
        CommentCase{"Empty", "", false}),
    row_name);

// The overlaps of random writes, against a plain comparison with every earlier one.
TEST(WriteOverlaps, AgreeWithComparingEveryPair) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::int32_t> first(-32768, 32767);
    std::uniform_int_distribution<std::int32_t> width(1, 3000);
    WriteOverlaps overlaps;
    std::vector<WrittenRange> earlier;
    for (std::size_t line = 1; line <= 2000; ++line) {
        const std::int32_t start = first(random) / (line % 3 == 0 ? 64 : 1);
        const WrittenRange range{line, start, start + width(random)};
        std::size_t count = 0;
        std::size_t latest = 0;
        for (const auto& other : earlier) {
            if (other.first < range.end && range.first < other.end) {
                ++count;
                latest = other.line;
            }
        }
        const auto overlap = overlaps.add(range);
        ASSERT_EQ(overlap.has_value(), count > 0) << line;
        if (overlap) {
            EXPECT_EQ(overlap->count, count);
            EXPECT_EQ(overlap->latest.line, latest);
        }
        earlier.push_back(range);
    }
}

} // namespace
