// SPDX-License-Identifier: MIT
#include "../table_rows.h"
#include "generator_comment.h"
#include "latest_cover.h"
#include "script_strings.h"
#include "statement_decoder.h"
#include "transfer_checks.h"

#include <array>
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
    std::array<std::int16_t, 3> arguments; // QXR index, Fanuc address, word count
    const char* grid = "";                 // "R", "PR", or "" for neither
    std::optional<std::int16_t> fanuc = std::nullopt;
    std::optional<std::int16_t> items = std::nullopt;
    std::vector<std::int16_t> qxr; // the registers that halve to the index
    bool index_in_range = true;
};

class Decodes : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decodes, ToTheGeneratorsInputs) {
    const auto& c = GetParam();
    const auto decoding = decode_statement(c.arguments[0], c.arguments[1], c.arguments[2]);
    EXPECT_EQ(decoding.index_in_range, c.index_in_range);
    EXPECT_EQ(decoding.grid ? names_of(*decoding.grid).letters : "", c.grid);
    EXPECT_EQ(decoding.fanuc, c.fanuc);
    EXPECT_EQ(decoding.items, c.items);
    EXPECT_EQ(std::vector<std::int16_t>(decoding.qxr_registers().begin(), decoding.qxr_registers().end()),
              c.qxr);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, Decodes,
    testing::Values(
        DecodeCase{
            .name = "Defaults", .arguments = {6, 4, 2}, .grid = "R", .fanuc = 1, .items = 1, .qxr = {12, 13}},
        DecodeCase{.name = "PositionRegister",
                   .arguments = {50, 1025, 24},
                   .grid = "PR",
                   .fanuc = 3,
                   .items = 2,
                   .qxr = {100, 101}},
        DecodeCase{.name = "IndexZeroHasThree",
                   .arguments = {0, 4, 2},
                   .grid = "R",
                   .fanuc = 1,
                   .items = 1,
                   .qxr = {-1, 0, 1}},
        DecodeCase{.name = "NegativeIndex",
                   .arguments = {-6, 4, 2},
                   .grid = "R",
                   .fanuc = 1,
                   .items = 1,
                   .qxr = {-13, -12}},
        DecodeCase{.name = "HighestIndex",
                   .arguments = {16383, 4, 2},
                   .grid = "R",
                   .fanuc = 1,
                   .items = 1,
                   .qxr = {32766, 32767}},
        DecodeCase{.name = "LowestIndexHasOne",
                   .arguments = {-16384, 4, 2},
                   .grid = "R",
                   .fanuc = 1,
                   .items = 1,
                   .qxr = {-32768}},
        DecodeCase{.name = "IndexTooHigh",
                   .arguments = {16384, 4, 2},
                   .grid = "R",
                   .fanuc = 1,
                   .items = 1,
                   .qxr = {},
                   .index_in_range = false},
        DecodeCase{.name = "IndexTooLow",
                   .arguments = {-16385, 4, 2},
                   .grid = "R",
                   .fanuc = 1,
                   .items = 1,
                   .qxr = {},
                   .index_in_range = false},
        DecodeCase{.name = "OffBothGrids", .arguments = {6, 6, 2}, .qxr = {12, 13}},
        DecodeCase{.name = "PRGridPlusOne", .arguments = {6, 1002, 12}, .qxr = {12, 13}},
        DecodeCase{.name = "RAddressThatOverflows",
                   .arguments = {6, -32768, 2},
                   .grid = "R",
                   .items = 1,
                   .qxr = {12, 13}},
        DecodeCase{.name = "LowestRAddress",
                   .arguments = {6, -32764, 2},
                   .grid = "R",
                   .fanuc = -8191,
                   .items = 1,
                   .qxr = {12, 13}},
        DecodeCase{.name = "HighestRAddress",
                   .arguments = {6, 32764, 2},
                   .grid = "R",
                   .fanuc = 8191,
                   .items = 1,
                   .qxr = {12, 13}},
        DecodeCase{.name = "LowestPRAddress",
                   .arguments = {6, -31759, 12},
                   .grid = "PR",
                   .fanuc = -2729,
                   .items = 1,
                   .qxr = {12, 13}},
        DecodeCase{.name = "PRAddressThatOverflows",
                   .arguments = {6, -31771, 12},
                   .grid = "PR",
                   .items = 1,
                   .qxr = {12, 13}},
        DecodeCase{.name = "HighestPRAddress",
                   .arguments = {6, 32765, 12},
                   .grid = "PR",
                   .fanuc = 2648,
                   .items = 1,
                   .qxr = {12, 13}},
        DecodeCase{.name = "OddWordsForR", .arguments = {6, 4, 5}, .grid = "R", .fanuc = 1, .qxr = {12, 13}},
        DecodeCase{
            .name = "RWordsForPR", .arguments = {6, 1001, 2}, .grid = "PR", .fanuc = 1, .qxr = {12, 13}},
        DecodeCase{
            .name = "NoWords", .arguments = {6, 4, 0}, .grid = "R", .fanuc = 1, .items = 0, .qxr = {12, 13}},
        DecodeCase{.name = "NegativeItems",
                   .arguments = {6, 1001, -24},
                   .grid = "PR",
                   .fanuc = 1,
                   .items = -2,
                   .qxr = {12, 13}}),
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

// What a comment in the generator's form is read as.
struct Form {
    bool read_wording;
    RegisterType type;
    std::int64_t fanuc;
    std::int64_t qxr;
    std::string after; // the script's own words after its final period
};

struct CommentCase {
    const char* name;
    std::string text;
    std::optional<Form> form; // none when the comment is not in the form
    std::size_t reached = 0;  // then: how many of its bytes follow a form
};

class ReadsComment : public testing::TestWithParam<CommentCase> {};

TEST_P(ReadsComment, InTheGeneratorsFormOrNot) {
    const auto& c = GetParam();
    const auto read = read_generator_comment(c.text);
    ASSERT_EQ(read.has_value(), c.form.has_value());
    if (read && c.form) {
        EXPECT_EQ(read->read_wording, c.form->read_wording);
        EXPECT_EQ(read->type, c.form->type);
        EXPECT_EQ(read->fanuc.value, c.form->fanuc);
        EXPECT_EQ(read->qxr.value, c.form->qxr);
        EXPECT_EQ(std::string_view(c.text).substr(read->form_end), c.form->after);
    } else if (!read) {
        EXPECT_EQ(read.error(), c.reached);
    }
}

const std::string megabyte(1 << 20, 'x');
const std::string r_read = "Read Value From Fanuc General Register [R] ";

INSTANTIATE_TEST_SUITE_P(
    Comments, ReadsComment,
    testing::Values(
        CommentCase{"Read", " Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12.",
                    Form{true, RegisterType::General, 1, 12, ""}},
        CommentCase{"Write", "Read Value From QXR Register 12, and Store in Fanuc Position Register [PR] 3.",
                    Form{false, RegisterType::Position, 3, 12, ""}},
        CommentCase{"EmptyType", "Read Value From QXR Register 12, and Store in Fanuc  1.",
                    Form{false, RegisterType::Unnamed, 1, 12, ""}},
        CommentCase{"EmptyTypeRead", "Read Value From Fanuc  -3, and Store in QXR Register -7.",
                    Form{true, RegisterType::Unnamed, -3, -7, ""}},
        CommentCase{"TabsAround",
                    "\t Read Value From Fanuc General Register [R] 2, and Store in QXR Register 0. \t",
                    Form{true, RegisterType::General, 2, 0, " \t"}},
        CommentCase{"LongZeros", r_read + "0000000000001, and Store in QXR Register -000000000000012.",
                    Form{true, RegisterType::General, 1, -12, ""}},
        CommentCase{"HugeNumber", r_read + "1, and Store in QXR Register " + std::string(1000, '9') + ".",
                    Form{true, RegisterType::General, 1, 99'999'999, ""}},
        CommentCase{"MegabyteOfBlanks",
                    std::string(1 << 20, ' ') + r_read + "1, and Store in QXR Register 12." +
                        std::string(1 << 20, '\t'),
                    Form{true, RegisterType::General, 1, 12, std::string(1 << 20, '\t')}},
        CommentCase{"WordsAfterTheFinalPeriodAreTheScriptsOwn",
                    r_read + "1, and Store in QXR Register 12. ok",
                    Form{true, RegisterType::General, 1, 12, " ok"}},
        CommentCase{
            "WordingTwiceReadsTheFirst",
            r_read + "1, and Store in QXR Register 12. " + r_read + "2, and Store in QXR Register 14.",
            Form{true, RegisterType::General, 1, 12, " " + r_read + "2, and Store in QXR Register 14."}},
        // Where a comment leaves every form: the byte past the longest start it shares with one.
        CommentCase{"OnlyTheThreeTypeTexts", "Read Value From Fanuc R 1, and Store in QXR Register 12.",
                    std::nullopt, 22},
        CommentCase{"TypeThatBeginsWithTheRText",
                    "Read Value From Fanuc General Register [R]S 1, and Store in QXR Register 12.",
                    std::nullopt, 42},
        CommentCase{"TypeInOtherLetterCase",
                    "Read Value From Fanuc General register [R] 1, and Store in QXR Register 12.",
                    std::nullopt, 30},
        CommentCase{"MegabyteType", "Read Value From Fanuc " + megabyte + " 4, and Store in QXR Register 12.",
                    std::nullopt, 22},
        CommentCase{"BlankDoubledBeforeRegister", r_read + " 1, and Store in QXR Register 12.", std::nullopt,
                    r_read.size()},
        CommentCase{"NoCommaInAWrite",
                    "Read Value From QXR Register 12 and Store in Fanuc General Register [R] 1.",
                    std::nullopt, 31},
        CommentCase{"TextAfterTheFinalDigits", r_read + "1, and Store in QXR Register 12 ok.", std::nullopt,
                    74},
        CommentCase{"NoFullStop", r_read + "1, and Store in QXR Register 12", std::nullopt, 74},
        CommentCase{"PluralWording",
                    "Read Values From Fanuc General Register [R] 1, and Store in QXR Register 12.",
                    std::nullopt, 10},
        CommentCase{"OtherWords", "read value from fanuc R 1, and store in QXR register 12.", std::nullopt,
                    0},
        CommentCase{"Empty", "", std::nullopt, 0}),
    row_name);

struct MentionCase {
    const char* name;
    std::string text;
    bool mentions;
};

class Mentions : public testing::TestWithParam<MentionCase> {};

TEST_P(Mentions, ARegisterByADigitAndAWord) {
    EXPECT_EQ(mentions_register(GetParam().text), GetParam().mentions);
}

INSTANTIATE_TEST_SUITE_P(
    Comments, Mentions,
    testing::Values(MentionCase{"TicketNumber", " ticket 123", false},
                    MentionCase{"NoDigit", " part count to Fanuc", false},
                    MentionCase{"FanucAndADigit", " from FANUC 5", true},
                    MentionCase{"QxrInSmallLetters", "qxr12", true},
                    MentionCase{"RegisterWithADigit", " Register 5 holds the count", true},
                    MentionCase{"InvisibleCharacterInTheWord", " reg\xE2\x80\x8Bister 9", true},
                    MentionCase{"ControlCharacterInTheWord", " fa\tnuc 9", true},
                    MentionCase{"DigitOfAnotherScript", " register \xD9\xA3", false},
                    MentionCase{"Blank", "  ", false}),
    row_name);

// The latest earlier span that each random span meets, against a plain comparison with every earlier one.
TEST(LatestCover, AgreesWithComparingEveryPair) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::int32_t> first(-32768, 60000);
    std::uniform_int_distribution<std::int32_t> width(0, 3000);
    LatestCover cover(-32768, 65535);
    std::vector<RegisterSpan> earlier;
    for (std::uint32_t number = 1; number <= 2000; ++number) {
        const std::int32_t start = first(random) / (number % 3 == 0 ? 64 : 1);
        const RegisterSpan span{start, std::min(start + width(random), 65535)};
        std::uint32_t latest = 0;
        for (std::uint32_t i = 0; i < earlier.size(); ++i) {
            if (earlier[i].first <= span.last && span.first <= earlier[i].last) {
                latest = i + 1;
            }
        }
        ASSERT_EQ(cover.latest(span), latest) << number;
        cover.add(span, number);
        earlier.push_back(span);
    }
    EXPECT_EQ(cover.latest({65535, 65535}), 0U);
    EXPECT_EQ(LatestCover(0, 9).latest({0, 9}), 0U);
}

// Memory stays bounded: past the most held, a transfer is checked against those held but not held itself.
TEST(TransferChecks, HoldNoMoreThanTheirLimit) {
    TransferChecks checks(true, 2);
    const auto read_at = [](std::int16_t qxr, std::size_t line) {
        return Transfer{DecodedInputs{qxr, 1, 1, RegisterType::General}, false, line};
    };
    EXPECT_TRUE(checks.add(read_at(12, 1)));
    EXPECT_TRUE(checks.add(read_at(14, 2)));
    EXPECT_FALSE(checks.add(read_at(16, 3)));
    std::vector<std::string> said;
    const auto say = [&](Check, const std::string& message) { said.push_back(message); };
    checks.check(read_at(16, 4), say);
    EXPECT_TRUE(said.empty());
    checks.check(read_at(14, 5), say);
    EXPECT_EQ(said, std::vector<std::string>{
                        "fills QXR 14 to 15, which the read at line 2 also fills (QXR 14 to 15)"});
}

} // namespace
