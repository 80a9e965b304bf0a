// SPDX-License-Identifier: MIT
// The checker as a whole, from the bytes of a script to its findings, each as the line the command line
// prints for it without the file name.
#include "../generator_statements.h"
#include "../table_rows.h"
#include "../utf16_bytes.h"
#include "display_text.h"
#include "script_check.h"
#include "script_text.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

namespace {

using table_rows::PrintTo;
using table_rows::row_name;

using namespace qxrfanuc;

struct Checked {
    std::string findings; // "LINE:COLUMN: SEVERITY: MESSAGE [CHECK]\n" each
    std::string inputs;   // "QXR,FANUC,ITEMS,TYPE\n" for each statement that decodes to inputs
    UnreadTotals unread;
    std::optional<ScriptEncoding> encoding; // none when the script is refused
};

std::string line_of(std::size_t line, std::size_t column, const Finding& finding) {
    return std::to_string(line) + ':' + std::to_string(column) + ": " +
           std::string(severity_name(finding.severity())) + ": " + finding.message + " [" +
           std::string(finding.name()) + "]\n";
}

// Decoded and checked as the command line does.
Checked check(std::string_view bytes) {
    Checked checked;
    const auto script = decode_script(std::string(bytes));
    if (!script) {
        checked.findings = "refused: " + script.error();
        return checked;
    }
    checked.encoding = script->encoding;
    checked.unread = check_script(
        script->text, CommentFixing::Off,
        [&](const Statement& statement, const StatementCheck& result) {
            // A place's findings come in the order of the table of checks, as the header promises.
            EXPECT_TRUE(std::ranges::is_sorted(result.findings, {}, &Finding::check))
                << "findings out of the table's order at line " << statement.line;
            for (const auto& finding : result.findings) {
                checked.findings += line_of(statement.line, statement.column, finding);
            }
            if (result.inputs) {
                checked.inputs += std::to_string(result.inputs->qxr) + ',' +
                                  std::to_string(result.inputs->fanuc) + ',' +
                                  std::to_string(result.inputs->items) + ',' +
                                  std::string(names_of(result.inputs->type).letters) + '\n';
            }
        },
        [&](std::size_t line, std::size_t column, const Finding& finding) {
            checked.findings += line_of(line, column, finding);
        });
    return checked;
}

const std::string& read_12_1 = generator_statements::read_12_r1;
const std::string& write_12_1 = generator_statements::write_12_r1;
const std::string address_7 =
    "Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid (1001 + 12k) [address]\n";

// A read statement whose comment, from its first R to its final period, is length bytes long: it names
// Fanuc register 9, written with leading zeros to that length, and the QXR register given.
std::string comment_of_length(std::size_t length, const std::string& qxr) {
    const std::string start = "Read Value From Fanuc General Register [R] ";
    const std::string end = "9, and Store in QXR Register " + qxr + ".";
    return "mb.Read(6,4,2,1000);  // " + start + std::string(length - start.size() - end.size(), '0') + end;
}

struct ReaderCase {
    const char* name;
    std::string script;
    std::string findings;
};

class Reads : public testing::TestWithParam<ReaderCase> {};

TEST_P(Reads, EveryFindingInPlace) {
    EXPECT_EQ(check(GetParam().script).findings, GetParam().findings);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, Reads,
    testing::Values(
        ReaderCase{"LoneCarriageReturnsEndLines", "mb.Read(6,4,2,1000); // note\rmb.Read(6,7,2,1000);\r",
                   "2:1: error: " + address_7},
        ReaderCase{"MixedLineEnds", "\r\n\rmb.Read(6,7,2,1000);\n\n\r\nmb.Read(6,7,2,1000);",
                   "3:1: error: " + address_7 + "6:1: error: " + address_7},
        ReaderCase{
            "OpenCommentWarnsWhereItOpens", "mb.Read(6,4,2,1000);\nx = 1; /* open\nmb.Read(6,7,2,1000);\n",
            "2:8: warning: this /* is never closed: the 2 lines from here to the end of the script are "
            "not read [open-comment]\n"},
        ReaderCase{"ClosedCommentIsNoWarning", "/* a\n*/ mb.Read(6,7,2,1000);", "2:4: error: " + address_7},
        ReaderCase{"StarAndSlashOnTwoLinesDoNotClose", "/* a *\n/ mb.Read(6,7,2,1000); */", ""},
        ReaderCase{"BlockCommentInsideAnArgumentIsABlank", "mb.Read(6,4/**/2,2,1000);",
                   "1:1: note: not checked: argument 2 is not a plain integer [unchecked]\n"},
        ReaderCase{"DivisionKeepsColumns", "x = 4 / 2; mb.Read(6,7,2,1000);", "1:12: error: " + address_7},
        ReaderCase{"TabBeforeParenthesis", "mb.Read\t(6,7,2,1000);", "1:1: error: " + address_7},
        ReaderCase{"FiveArguments", "mb.Read(6,7,2,1000,5);",
                   "1:1: note: not checked: 5 arguments, not 4 [unchecked]\n"},
        ReaderCase{"NoArguments", "mb.Read();", "1:1: note: not checked: 0 arguments, not 4 [unchecked]\n"},
        ReaderCase{"OneArgument", "mb.Read(1);", "1:1: note: not checked: 1 argument, not 4 [unchecked]\n"},
        ReaderCase{"LineCommentInsideArguments", "mb.Read(6,4, // x\n2,1000);",
                   "1:1: note: not checked: no closing ) on its line [unchecked]\n"},
        ReaderCase{"NameOnOneLineParenthesisOnTheNext", "mb.Read\n(6,4,2,1000);",
                   "1:1: note: not checked: mb.Read and its ( are on different lines [look-alike]\n"},
        ReaderCase{"BlanksInTheName", "mb . Write (6,4,2,1000);",
                   "1:1: note: not checked: blanks or a comment split the name mb.Write [look-alike]\n"},
        ReaderCase{"CommentInTheName", "x; mb./**/Read(6,4,2,1000);",
                   "1:4: note: not checked: blanks or a comment split the name mb.Read [look-alike]\n"},
        ReaderCase{"NoBreakSpace", "mb.Read\xC2\xA0(6,4,2,1000);",
                   "1:1: note: not checked: a no-break space stands inside mb.Read(, which is read only with "
                   "plain blanks [look-alike]\n"},
        ReaderCase{"LetterCase", "MB.READ(6,4,2,1000); mb.write(6,4,2,1000); Mb.Read(6,4,2,1000);",
                   "1:1: note: not checked: mb.Read is written in other letter case [look-alike]\n"
                   "1:22: note: not checked: mb.Write is written in other letter case [look-alike]\n"
                   "1:44: note: not checked: mb.Read is written in other letter case [look-alike]\n"},
        ReaderCase{"BlanksAndSignsInArguments", "mb.Read( 6 ,\t+4 , 2,1000 );mb.Read(6,7,+2,1000);",
                   "1:28: error: " + address_7},
        ReaderCase{"StatementsBackToBack", "/**/mb.Read(6,7,2,1000);mb.Read(6,7,2,1000)mb.Read(6,7,2,1000)",
                   "1:5: error: " + address_7 + "1:25: error: " + address_7 + "1:44: error: " + address_7},
        // The statement's comment is the first comment after it on its line that holds anything, in
        // either form, whatever stands between, unless another statement does.
        ReaderCase{
            "CommentAfterASecondSemicolon",
            "mb.Read(6,4,2,1000);; // Read Value From Fanuc General Register [R] 9, and Store in QXR "
            "Register 12.",
            "1:1: error: the comment disagrees: it names Fanuc register 9, but the address is register R "
            "1 [comment]\n"},
        ReaderCase{
            "CommentAfterANoBreakSpace",
            "mb.Read(6,4,2,1000);\xC2\xA0// Read Value From Fanuc General Register [R] 9, and Store in QXR "
            "Register 12.",
            "1:1: error: the comment disagrees: it names Fanuc register 9, but the address is register R "
            "1 [comment]\n"},
        ReaderCase{
            "BlockCommentAfterAnEmptyOne",
            "mb.Read(6,4,2,1000); /**/ /* Read Value From Fanuc General Register [R] 9, and Store in QXR "
            "Register 12. */",
            "1:1: error: the comment disagrees: it names Fanuc register 9, but the address is register R "
            "1 [comment]\n"},
        ReaderCase{
            "GeneratorWordingAfterAnotherComment",
            "mb.Read(6,4,2,1000); /* pump */ // Read Value From Fanuc General Register [R] 9, and Store in "
            "QXR Register 12.",
            "1:1: error: the comment disagrees: it names Fanuc register 9, but the address is register R "
            "1 [comment]\n"},
        ReaderCase{
            "DocumentationComments",
            "mb.Read(6,4,2,1000); /// Read Value From Fanuc General Register [R] 9, and Store in QXR "
            "Register 12.\nmb.Read(6,4,2,1000); /** Read Value From Fanuc General Register [R] 8, and Store "
            "in QXR Register 12. */",
            "1:1: error: the comment disagrees: it names Fanuc register 9, but the address is register R "
            "1 [comment]\n2:1: error: the comment disagrees: it names Fanuc register 8, but the address is "
            "register R 1 [comment]\n"},
        ReaderCase{
            "GeneratorWordingDressedOtherwise",
            "mb.Read(6,4,2,1000); // read value from fanuc General Register [R] 9, and Store in QXR "
            "Register 12.\nmb.Read(6,4,2,1000); // note: Read Value From Fanuc General Register [R] 9, and "
            "Store in QXR Register 12.\nmb.Read(6,4,2,1000); // \xE2\x80\x8BRead Value From Fanuc General "
            "Register [R] 9, and Store in QXR Register 12.\nmb.Read(6,4,2,1000); // Read  Value From Fanuc "
            "General Register [R] 9, and Store in QXR Register 12.\nmb.Read(6,4,2,1000); // read value from "
            "the sensor",
            "1:1: note: the comment is not compared: it holds the generator's wording, but it is in other "
            "letter case [comment-form]\n"
            "2:1: note: the comment is not compared: it holds the generator's wording, but other words stand "
            "before it [comment-form]\n"
            "3:1: note: the comment is not compared: it holds the generator's wording, but invisible or "
            "other "
            "non-ASCII characters stand in or before it [comment-form]\n"
            "4:1: note: the comment is not compared: it holds the generator's wording, but its words are "
            "spaced otherwise [comment-form]\n"},
        ReaderCase{
            "CommentOfTheLastStatementOnTheLine",
            "mb.Write(6,8,2,1000); mb.Read(6,4,2,1000); // Read Value From Fanuc General Register [R] 1, "
            "and Store in QXR Register 12.",
            ""},
        ReaderCase{"NameJoinedToTheOneBefore",
                   "xmb.Read(6,7,2,1000); _mb.Read(6,7,2,1000); "
                   "1mb.Write(6,7,2,1000);",
                   ""},
        ReaderCase{"ArgumentsCutShort", "mb.Read(6,7,2,1000\nmb.Read(6,-,2,1000);\nmb.Write(6,7,2,1000,);",
                   "1:1: note: not checked: no closing ) on its line [unchecked]\n"
                   "2:1: note: not checked: argument 2 is not a plain integer [unchecked]\n"
                   "3:1: note: not checked: 5 arguments, not 4 [unchecked]\n"},
        ReaderCase{"NumberBeyondAnyRegister",
                   "mb.Read(6,4,2,00000000000000000000001000);\n"
                   "mb.Read(6,4,2,10000000000000000000000);",
                   "2:1: error: argument 4 (last argument) 10000000000000000000000 (more digits than any "
                   "16-bit number has) is "
                   "outside -32768 to 32767 [argument]\n"},
        ReaderCase{
            "TextBehindALineEndOfOtherEditors",
            "mb.Read(6,4,2,1000); // note\xE2\x80\xA8mb.Write(6,7,2,1000);\n// a\x0B b\n// c\xC2\x85 \n",
            "1:29: warning: not read: a line separator (U+2028) inside this // comment ends the line in some "
            "editors and languages, so what follows it may run; it is read as part of the comment "
            "[hidden-text]\n"
            "2:5: warning: not read: a vertical tab inside this // comment ends the line in some editors and "
            "languages, so what follows it may run; it is read as part of the comment [hidden-text]\n"},
        ReaderCase{
            "CommentStartInAString",
            "x = \"http://host\"; mb.Read(6,7,2,1000);\ny = \"a\" + \"/*\"; mb.Read(6,7,2,1000); \"*/\"",
            "1:11: warning: not read: this // may stand inside a string (an odd number of \" stands before "
            "it "
            "on its line), where it starts no comment; what follows it is read as a comment [hidden-text]\n"
            "2:12: warning: not read: this /* may stand inside a string (an odd number of \" stands before "
            "it "
            "on its line), where it starts no comment; what follows it is read as a comment [hidden-text]\n"},
        ReaderCase{"NotLookAlikes", "mb.Reads(1); xmb.read(1); mb.Read; MB.READ = 1; mb.Readout\n(1);", ""},
        ReaderCase{"SpacedSignOnASecondLine", "x\nmb.Read(6,- 4,2,1000);\nmb.Read(6,- 4,x,1000);",
                   "2:1: note: not checked: argument 2 is not a plain integer [unchecked]\n"
                   "3:1: note: not checked: argument 2 is not a plain integer [unchecked]\n"},
        ReaderCase{"CommentLineThenLoneCarriageReturn", "// note\rmb.Read(6,7,2,1000);\rmb.Read(6,7,2,1000);",
                   "2:1: error: " + address_7 + "3:1: error: " + address_7},
        ReaderCase{"MixedCaseAndLatin1NoBreakSpace", "mb.ReAD(6,4,2,1000); mb.Read\xA0(6,4,2,1000);",
                   "1:1: note: not checked: mb.Read is written in other letter case [look-alike]\n"
                   "1:22: note: not checked: a no-break space stands inside mb.Read(, which is read only "
                   "with plain blanks [look-alike]\n"},
        ReaderCase{"OddBlanksAndInvisibleCharacters",
                   "mb.Read\v(6,4,2,1000);\nmb.Re\xE2\x80\x8B"
                   "ad(6,4,2,1000);\nmb.Write\xE3\x80\x80(1);",
                   "1:1: note: not checked: an invisible character or a blank other than a space or tab "
                   "stands inside "
                   "mb.Read(, which is read only with plain blanks [look-alike]\n"
                   "2:1: note: not checked: an invisible character or a blank other than a space or tab "
                   "stands inside "
                   "mb.Read(, which is read only with plain blanks [look-alike]\n"
                   "3:1: note: not checked: an invisible character or a blank other than a space or tab "
                   "stands inside "
                   "mb.Write(, which is read only with plain blanks [look-alike]\n"},
        ReaderCase{
            "LettersThatLookTheSame",
            "\xD0\xBC"
            "b.Read(6,4,2,1000); mb.R\xD0\xB5"
            "ad(1); mb.Read\xEF\xBC\x88"
            "1); "
            "\xEF\xBD\x8D\xEF\xBD\x82.Write(1); x\xD0\xBC"
            "b.Read(1);",
            "1:1: note: not checked: mb.Read is written with letters of another script or full-width forms "
            "that look the same [look-alike]\n"
            "1:23: note: not checked: mb.Read is written with letters of another script or full-width forms "
            "that look the same [look-alike]\n"
            "1:36: note: not checked: mb.Read is written with letters of another script or full-width forms "
            "that look the same [look-alike]\n"
            "1:50: note: not checked: mb.Write is written with letters of another script or full-width forms "
            "that look the same [look-alike]\n"},
        ReaderCase{"PartOfANameThenALineBreak", "mb.Rea\n(6,4,2,1000);", ""},
        ReaderCase{
            "EightDigitsAreBeyond16Bits", "mb.Read(6,4,2,10000000);",
            "1:1: error: argument 4 (last argument) 10000000 (more digits than any 16-bit number has) is "
            "outside -32768 to 32767 [argument]\n"},
        ReaderCase{
            "IndexBeforeAddress", "mb.Read(20000,7,2,1000);",
            "1:1: error: QXR index 20000 is outside -16384 to 16383: no 16-bit QXR register halves to it "
            "[index]\n1:1: error: " +
                address_7},
        ReaderCase{
            "CommentComparedDespiteWords",
            "mb.Write(6,4,3,1000);  // Read Value From QXR Register 12, and Store in Fanuc General "
            "Register [R] 5.",
            "1:1: error: word count 3 is not a whole number of R items (2 words each) [words]\n"
            "1:1: error: the comment disagrees: it names Fanuc register 5, but the address is register "
            "R 1 [comment]\n"},
        ReaderCase{
            "CommentComparedDespiteIndex",
            "mb.Read(20000,4,2,1000);  // Read Value From Fanuc General Register [R] 2, and Store in QXR "
            "Register 12.",
            "1:1: error: QXR index 20000 is outside -16384 to 16383: no 16-bit QXR register halves to it "
            "[index]\n"
            "1:1: error: the comment disagrees: it names Fanuc register 2, but the address is register R "
            "1; it names QXR register 12, whose half is not the QXR index 20000 [comment]\n"},
        ReaderCase{
            "WriteWordingWithNegativeQxr",
            "mb.Write(-6,4,2,1000);  // Read Value From QXR Register -13, and Store in Fanuc General "
            "Register [R] 2.",
            "1:1: error: the comment disagrees: it names Fanuc register 2, but the address is register R "
            "1 [comment]\n1:1: warning: QXR register -13 is outside 12 to 16000 [range]\n"},
        ReaderCase{
            "LieAtTheEndOfALongComment",
            "mb.Write(50,1025,24,1000);  // Read Value From QXR Register 100, and Store in Fanuc " +
                std::string(5000, 'x') + " 9.",
            "1:1: error: the comment disagrees: it names Fanuc register 9, but the address is register PR "
            "3 [comment]\n"},
        ReaderCase{
            "LongTypeShownByItsStart",
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc " + std::string(5000, 'y') +
                " 1, and Store in QXR Register 12.",
            "1:1: error: the comment disagrees: its type \"" + std::string(40, 'y') +
                "...\" takes the PR rule (only the exact text \"General Register [R]\" selects the R rule), "
                "but the address is on the R grid [comment]\n"},
        ReaderCase{
            "QxrBeyond16BitsNeverWraps",
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
            "Register 65548.",
            "1:1: error: the comment disagrees: it names QXR register 65548, which is no 16-bit number "
            "(-32768 to 32767) [comment]\n"},
        ReaderCase{
            "QxrShownAsTheCommentWritesIt",
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
            "Register 123456789012.",
            "1:1: error: the comment disagrees: it names QXR register 123456789012 (more digits than any "
            "16-bit number has), which is no 16-bit number (-32768 to 32767) [comment]\n"},
        ReaderCase{
            "QxrMinus32769IsNo16BitNumber",
            "mb.Read(-16384,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in "
            "QXR Register -32769.",
            "1:1: error: the comment disagrees: it names QXR register -32769, which is no 16-bit number "
            "(-32768 to 32767) [comment]\n"
            "1:1: warning: QXR register -32768 is outside 12 to 16000 [range]\n"},
        ReaderCase{
            "CommentOf768Bytes", comment_of_length(768, "12"),
            "1:1: error: the comment disagrees: it names Fanuc register 9, but the address is register "
            "R 1 [comment]\n"},
        ReaderCase{
            "CommentLongerThan768BytesNamingQxr0", comment_of_length(2000, "0"),
            "1:1: error: the comment disagrees: it names Fanuc register 9, but the address is register "
            "R 1; it names QXR register 0, whose half is not the QXR index 6 [comment]\n"},
        ReaderCase{
            "TypeLettersOnlyAsTheCommentHasThem",
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc R 1, and Store in QXR Register 12.",
            "1:1: error: the comment disagrees: its type \"R\" takes the PR rule (only the exact text "
            "\"General Register [R]\" selects the R rule), but the address is on the R grid [comment]\n"},
        // Words of the script's own after the generator's form leave the form compared.
        ReaderCase{
            "WordsAfterTheForm",
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 9, and Store in QXR "
            "Register 12. DO NOT CHANGE, see ticket #123",
            "1:1: error: the comment disagrees: it names Fanuc register 9, but the address is register R 1 "
            "[comment]\n"},
        ReaderCase{
            "MissingCommaInAWrite",
            "mb.Write(6,4,2,1000); // Read Value From QXR Register 12 and Store in Fanuc General Register "
            "[R] "
            "1.",
            "1:1: note: the comment is not compared: it begins like the generator's, but no comma stands "
            "before \"and Store in Fanuc\" [comment-form]\n"},
        ReaderCase{
            "MisshapenCommentIsNotedNotCompared",
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 9, and Store in QXR "
            "Register 12 (pump). ok\n"
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 9 and Store in QXR "
            "Register 12. \t\n"
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R]  9, and Store in QXR "
            "Register 12.\n"
            "mb.Read(6,4,2,1000);  // Read Value From the robot\n",
            "1:1: note: the comment is not compared: it begins like the generator's, but text follows the "
            "final period [comment-form]\n"
            "2:1: note: the comment is not compared: it begins like the generator's, but no comma stands "
            "before \"and Store in QXR Register\" [comment-form]\n"
            "3:1: note: the comment is not compared: it begins like the generator's, but a blank is "
            "doubled around the type [comment-form]\n"
            "4:1: note: the comment is not compared: it begins like the generator's, but \"Read Value "
            "From\" is not followed by \"Fanuc \" or \"QXR Register \" [comment-form]\n"},
        ReaderCase{
            "EscapedTypeText",
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc \x1B[31mEVIL\x1B[0m\xE2\x80\xAE\x07\xFF 1, "
            "and Store in QXR Register 12.",
            "1:1: error: the comment disagrees: its type \"\\x1B[31mEVIL\\x1B[0m\\xE2\\x80\\xAE\\x07\\xFF\" "
            "takes the PR rule (only the exact text \"General Register [R]\" selects the R rule), but the "
            "address is on the R grid [comment]\n"},
        ReaderCase{
            "OverlapAt32767", "mb.Write(0,32764,8,1000);\nmb.Write(0,32767,2,1000);",
            "1:1: warning: QXR register 0 is outside 12 to 16000; Fanuc register R 8191 is outside 1 to "
            "200 [range]\n"
            "2:1: error: Fanuc address 32767 is on neither the R grid (multiples of 4) nor the PR grid "
            "(1001 + 12k) [address]\n"
            "2:1: warning: writes Fanuc addresses [32767, 32769), which overlap [32764, 32772) written at "
            "line 1 (1 earlier write overlaps in all) [overlap]\n"},
        ReaderCase{"RangeBeforeOverlap", "mb.Write(6,4,60,1000);\nmb.Write(6,4,62,1000);",
                   "2:1: warning: item count 31 is outside 1 to 30 [range]\n"
                   "2:1: warning: writes Fanuc addresses [4, 66), which overlap [4, 64) written at line 1 (1 "
                   "earlier write overlaps in all) [overlap]\n"},
        ReaderCase{"ZeroWordWritesNeverOverlap",
                   "mb.Write(6,4,8,1000);\nmb.Write(6,8,0,1000);\nmb.Write(6,4,8,1000);",
                   "2:1: warning: item count 0 transfers nothing [range]\n"
                   "3:1: warning: writes Fanuc addresses [4, 12), which overlap [4, 12) written at line 1 (1 "
                   "earlier write overlaps in all) [overlap]\n"},
        ReaderCase{"GeneratedStatementsAreClean", read_12_1 + "\n" + write_12_1 + "\n", ""},
        ReaderCase{"CommentsFirst",
                   "// mb.Read(1,2,3,4)\n/* mb.Write(6,6,2,1000);\nmb.Read(x) */ mb.Read(6,4,2,1000)\n", ""},
        ReaderCase{"NotAStatement", "xmb.Read(1,2,3,4) _mb.Read(1) a.mb.Write(1) mb.Reads(1) mb.Write\n", ""},
        ReaderCase{"Unchecked",
                   "mb.Read(a,4,2,1000) mb.Read(6,4,2) mb.Write(6,f(4),2,1000) mb.Read(6,4,2,1000\n"
                   "mb.Read(6, 4 2,2,1000) mb.Read(6,- 4,2,1000) mb.Read( +6 ,4,2,1000)\n",
                   "1:1: note: not checked: argument 1 is not a plain integer [unchecked]\n"
                   "1:21: note: not checked: 3 arguments, not 4 [unchecked]\n"
                   "1:36: note: not checked: argument 2 is not a plain integer [unchecked]\n"
                   "1:60: note: not checked: no closing ) on its line [unchecked]\n"
                   "2:1: note: not checked: argument 2 is not a plain integer [unchecked]\n"
                   "2:24: note: not checked: argument 2 is not a plain integer [unchecked]\n"},
        ReaderCase{
            "ArgumentOutside16Bits",
            "mb.Read(6,32768,-32769,1000) mb.Read(6,4,2," + std::string(30, '7') + ")\n",
            "1:1: error: argument 2 (Fanuc address) 32768 is outside -32768 to 32767; argument 3 (word "
            "count) "
            "-32769 is outside -32768 to 32767 [argument]\n"
            "1:30: error: argument 4 (last argument) 77777777777777777777... (30 characters) (more "
            "digits than any "
            "16-bit number has) is outside -32768 to 32767 [argument]\n"},
        ReaderCase{
            "IndexEdges", "mb.Read(16383,4,2,1000) mb.Read(-16384,4,2,1000) mb.Read(16384,4,2,1000)\n",
            "1:1: warning: QXR register 32766 is outside 12 to 16000 [range]\n"
            "1:25: warning: QXR register -32768 is outside 12 to 16000 [range]\n"
            "1:50: error: QXR index 16384 is outside -16384 to 16383: no 16-bit QXR register halves to it "
            "[index]\n"},
        ReaderCase{
            "AddressAndWords",
            "mb.Read(6,6,2,1000)\nmb.Read(6,-32768,2,1000)\nmb.Read(6,1001,2,1000)\nmb.Read(6,8,3,999)\n",
            "1:1: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR grid "
            "(1001 + 12k) [address]\n"
            "2:1: error: Fanuc address -32768 is on the R grid, but the generator cannot write it: register "
            "R -8192 overflows its 16-bit arithmetic [address]\n"
            "3:1: error: word count 2 is not a whole number of PR items (12 words each) [words]\n"
            "4:1: error: word count 3 is not a whole number of R items (2 words each) [words]\n"
            "4:1: warning: last argument is 999; the generator always writes 1000 [last-argument]\n"},
        ReaderCase{
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
            "[comment]\n"},
        ReaderCase{
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
            "[range]\n"},
        ReaderCase{
            "Overlaps",
            "mb.Write(6,4,4,1000)\nmb.Read(6,4,62,1000)\nmb.Write(6,8,2,1000)\nmb.Write(6,4,6,1000)\n"
            "mb.Write(6,12,0,1000) mb.Write(6,8,2,1000)\n",
            "2:1: warning: item count 31 is outside 1 to 30 [range]\n"
            "4:1: warning: writes Fanuc addresses [4, 10), which overlap [8, 10) written at line 3 (2 "
            "earlier "
            "writes overlap in all) [overlap]\n"
            "5:1: warning: item count 0 transfers nothing [range]\n"
            "5:23: warning: writes Fanuc addresses [8, 10), which overlap [4, 10) written at line 4 (2 "
            "earlier writes overlap in all) [overlap]\n"},
        ReaderCase{"PartOfAByteOrderMarkIsText", "\xEF\xBBmb.Read(6,6,2,1000)\n",
                   "1:3: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{
            "LineEndingsAndByteOrderMark",
            "\xEF\xBB\xBFmb.Read(6,4,2,1000); // Read Value From Fanuc General Register [R] 1, and Store in "
            "QXR Register 14.\r\n\r\n  mb.Read(6,6,2,1000)\r\nmb.Read(6,4,2,1000\r",
            "1:1: error: the comment disagrees: it names QXR register 14, whose half is not the QXR index 6 "
            "[comment]\n"
            "3:3: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR grid "
            "(1001 + 12k) [address]\n"
            "4:1: note: not checked: no closing ) on its line [unchecked]\n"}),
    row_name);

TEST(ScriptReader, CountsWhatItDidNotRead) {
    const auto checked = check("MB.READ(1,2,3,4);\nmb . Read(1,2,3,4);\n/*\n\n");
    EXPECT_EQ(checked.unread.look_alikes, 2U);
    EXPECT_EQ(checked.unread.hidden_lines, 2U);
}

struct EncodingCase {
    const char* name;
    std::string bytes;
    std::optional<ScriptEncoding> encoding;
    std::string findings;
};

class ReadsEncoding : public testing::TestWithParam<EncodingCase> {};

TEST_P(ReadsEncoding, AsTheSameText) {
    const auto checked = check(GetParam().bytes);
    EXPECT_EQ(checked.encoding, GetParam().encoding);
    EXPECT_EQ(checked.findings, GetParam().findings);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, ReadsEncoding,
    testing::Values(
        EncodingCase{"Utf16LittleEndian", utf16_bytes(u"\u00e9\U0001F600 mb.Read(6,7,2,1000);\r\n", true),
                     ScriptEncoding::Utf16LittleEndian, "1:8: error: " + address_7},
        EncodingCase{"Utf16BigEndian", utf16_bytes(u"x\nmb.Read(6,7,2,1000);", false),
                     ScriptEncoding::Utf16BigEndian, "2:1: error: " + address_7},
        EncodingCase{"LoneSurrogateIsNoStatement", utf16_bytes(u"\xD800mb.Read(6,7,2,1000);", true),
                     ScriptEncoding::Utf16LittleEndian, "1:4: error: " + address_7},
        EncodingCase{"Utf16WithoutByteOrderMarkIsRefused",
                     utf16_bytes(u"mb.Read(6,7,2,1000);\nmb.Read(6,7,2,1000);\n", true).substr(2),
                     std::nullopt,
                     "refused: its encoding cannot be read: it has NUL bytes in most lines (save it as "
                     "UTF-8, or as UTF-16 with a byte order mark)"},
        EncodingCase{"Utf16ByteOrderMarkBeforeUtf8IsRefused", "\xFF\xFEmb.Read(6,7,2,1000);\n", std::nullopt,
                     "refused: it starts with the bytes of a UTF-16 byte order mark, but holds no UTF-16 "
                     "text (remove those two bytes, or save it as UTF-16 with a byte order mark)"},
        EncodingCase{"Utf32IsRefused", std::string("\xFF\xFE\0\0m\0\0\0", 8), std::nullopt,
                     "refused: it is UTF-32, which is not read (save it as UTF-8, or as UTF-16 with a "
                     "byte order mark)"},
        EncodingCase{"Utf32BigEndianIsRefused", std::string("\0\0\xFE\xFF\0\0\0m", 8), std::nullopt,
                     "refused: it is UTF-32, which is not read (save it as UTF-8, or as UTF-16 with a "
                     "byte order mark)"},
        EncodingCase{"NulsInExactlyHalfTheLinesAreText",
                     std::string("a\0\nmb.Read(6,7,2,1000);\nb\0\nc\n", 29), ScriptEncoding::Utf8,
                     "2:1: error: " + address_7},
        // Lines counted as everywhere, a lone CR ending one; the whole text decides, however long its start.
        EncodingCase{"CarriageReturnLinesWithOneNulAreText",
                     std::string("a\0\rmb.Read(6,7,2,1000);\rb\rc\r", 26), ScriptEncoding::Utf8,
                     "2:1: error: " + address_7},
        EncodingCase{
            "Utf16AfterALongCleanStartIsRefused",
            std::string(5000, 'x') + "\n" +
                utf16_bytes(u"mb.Read(6,7,2,1000);\nmb.Read(6,7,2,1000);\nmb.Read(6,7,2,1000);\n", true)
                    .substr(2),
            std::nullopt,
            "refused: its encoding cannot be read: it has NUL bytes in most lines (save it as UTF-8, or as "
            "UTF-16 with a byte order mark)"},
        EncodingCase{"AFewNulsAreText", std::string("a\0b\nmb.Read(6,7,2,1000);\nc\n", 26),
                     ScriptEncoding::Utf8, "2:1: error: " + address_7}),
    row_name);

struct EscapeCase {
    const char* name;
    std::string text;
    std::string shown;
};

class Escapes : public testing::TestWithParam<EscapeCase> {};

TEST_P(Escapes, ForDisplay) {
    EXPECT_EQ(display_escaped(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Escapes,
    testing::Values(EscapeCase{"Plain", "background.txt", "background.txt"},
                    EscapeCase{"WindowsPath", "C:\\scripts\\bg.txt", "C:\\scripts\\bg.txt"},
                    EscapeCase{"Letters", "r\xC3\xA9glage \xE6\x97\xA5", "r\xC3\xA9glage \xE6\x97\xA5"},
                    EscapeCase{"Controls", std::string("\x1B[31m\r\b\a\0\x7F", 10),
                               "\\x1B[31m\\x0D\\x08\\x07\\x00\\x7F"},
                    EscapeCase{"C1Control", "\xC2\x85", "\\xC2\\x85"},
                    EscapeCase{"SoftHyphen", "\xC2\xAD", "\\xC2\\xAD"},
                    EscapeCase{"RightToLeftOverride", "\xE2\x80\xAE", "\\xE2\\x80\\xAE"},
                    EscapeCase{"LineSeparator", "\xE2\x80\xA8", "\\xE2\\x80\\xA8"},
                    EscapeCase{"ByteOrderMark", "\xEF\xBB\xBF", "\\xEF\\xBB\\xBF"},
                    EscapeCase{"LanguageTag", "\xF3\xA0\x80\x81", "\\xF3\\xA0\\x80\\x81"},
                    EscapeCase{"InvalidBytes", "\xFF\xC3(\xE2\x80", "\\xFF\\xC3(\\xE2\\x80"},
                    EscapeCase{"Overlong", "\xC0\xAF", "\\xC0\\xAF"},
                    EscapeCase{"BlanksThatAreNoSpace", "General\xC2\xA0Register\xE3\x80\x80[R]\xE2\x80\x83",
                               "General\\xC2\\xA0Register\\xE3\\x80\\x80[R]\\xE2\\x80\\x83"},
                    EscapeCase{"LeftToRightAndRightToLeftMarks", "a\xE2\x80\x8E\xE2\x80\x8F",
                               "a\\xE2\\x80\\x8E\\xE2\\x80\\x8F"},
                    EscapeCase{"OverlongThreeAndFourBytes", "\xE0\x80\xAF\xF0\x80\x80\xAF",
                               "\\xE0\\x80\\xAF\\xF0\\x80\\x80\\xAF"},
                    EscapeCase{"Surrogate", "\xED\xA0\x80", "\\xED\\xA0\\x80"},
                    EscapeCase{"Emoji", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"}),
    row_name);

} // namespace
