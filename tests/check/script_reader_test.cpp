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

std::string line_of(const Finding& finding) {
    return std::to_string(finding.line) + ':' + std::to_string(finding.column) + ": " +
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
    std::vector<Finding> place; // the findings of the place last reported
    checked.unread = check_script(script->text, CommentFixing::Off,
                                  CheckSinks{[&](const Finding& finding) {
                                                 // A place's findings come in the order of the table of
                                                 // checks, as the header promises.
                                                 if (!place.empty() && place.back().line == finding.line &&
                                                     place.back().column == finding.column) {
                                                     EXPECT_LE(place.back().check, finding.check)
                                                         << "findings out of the table's order at "
                                                         << finding.line << ':' << finding.column;
                                                 }
                                                 place.assign(1, finding);
                                                 checked.findings += line_of(finding);
                                             },
                                             [&](const Statement&, const StatementMeaning& meaning) {
                                                 if (const auto& inputs = meaning.inputs) {
                                                     checked.inputs +=
                                                         std::to_string(inputs->qxr) + ',' +
                                                         std::to_string(inputs->fanuc) + ',' +
                                                         std::to_string(inputs->items) + ',' +
                                                         std::string(names_of(inputs->type).letters) + '\n';
                                                 }
                                             },
                                             [](const Edit&) { ADD_FAILURE() << "an edit without a fix"; }});
    return checked;
}

const std::string& read_12_1 = generator_statements::read_12_r1;
const std::string& write_100_pr3 = generator_statements::write_100_pr3;
const std::string address_7 =
    "Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid (1001 + 12k) [address]\n";

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
                   "2:1: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"MixedLineEnds", "\r\n\rmb.Read(6,7,2,1000);\n\n\r\nmb.Read(6,7,2,1000);",
                   "3:1: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"
                   "6:1: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"OpenCommentWarnsWhereItOpens",
                   "mb.Read(6,4,2,1000);\nx = 1; /* open\nmb.Read(6,7,2,1000);\n",
                   "2:8: warning: this /* is never closed: the 2 lines from here to the end of the script "
                   "are not read [open-comment]\n"},
        ReaderCase{"OpenCommentOnTheLastLine", "mb.Read(6,4,2,1000); /* open\n",
                   "1:22: warning: this /* is never closed: the 1 line from here to the end of the script "
                   "is not read [open-comment]\n"},
        ReaderCase{"ClosedCommentIsNoWarning", "/* a\n*/ mb.Read(6,7,2,1000);",
                   "2:4: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"StarAndSlashOnTwoLinesDoNotClose", "/* a *\n/ mb.Read(6,7,2,1000); */", ""},
        ReaderCase{"SlashStarSlashOpensOnly", "/*/ mb.Read(6,7,2,1000);\n*/ mb.Read(6,7,2,1000);",
                   "2:4: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"BlockCommentInsideAnArgumentIsABlank",
                   "mb.Read(6,4/**/2,2,1000); mb.Read(6,/**/7 /**/,2,1000);",
                   "1:1: note: not checked: argument 2 is a name or an expression, not a number [unchecked]\n"
                   "1:27: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"LineEndInACommentInsideTheArguments", "mb.Read(6,4,/*\n*/2,1000);",
                   "1:1: error: the generator never writes this: no ) on its line [malformed]\n"},
        ReaderCase{"SecondStatementAfterABlockComment", "mb.Read(6,4,2,1000); /* x */ mb.Read(6,7,2,1000);",
                   "1:30: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"DivisionKeepsColumns", "x = 4 / 2; mb.Read(6,7,2,1000);",
                   "1:12: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"TabBeforeParenthesis", "mb.Read\t(6,7,2,1000);",
                   "1:1: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"ArgumentCounts", "mb.Read(6,7,2,1000,5); mb.Read(); mb.Read(1); mb.Read(,);",
                   "1:1: error: the generator never writes this: 5 arguments, where the generator writes 4 "
                   "[malformed]\n"
                   "1:24: error: the generator never writes this: 0 arguments, where the generator writes 4 "
                   "[malformed]\n"
                   "1:35: error: the generator never writes this: 1 argument, where the generator writes 4 "
                   "[malformed]\n"
                   "1:47: error: the generator never writes this: 2 arguments, where the generator writes 4; "
                   "argument 1 is empty [malformed]\n"},
        ReaderCase{"LineCommentInsideArguments", "mb.Read(6,4, // x\n2,1000);",
                   "1:1: error: the generator never writes this: no ) on its line [malformed]\n"},
        ReaderCase{"LookAlikesOfEveryDress",
                   "mb.Read\n(6,4,2,1000);\nmb . Write (6,4,2,1000);\nx; "
                   "mb./**/Read(6,4,2,1000);\nmb.Read\xC2\xA0(6,4,2,1000);\nMB.READ(1); mb.write(1); "
                   "Mb.Read\xA0(1);\nmb.Re\xE2\x80\x8B"
                   "ad(1); mb.Read\x0B(1); \xD0\xBC"
                   "b.Read(1); mb.R\xD0\xB5"
                   "ad(1); \xEF\xBD\x8D\xEF\xBD\x82.Write(1);",
                   "1:1: warning: not read: \"mb.Read\\x0A(\" may run as mb.Read(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "3:1: warning: not read: \"mb . Write (\" may run as mb.Write(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "4:4: warning: not read: \"mb./**/Read(\" may run as mb.Read(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "5:1: warning: not read: \"mb.Read\\xC2\\xA0(\" may run as mb.Read(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "6:1: warning: not read: \"MB.READ(\" may run as mb.Read(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "6:13: warning: not read: \"mb.write(\" may run as mb.Write(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "6:26: warning: not read: \"Mb.Read\\xA0(\" may run as mb.Read(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "7:1: warning: not read: \"mb.Re\\xE2\\x80\\x8Bad(\" may run as mb.Read(, but is not read "
                   "as a statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "7:16: warning: not read: \"mb.Read\\x0B(\" may run as mb.Read(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "7:29: warning: not read: \"\xD0\xBC"
                   "b.Read(\" may run as mb.Read(, but is not read as a statement, which only mb.Read( and "
                   "mb.Write( are [look-alike]\n"
                   "7:42: warning: not read: \"mb.R\xD0\xB5"
                   "ad(\" may run as mb.Read(, but is not read as a statement, which only mb.Read( and "
                   "mb.Write( are [look-alike]\n"
                   "7:55: warning: not read: \"\xEF\xBD\x8D\xEF\xBD\x82.Write(\" may run as mb.Write(, but "
                   "is not read as a statement, which only mb.Read( and mb.Write( are [look-alike]\n"},
        ReaderCase{"LookAlikesOneEditAway",
                   "mb.Wirte(6,4,2,1000); mb.Raed(1); mb.Writ(1); mb.Reads(1); mb.Rad(1); mb.Wr1te(1);",
                   "1:1: warning: not read: \"mb.Wirte(\" may run as mb.Write(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "1:23: warning: not read: \"mb.Raed(\" may run as mb.Read(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "1:35: warning: not read: \"mb.Writ(\" may run as mb.Write(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "1:47: warning: not read: \"mb.Reads(\" may run as mb.Read(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "1:60: warning: not read: \"mb.Rad(\" may run as mb.Read(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"
                   "1:71: warning: not read: \"mb.Wr1te(\" may run as mb.Write(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"},
        ReaderCase{"NotLookAlikes",
                   "mb.Readout(1); mb.Wait(1); mb.Reset(1); mb.Rd(1); xmb.read(1); mb.Read; MB.READ = 1; "
                   "mb.Writes2(1); mb.Write_all(1);",
                   ""},
        ReaderCase{
            "NameJoinedToTheOneBefore",
            "xmb.Read(6,7,2,1000); _mb.Read(6,7,2,1000); 1mb.Write(6,7,2,1000); a.mb.Read(6,7,2,1000);", ""},
        ReaderCase{"BlanksAndSignsInArguments", "mb.Read( 6 ,\t+4 , 2,1000 );mb.Read(6,7,+2,1000);",
                   "1:28: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"StatementsBackToBack", "/**/mb.Read(6,7,2,1000);mb.Read(6,7,2,1000)mb.Read(6,7,2,1000)",
                   "1:5: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"
                   "1:25: error: the generator never writes this: no ; after its ) [malformed]\n"
                   "1:25: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"
                   "1:44: error: the generator never writes this: no ; after its ) [malformed]\n"
                   "1:44: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"CallInsideACallsArguments", "mb.Read(mb.Write(6,7,2,1000),4,2,1000);",
                   "1:1: note: not checked: another statement starts inside its arguments [unchecked]\n"
                   "1:9: error: the generator never writes this: no ; after its ) [malformed]\n"
                   "1:9: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"StringsStartNoComment",
                   "url = \"http://10.0.0.5/status\"; mb.Read(6,7,2,1000);\nx = \"busy /* still running "
                   "*/\"; y = 'a//b'; mb.Read(6,7,2,1000);\nx = \"//\"; mb.Write(6,7,2,1000);",
                   "1:33: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"
                   "2:45: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"
                   "3:11: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"StatementInAStringIsNone",
                   "log(\"mb.Write(6,4,2,1000);\"); s = 'mb.Raed(1)'; t = \"a\\\"mb.Read(6,7,2,1000);\";",
                   ""},
        ReaderCase{"StringNeverClosed", "s = \"open mb.Read(6,7,2,1000);\nmb.Read(6,7,2,1000); t = 'x\\'",
                   "1:5: warning: this string is never closed on its line, so the rest of the line is not "
                   "read [open-string]\n"
                   "2:1: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"
                   "2:26: warning: this string is never closed on its line, so the rest of the line is not "
                   "read [open-string]\n"},
        ReaderCase{"CommentAfterASecondSemicolon",
                   "mb.Read(6,4,2,1000);; // Read Value From Fanuc General Register [R] 9, and Store in QXR "
                   "Register 12.",
                   "1:23: error: the comment disagrees: it names Fanuc register 9, but the address is "
                   "register R 1 [comment]\n"},
        ReaderCase{"CommentAfterANoBreakSpace",
                   "mb.Read(6,4,2,1000);\xC2\xA0// Read Value From Fanuc General Register [R] 9, and Store "
                   "in QXR Register 12.",
                   "1:23: error: the comment disagrees: it names Fanuc register 9, but the address is "
                   "register R 1 [comment]\n"},
        ReaderCase{"BlockCommentAfterAnEmptyOne",
                   "mb.Read(6,4,2,1000); /**/ /* Read Value From Fanuc General Register [R] 9, and Store in "
                   "QXR Register 12. */",
                   "1:27: error: the comment disagrees: it names Fanuc register 9, but the address is "
                   "register R 1 [comment]\n"},
        ReaderCase{"LyingCommentAfterAnOwnOne",
                   "mb.Read(6,4,2,1000); /* read value from PLC */ // Read Value From Fanuc General Register "
                   "[R] 9, and Store in QXR Register 12.",
                   "1:48: error: the comment disagrees: it names Fanuc register 9, but the address is "
                   "register R 1 [comment]\n"},
        ReaderCase{
            "EveryCommentCompared",
            "mb.Read(6,4,2,1000); /* Read Value From Fanuc General Register [R] 1, and Store in QXR Register "
            "12. */ /* Read Value From Fanuc General Register [R] 9, and Store in QXR Register 12. */ // "
            "Read Value From Fanuc General Register [R] 8, and Store in QXR Register 12.",
            "1:104: error: the comment disagrees: it names Fanuc register 9, but the address is register R 1 "
            "[comment]\n"
            "1:186: error: the comment disagrees: it names Fanuc register 8, but the address is register R 1 "
            "[comment]\n"},
        ReaderCase{"CommentsOfTheNextStatementAreItsOwn",
                   "mb.Write(6,8,2,1000); mb.Read(6,4,2,1000); // Read Value From Fanuc General Register [R] "
                   "1, and Store in QXR Register 12.",
                   "1:23: warning: fills QXR 12 to 13, which the write at line 1 sends (QXR 12 to 13) "
                   "[qxr-overlap]\n"},
        ReaderCase{"EmptyLineCommentIsNoComment", "mb.Read(6,4,2,1000); //\nmb.Read(6,4,2,1000); /**/",
                   "2:1: warning: fills QXR 12 to 13, which the read at line 1 also fills (QXR 12 to 13) "
                   "[qxr-overlap]\n"},
        ReaderCase{"DocumentationComments",
                   "mb.Read(6,4,2,1000); /// Read Value From Fanuc General Register [R] 9, and Store in QXR "
                   "Register 12.\nmb.Read(6,4,2,1000); /** Read Value From Fanuc General Register [R] 8, and "
                   "Store in QXR Register 12. */",
                   "1:22: warning: the comment mentions a register, but is not in the generator's form, so "
                   "it is not compared; the generator writes \"// Read Value From Fanuc General Register [R] "
                   "1, and Store in QXR Register 12.\" [comment-form]\n"
                   "2:1: warning: fills QXR 12 to 13, which the read at line 1 also fills (QXR 12 to 13) "
                   "[qxr-overlap]\n"
                   "2:22: warning: the comment mentions a register, but is not in the generator's form, so "
                   "it is not compared; the generator writes \"// Read Value From Fanuc General Register [R] "
                   "1, and Store in QXR Register 12.\" [comment-form]\n"},
        ReaderCase{"DressesOfTheFormAreNotCompared",
                   "mb.Read(6,4,2,1000); // read value from fanuc General Register [R] 9, and Store in QXR "
                   "Register 12.\nmb.Read(6,4,2,1000); // note: Read Value From Fanuc General Register [R] "
                   "9, and Store in QXR Register 12.\nmb.Read(6,4,2,1000); // \xE2\x80\x8BRead Value From "
                   "Fanuc General Register [R] 9, and Store in QXR Register 12.\nmb.Read(6,4,2,1000); // "
                   "Read  Value From Fanuc General Register [R] 9, and Store in QXR Register "
                   "12.\nmb.Read(6,4,2,1000); // Read Value From Fanuc General Register [\xE2\x80\x8BR] 9, "
                   "and Store in QXR Register 12.\nmb.Read(6,4,2,1000); // Read Values From Fanuc General "
                   "Register [R] 9, and Store in QXR Register 12.\nmb.Read(6,4,2,1000); // Read Value From "
                   "Fanuc General Register [R] 9 and Store in QXR Register 12. DO NOT CHANGE - ticket 123",
                   "1:22: warning: the comment mentions a register, but is not in the generator's form, so "
                   "it is not compared; the generator writes \"// Read Value From Fanuc General Register [R] "
                   "1, and Store in QXR Register 12.\" [comment-form]\n"
                   "2:1: warning: fills QXR 12 to 13, which the read at line 1 also fills (QXR 12 to 13) "
                   "[qxr-overlap]\n"
                   "2:22: warning: the comment mentions a register, but is not in the generator's form, so "
                   "it is not compared; the generator writes \"// Read Value From Fanuc General Register [R] "
                   "1, and Store in QXR Register 12.\" [comment-form]\n"
                   "3:1: warning: fills QXR 12 to 13, which the read at line 2 also fills (QXR 12 to 13) "
                   "[qxr-overlap]\n"
                   "3:22: warning: the comment mentions a register, but is not in the generator's form, so "
                   "it is not compared; the generator writes \"// Read Value From Fanuc General Register [R] "
                   "1, and Store in QXR Register 12.\" [comment-form]\n"
                   "4:1: warning: fills QXR 12 to 13, which the read at line 3 also fills (QXR 12 to 13) "
                   "[qxr-overlap]\n"
                   "4:22: warning: the comment mentions a register, but is not in the generator's form, so "
                   "it is not compared; the generator writes \"// Read Value From Fanuc General Register [R] "
                   "1, and Store in QXR Register 12.\" [comment-form]\n"
                   "5:1: warning: fills QXR 12 to 13, which the read at line 4 also fills (QXR 12 to 13) "
                   "[qxr-overlap]\n"
                   "5:22: warning: the comment mentions a register, but is not in the generator's form (it "
                   "leaves it at column 65), so it is not compared; the generator writes \"// Read Value "
                   "From Fanuc General Register [R] 1, and Store in QXR Register 12.\" [comment-form]\n"
                   "6:1: warning: fills QXR 12 to 13, which the read at line 5 also fills (QXR 12 to 13) "
                   "[qxr-overlap]\n"
                   "6:22: warning: the comment mentions a register, but is not in the generator's form, so "
                   "it is not compared; the generator writes \"// Read Value From Fanuc General Register [R] "
                   "1, and Store in QXR Register 12.\" [comment-form]\n"
                   "7:1: warning: fills QXR 12 to 13, which the read at line 6 also fills (QXR 12 to 13) "
                   "[qxr-overlap]\n"
                   "7:22: warning: the comment mentions a register, but is not in the generator's form (it "
                   "leaves it at column 69), so it is not compared; the generator writes \"// Read Value "
                   "From Fanuc General Register [R] 1, and Store in QXR Register 12.\" [comment-form]\n"},
        ReaderCase{"TypesOtherThanTheThree",
                   "mb.Read(50,1025,24,1000); // Read Value From Fanuc General register [R] 3, and Store in "
                   "QXR Register 100.\nmb.Read(50,1025,24,1000); // Read Value From Fanuc R 3, and Store in "
                   "QXR Register 100.\nmb.Read(50,1025,24,1000); // Read Value From Fanuc " +
                       std::string(5000, 'y') + " 3, and Store in QXR Register 100.",
                   "1:27: warning: the comment mentions a register, but is not in the generator's form (it "
                   "leaves it at column 60), so it is not compared; the generator writes \"// Read Value "
                   "From Fanuc Position Register [PR] 3, and Store in QXR Register 100.\" [comment-form]\n"
                   "2:1: warning: fills QXR 100 to 123, which the read at line 1 also fills (QXR 100 to 123) "
                   "[qxr-overlap]\n"
                   "2:27: warning: the comment mentions a register, but is not in the generator's form (it "
                   "leaves it at column 52), so it is not compared; the generator writes \"// Read Value "
                   "From Fanuc Position Register [PR] 3, and Store in QXR Register 100.\" [comment-form]\n"
                   "3:1: warning: fills QXR 100 to 123, which the read at line 2 also fills (QXR 100 to 123) "
                   "[qxr-overlap]\n"
                   "3:27: warning: the comment mentions a register, but is not in the generator's form (it "
                   "leaves it at column 52), so it is not compared; the generator writes \"// Read Value "
                   "From Fanuc Position Register [PR] 3, and Store in QXR Register 100.\" [comment-form]\n"},
        ReaderCase{"WriteWordingWithQxrFirst",
                   "mb.Write(6,4,2,1000); // Write Value From QXR Register 12, and Store in Fanuc General "
                   "Register [R] 5.",
                   "1:23: warning: the comment mentions a register, but is not in the generator's form, so "
                   "it is not compared; the generator writes \"// Read Value From QXR Register 12, and Store "
                   "in Fanuc General Register [R] 1.\" [comment-form]\n"},
        ReaderCase{"OwnCommentsAreNotReported",
                   "mb.Read(6,4,2,1000); // ticket 123\nmb.Read(6,4,2,1000); // part count to "
                   "Fanuc\nmb.Read(6,4,2,1000); // read value from the sensor",
                   "2:1: warning: fills QXR 12 to 13, which the read at line 1 also fills (QXR 12 to 13) "
                   "[qxr-overlap]\n"
                   "3:1: warning: fills QXR 12 to 13, which the read at line 2 also fills (QXR 12 to 13) "
                   "[qxr-overlap]\n"},
        ReaderCase{"FormOnALineWithNoStatement",
                   "// Read Value From Fanuc General Register [R] 1, and Store in QXR Register "
                   "12.\nmb.Read(6,4,2,1000);\n/* Read Value From Fanuc General Register [R] 1, and Store in "
                   "QXR Register 12. */ mb.Read(6,4,2,1000);",
                   "1:1: warning: this comment is in the generator's form, but follows no statement on its "
                   "line, so it is not compared [comment-form]\n"
                   "3:1: warning: this comment is in the generator's form, but follows no statement on its "
                   "line, so it is not compared [comment-form]\n"
                   "3:83: warning: fills QXR 12 to 13, which the read at line 2 also fills (QXR 12 to 13) "
                   "[qxr-overlap]\n"},
        ReaderCase{"FormInsideTheArguments",
                   "mb.Read(6,4,2,/* Read Value From Fanuc General Register [R] 1, and Store in QXR Register "
                   "12. */1000);",
                   "1:15: warning: this comment is in the generator's form, but follows no statement on its "
                   "line, so it is not compared [comment-form]\n"},
        ReaderCase{
            "TextBehindALineEndOfOtherLanguages",
            "mb.Read(6,4,2,1000); // note\xE2\x80\xA8mb.Write(6,7,2,1000);\n// a\x0B MB.read(1)\n// "
            "c\xC2\x85 \n// d\x0C e\n/* f\xE2\x80\xA8mb.Write(6,7,2,1000); */",
            "1:29: warning: not read: a line separator (U+2028) in this // comment ends the line in some "
            "languages, so the mb. after it may run; it is read as part of the comment [hidden-text]\n"
            "2:5: warning: not read: a vertical tab in this // comment ends the line in some languages, so "
            "the mb. after it may run; it is read as part of the comment [hidden-text]\n"},
        ReaderCase{
            "SpacedSignOnASecondLine", "x\nmb.Read(6,- 4,2,1000);\nmb.Read(6,- 4,x,1000);",
            "2:1: note: not checked: argument 2 is a name or an expression, not a number [unchecked]\n"
            "3:1: note: not checked: argument 2 is a name or an expression, not a number [unchecked]\n"},
        ReaderCase{"CommentLineThenLoneCarriageReturn", "// note\rmb.Read(6,7,2,1000);\rmb.Read(6,7,2,1000);",
                   "2:1: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"
                   "3:1: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"PartOfANameThenALineBreak", "mb.Rea\n(6,4,2,1000);",
                   "1:1: warning: not read: \"mb.Rea\\x0A(\" may run as mb.Read(, but is not read as a "
                   "statement, which only mb.Read( and mb.Write( are [look-alike]\n"},
        ReaderCase{"EightDigitsAreBeyond16Bits", "mb.Read(6,4,2,10000000);",
                   "1:1: error: argument 4 (last argument) 10000000 (more digits than any 16-bit number has) "
                   "is outside -32768 to 32767 [argument]\n"},
        ReaderCase{"IndexBeforeAddress", "mb.Read(20000,7,2,1000);",
                   "1:1: error: QXR index 20000 is outside -16384 to 16383: no 16-bit QXR register halves to "
                   "it [index]\n"
                   "1:1: error: Fanuc address 7 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"CommentComparedDespiteWords",
                   "mb.Write(6,4,3,1000);  // Read Value From QXR Register 12, and Store in Fanuc General "
                   "Register [R] 5.",
                   "1:1: error: word count 3 is not a whole number of R items (2 words each) [words]\n"
                   "1:24: error: the comment disagrees: it names Fanuc register 5, but the address is "
                   "register R 1 [comment]\n"},
        ReaderCase{
            "CommentComparedDespiteIndex",
            "mb.Read(20000,4,2,1000);  // Read Value From Fanuc General Register [R] 2, and Store in QXR "
            "Register 12.",
            "1:1: error: QXR index 20000 is outside -16384 to 16383: no 16-bit QXR register halves to it "
            "[index]\n"
            "1:27: error: the comment disagrees: it names Fanuc register 2, but the address is register R 1; "
            "it names QXR register 12, whose half is not the QXR index 20000 [comment]\n"},
        ReaderCase{
            "WriteWordingWithNegativeQxr",
            "mb.Write(-6,4,2,1000);  // Read Value From QXR Register -13, and Store in Fanuc General "
            "Register [R] 2.",
            "1:1: warning: QXR register -13 is outside 12 to 16000 [range]\n"
            "1:1: note: QXR register -13 is odd, and the index names the even one below it: the transfer "
            "covers QXR -12 to -11 [qxr-odd]\n"
            "1:25: error: the comment disagrees: it names Fanuc register 2, but the address is "
            "register R 1 [comment]\n"},
        ReaderCase{"LieAtTheEndOfALongComment",
                   "mb.Write(50,1025,24,1000);  // Read Value From QXR Register 100, and Store in Fanuc "
                   "Position Register [PR] 9. " +
                       std::string(5000, 'x'),
                   "1:29: error: the comment disagrees: it names Fanuc register 9, but the address is "
                   "register PR 3 [comment]\n"},
        ReaderCase{"QxrBeyond16BitsNeverWraps",
                   "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
                   "Register 65548.",
                   "1:23: error: the comment disagrees: it names QXR register 65548, which is no 16-bit "
                   "number (-32768 to 32767) [comment]\n"},
        ReaderCase{"QxrShownAsTheCommentWritesIt",
                   "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
                   "Register 123456789012.",
                   "1:23: error: the comment disagrees: it names QXR register 123456789012 (more digits than "
                   "any 16-bit number has), which is no 16-bit number (-32768 to 32767) [comment]\n"},
        ReaderCase{"QxrMinus32769IsNo16BitNumber",
                   "mb.Read(-16384,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in "
                   "QXR Register -32769.",
                   "1:1: warning: QXR register -32768 is outside 12 to 16000 [range]\n"
                   "1:28: error: the comment disagrees: it names QXR register -32769, which is no 16-bit "
                   "number (-32768 to 32767) [comment]\n"},
        ReaderCase{
            "TypeRules",
            "mb.Read(6,4,2,1000); // Read Value From Fanuc Position Register [PR] 1, and Store in QXR "
            "Register 12.\nmb.Read(6,1001,12,1000); // Read Value From Fanuc  1, and Store in QXR Register "
            "12.\nmb.Read(6,1001,12,1000); // Read Value From Fanuc General Register [R] 1, and Store in QXR "
            "Register 12.\nmb.Read(6,4,2,1000); // Read Value From Fanuc  1, and Store in QXR Register 12.",
            "1:22: error: the comment disagrees: its type \"Position Register [PR]\" takes the PR rule, but "
            "the address is on the R grid [comment]\n"
            "2:1: warning: fills QXR 12 to 13, which the read at line 1 also fills (QXR 12 to 13) "
            "[qxr-overlap]\n"
            "3:1: warning: fills QXR 12 to 23, which the read at line 2 also fills (QXR 12 to 23) "
            "[qxr-overlap]\n"
            "3:26: error: the comment disagrees: its type \"General Register [R]\" takes the R rule, but the "
            "address is on the PR grid [comment]\n"
            "4:1: warning: fills QXR 12 to 13, which the read at line 3 also fills (QXR 12 to 23) "
            "[qxr-overlap]\n"
            "4:22: error: the comment disagrees: it names no type, which takes the PR rule, but the address "
            "is on the R grid [comment]\n"},
        ReaderCase{"WordsAfterTheForm",
                   "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 9, and Store in QXR "
                   "Register 12. DO NOT CHANGE, see ticket #123",
                   "1:23: error: the comment disagrees: it names Fanuc register 9, but the address is "
                   "register R 1 [comment]\n"},
        ReaderCase{
            "EscapedTextInAMessage",
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc \x1B[31mEVIL\x1B[0m\xE2\x80\xAE\x07\xFF\xC2\x9B "
            "1, and Store in QXR Register 12.\nMB.REA\xC2\x9B"
            "D(1);",
            "1:23: warning: the comment mentions a register, but is not in the generator's form (it leaves "
            "it at column 48), so it is not compared; the generator writes \"// Read Value From Fanuc "
            "General Register [R] 1, and Store in QXR Register 12.\" [comment-form]\n"
            "2:1: warning: not read: \"MB.REA\\xC2\\x9BD(\" may run as mb.Read(, but is not read as a "
            "statement, which only mb.Read( and mb.Write( are [look-alike]\n"},
        ReaderCase{"OverlapAt32767", "mb.Write(0,32764,8,1000);\nmb.Write(0,32767,2,1000);",
                   "1:1: warning: QXR register 0 is outside 12 to 16000; Fanuc register R 8191 is outside 1 "
                   "to 200 [range]\n"
                   "2:1: error: Fanuc address 32767 is on neither the R grid (multiples of 4) nor the PR "
                   "grid (1001 + 12k) [address]\n"},
        ReaderCase{"RangeBeforeOverlap", "mb.Write(6,4,60,1000);\nmb.Write(6,4,62,1000);",
                   "2:1: warning: item count 31 is outside 1 to 30 [range]\n"
                   "2:1: warning: writes R[1] to R[30] (Fanuc addresses 4 to 120), which the write at line 1 "
                   "also writes (R[1] to R[30], Fanuc addresses 4 to 120) [overlap]\n"},
        ReaderCase{"ZeroWordWritesNeverOverlap",
                   "mb.Write(6,4,8,1000);\nmb.Write(6,8,0,1000);\nmb.Write(6,4,8,1000);",
                   "2:1: warning: item count 0 transfers nothing [range]\n"
                   "3:1: warning: writes R[1] to R[4] (Fanuc addresses 4 to 16), which the write at line 1 "
                   "also writes (R[1] to R[4], Fanuc addresses 4 to 16) [overlap]\n"},
        ReaderCase{
            "Malformed",
            "mb.Read(6,4,2);\nmb.Write(6,7,2,1000,5);\nmb.Read(50,4,2 "
            "1000);\nmb.Read(50,4,2,,1000);\nmb.Read(50,4,2,1000;\nmb.Read(50,4,2,1000)\nmb.Read(50,4,2) // "
            "x\nmb.Read(count, 1025, 24, 1000);\nmb.Read(50,4,\"2\",1000);",
            "1:1: error: the generator never writes this: 3 arguments, where the generator writes 4 "
            "[malformed]\n"
            "2:1: error: the generator never writes this: 5 arguments, where the generator writes 4 "
            "[malformed]\n"
            "3:1: error: the generator never writes this: 3 arguments, where the generator writes 4; "
            "argument 3 holds two numbers with no comma between them [malformed]\n"
            "4:1: error: the generator never writes this: 5 arguments, where the generator writes 4; "
            "argument 4 is empty [malformed]\n"
            "5:1: error: the generator never writes this: no ) on its line [malformed]\n"
            "6:1: error: the generator never writes this: no ; after its ) [malformed]\n"
            "7:1: error: the generator never writes this: 3 arguments, where the generator writes 4; no ; "
            "after its ) [malformed]\n"
            "8:1: note: not checked: argument 1 is a name or an expression, not a number [unchecked]\n"
            "9:1: note: not checked: argument 3 is a name or an expression, not a number [unchecked]\n"},
        ReaderCase{"QxrReadsMeet",
                   "mb.Read(50,4,6,1000);\nmb.Read(51,20,2,1000);\nmb.Read(60,160,12,1000); "
                   "mb.Read(58,1001,12,1000);",
                   "2:1: warning: fills QXR 102 to 103, which the read at line 1 also fills (QXR 100 to 105) "
                   "[qxr-overlap]\n"
                   "3:26: warning: fills QXR 120 to 127, which the read at line 3 also fills (QXR 120 to "
                   "131) [qxr-overlap]\n"},
        ReaderCase{"ReadsAndWritesMeetOnTheQxrSide",
                   "mb.Write(55,80,20,1000);\nmb.Read(60,160,12,1000);\nmb.Read(70,8,2,1000);\nmb.Write(70,"
                   "12,4,1000);",
                   "2:1: warning: fills QXR 120 to 129, which the write at line 1 sends (QXR 110 to 129) "
                   "[qxr-overlap]\n"
                   "4:1: warning: sends QXR 140 to 141, which the read at line 3 fills (QXR 140 to 141) "
                   "[qxr-overlap]\n"},
        ReaderCase{"WritesFromTheSameQxrRegistersAreFine", "mb.Write(6,4,2,1000);\nmb.Write(6,200,2,1000);",
                   ""},
        ReaderCase{
            "FanucWritesMeetInRegisters",
            "mb.Write(55,80,20,1000);\nmb.Write(70,88,2,1000);\nmb.Write(71,100,2,1000);\nmb.Write(72,120,2,"
            "1000);\nmb.Write(73,1001,12,1000);\nmb.Write(80,4,2,1000);\nmb.Write(81,1001,24,1000);",
            "2:1: warning: writes R[22] (Fanuc address 88), which the write at line 1 also writes (R[20] to "
            "R[29], Fanuc addresses 80 to 116) [overlap]\n"
            "3:1: warning: writes R[25] (Fanuc address 100), which the write at line 1 also writes (R[20] to "
            "R[29], Fanuc addresses 80 to 116) [overlap]\n"
            "7:1: warning: writes PR[1] (Fanuc address 1001), which the write at line 5 also writes (PR[1], "
            "Fanuc address 1001) [overlap]\n"},
        ReaderCase{
            "OddQxrRegisterInAComment",
            "mb.Read(6,4,2,1000); // Read Value From Fanuc General Register [R] 1, and Store in QXR "
            "Register 13.\nmb.Write(-7,4,2,1000); // Read Value From QXR Register -13, and Store in "
            "Fanuc General Register [R] 1.",
            "1:1: note: QXR register 13 is odd, and the index names the even one below it: the transfer "
            "covers QXR 12 to 13 [qxr-odd]\n"
            "2:1: warning: QXR register -14 is outside 12 to 16000 [range]\n"
            "2:24: error: the comment disagrees: it names QXR register -13, whose half is not the QXR "
            "index -7 [comment]\n"},
        ReaderCase{"GeneratedStatementsAreClean", read_12_1 + "\n" + write_100_pr3 + "\n", ""},
        ReaderCase{"CommentsFirst",
                   "// mb.Read(1,2,3,4);\n/* mb.Write(6,6,2,1000);\nmb.Read(x); */ mb.Read(6,4,2,1000);\n",
                   ""},
        ReaderCase{
            "NamesAndExpressionsAreNotChecked",
            "mb.Read(a,4,2,1000); mb.Write(6,f(4),2,1000);\nmb.Read(6,- 4,2,1000); mb.Read( +6 ,4,2,1000);\n",
            "1:1: note: not checked: argument 1 is a name or an expression, not a number [unchecked]\n"
            "1:22: note: not checked: argument 2 is a name or an expression, not a number [unchecked]\n"
            "2:1: note: not checked: argument 2 is a name or an expression, not a number [unchecked]\n"},
        ReaderCase{"ArgumentOutside16Bits",
                   "mb.Read(6,32768,-32769,1000); mb.Read(6,4,2," + std::string(30, '7') + ");\n",
                   "1:1: error: argument 2 (Fanuc address) 32768 is outside -32768 to 32767; argument 3 "
                   "(word count) -32769 is outside -32768 to 32767 [argument]\n"
                   "1:31: error: argument 4 (last argument) 77777777777777777777... (30 characters) (more "
                   "digits than any 16-bit number has) is outside -32768 to 32767 [argument]\n"},
        ReaderCase{"IndexEdges",
                   "mb.Read(16383,4,2,1000); mb.Read(-16384,4,2,1000); mb.Read(16384,4,2,1000);\n",
                   "1:1: warning: QXR register 32766 is outside 12 to 16000 [range]\n"
                   "1:26: warning: QXR register -32768 is outside 12 to 16000 [range]\n"
                   "1:52: error: QXR index 16384 is outside -16384 to 16383: no 16-bit QXR register halves "
                   "to it [index]\n"},
        ReaderCase{
            "AddressAndWords",
            "mb.Read(6,6,2,1000);\nmb.Read(6,-32768,2,1000);\nmb.Read(6,1001,2,1000);\nmb.Read(6,8,3,999);\n",
            "1:1: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR grid (1001 + "
            "12k) [address]\n"
            "2:1: error: Fanuc address -32768 is on the R grid, but the generator cannot write it: register "
            "R -8192 overflows its 16-bit arithmetic [address]\n"
            "3:1: error: word count 2 is not a whole number of PR items (12 words each) [words]\n"
            "4:1: error: word count 3 is not a whole number of R items (2 words each) [words]\n"
            "4:1: warning: last argument is 999; the generator always writes 1000 [last-argument]\n"},
        ReaderCase{
            "CommentsThatDisagree",
            "mb.Read(6,4,2,1000); // Read Value From QXR Register 12, and Store in Fanuc General "
            "Register [R] 1.\nmb.Read(6,4,2,1000) ;; // Read Value From Fanuc General Register [R] 2, "
            "and Store in QXR Register 14.\nmb.Read(6,4,2,1000) x // Read Value From Fanuc Position "
            "Register [PR] 2, and Store in QXR Register 13.\n",
            "1:22: error: the comment disagrees: it is worded as mb.Write's [comment]\n"
            "2:1: warning: fills QXR 12 to 13, which the read at line 1 also fills (QXR 12 to 13) "
            "[qxr-overlap]\n"
            "2:24: error: the comment disagrees: it names Fanuc register 2, but the address is "
            "register R 1; it names QXR register 14, whose half is not the QXR index 6 [comment]\n"
            "3:1: error: the generator never writes this: no ; after its ) [malformed]\n"
            "3:1: note: QXR register 13 is odd, and the index names the even one below it: the transfer "
            "covers QXR 12 to 13 [qxr-odd]\n"
            "3:1: warning: fills QXR 12 to 13, which the read at line 2 also fills (QXR 12 to 13) "
            "[qxr-overlap]\n"
            "3:23: error: the comment disagrees: its type \"Position Register [PR]\" takes the PR "
            "rule, but the address is on the R grid; it names Fanuc register 2, but the address is "
            "register R 1 [comment]\n"},
        ReaderCase{
            "Ranges",
            "mb.Read(5,800,60,1000); // Read Value From Fanuc General Register [R] 200, and Store in QXR "
            "Register 11.\nmb.Read(8000,3989,48,1000); mb.Read(6,0,0,1000); mb.Read(6,4001,-12,1000); "
            "mb.Read(8001,800,62,1000);\nmb.Read(6,1001,60,1000);\n",
            "1:1: warning: QXR register 11 is outside 12 to 16000 [range]\n"
            "1:1: note: QXR register 11 is odd, and the index names the even one below it: the transfer "
            "covers QXR 10 to 69 [qxr-odd]\n"
            "2:29: warning: Fanuc register R 0 is outside 1 to 200; item count 0 transfers nothing [range]\n"
            "2:50: warning: Fanuc register PR 251 is outside 1 to 250; item count -1 transfers nothing "
            "[range]\n"
            "2:76: warning: QXR register 16002 is outside 12 to 16000; item count 31 is outside 1 to 30 "
            "[range]\n"
            "2:76: warning: fills QXR 16002 to 16047, which the read at line 2 also fills (QXR 16000 to "
            "16047) [qxr-overlap]\n"
            "3:1: warning: item count 5 is outside 1 to 4 [range]\n"
            "3:1: warning: fills QXR 12 to 69, which the read at line 1 also fills (QXR 10 to 69) "
            "[qxr-overlap]\n"},
        ReaderCase{
            "Overlaps",
            "mb.Write(6,4,4,1000);\nmb.Read(6,4,62,1000);\nmb.Write(6,8,2,1000);\nmb.Write(6,4,6,1000);\nmb."
            "Write(6,12,0,1000); mb.Write(6,8,2,1000);\n",
            "2:1: warning: item count 31 is outside 1 to 30 [range]\n"
            "2:1: warning: fills QXR 12 to 15, which the write at line 1 sends (QXR 12 to 15) [qxr-overlap]\n"
            "3:1: warning: writes R[2] (Fanuc address 8), which the write at line 1 also writes (R[1] to "
            "R[2], Fanuc addresses 4 to 8) [overlap]\n"
            "3:1: warning: sends QXR 12 to 13, which the read at line 2 fills (QXR 12 to 73) [qxr-overlap]\n"
            "4:1: warning: writes R[2] (Fanuc address 8), which the write at line 3 also writes (R[2], Fanuc "
            "address 8) [overlap]\n"
            "4:1: warning: sends QXR 12 to 17, which the read at line 2 fills (QXR 12 to 73) [qxr-overlap]\n"
            "5:1: warning: item count 0 transfers nothing [range]\n"
            "5:24: warning: writes R[2] (Fanuc address 8), which the write at line 4 also writes (R[1] to "
            "R[3], Fanuc addresses 4 to 12) [overlap]\n"
            "5:24: warning: sends QXR 12 to 13, which the read at line 2 fills (QXR 12 to 73) "
            "[qxr-overlap]\n"},
        ReaderCase{"PartOfAByteOrderMarkIsText", "\xEF\xBBmb.Read(6,6,2,1000);\n",
                   "1:3: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"},
        ReaderCase{"LineEndingsAndByteOrderMark",
                   "\xEF\xBB\xBFmb.Read(6,4,2,1000); // Read Value From Fanuc General Register [R] 1, and "
                   "Store in QXR Register 14.\r\n\r\n  mb.Read(6,6,2,1000);\r\nmb.Read(6,4,2,1000\r",
                   "1:22: error: the comment disagrees: it names QXR register 14, whose half is not the QXR "
                   "index 6 [comment]\n"
                   "3:3: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR grid "
                   "(1001 + 12k) [address]\n"
                   "4:1: error: the generator never writes this: no ) on its line [malformed]\n"}),
    row_name);

TEST(ScriptReader, CountsWhatItDidNotRead) {
    const auto checked = check(
        "MB.READ(1,2,3,4);\nmb . Read(1,2,3,4);\nx = 'a\nmb.Read(6,4,2,1000); // qxr 12\n// a\fmb.x\n/*\n\n");
    EXPECT_EQ(checked.unread.look_alikes, 2U);
    EXPECT_EQ(checked.unread.open_strings, 1U);
    EXPECT_EQ(checked.unread.comments_not_compared, 1U);
    EXPECT_EQ(checked.unread.hidden_texts, 1U);
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

const std::string cannot_be_read = "refused: it cannot be read: ";
const std::string what_is_read = " (a script is UTF-8, or UTF-16 with a byte order mark)";

INSTANTIATE_TEST_SUITE_P(
    Encodings, ReadsEncoding,
    testing::Values(
        EncodingCase{"Utf16LittleEndian", utf16_bytes(u"\u00e9\U0001F600 mb.Read(6,7,2,1000);\r\n", true),
                     ScriptEncoding::Utf16LittleEndian, "1:8: error: " + address_7},
        EncodingCase{"Utf16BigEndian", utf16_bytes(u"x\nmb.Read(6,7,2,1000);", false),
                     ScriptEncoding::Utf16BigEndian, "2:1: error: " + address_7},
        // What could not be written back as it came is refused.
        EncodingCase{"LoneSurrogateIsRefused", utf16_bytes(u"mb.Read(6,7,2,1000);\xD800", true), std::nullopt,
                     cannot_be_read + "its UTF-16 holds a lone surrogate at byte 43" + what_is_read},
        EncodingCase{"OddLastByteIsRefused", utf16_bytes(u"mb.Read(6,7,2,1000);", false) + "x", std::nullopt,
                     cannot_be_read + "its UTF-16 ends in half a character" + what_is_read},
        EncodingCase{"Utf16WithoutByteOrderMarkIsRefused",
                     utf16_bytes(u"mb.Read(6,7,2,1000);\nmb.Read(6,7,2,1000);\n", true).substr(2),
                     std::nullopt,
                     cannot_be_read + "it holds a NUL character at line 1, column 2" + what_is_read},
        EncodingCase{"Utf16ByteOrderMarkBeforeUtf8IsRefused", "\xFF\xFEmb.Read(6,7,2,1000);\r\n",
                     std::nullopt,
                     cannot_be_read + "what follows its UTF-16 byte order mark holds no ASCII character" +
                         what_is_read},
        EncodingCase{"Utf32IsRefused", std::string("\xFF\xFE\0\0m\0\0\0", 8), std::nullopt,
                     cannot_be_read + "it holds a NUL character at line 1, column 1" + what_is_read},
        EncodingCase{"Utf32BigEndianIsRefused", std::string("\0\0\xFE\xFF\0\0\0m", 8), std::nullopt,
                     cannot_be_read + "it holds a NUL character at line 1, column 1" + what_is_read},
        // The NUL's place counted as everywhere, a lone CR ending a line, however long the start.
        EncodingCase{"NulPlacedByLines", std::string(5000, 'x') + "\ra\r\nb" + std::string(1, '\0') + "c",
                     std::nullopt,
                     cannot_be_read + "it holds a NUL character at line 3, column 2" + what_is_read}),
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
                    EscapeCase{"TerminalsControlSequenceIntroducer",
                               "\xC2\x9B"
                               "31m",
                               "\\xC2\\x9B31m"},
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
