// SPDX-License-Identifier: MIT
// --fix in the library: the whole fixed text and every finding line of a script, and the fixed text fixed
// again, which no longer changes.
#include "../generator_statements.h"
#include "../table_rows.h"
#include "script_check.h"

#include <string>

#include <gtest/gtest.h>

namespace {

using table_rows::PrintTo;
using table_rows::row_name;

using namespace qxrfanuc;

struct Fixed {
    std::string text;
    std::string findings; // "LINE:COLUMN: SEVERITY: MESSAGE [CHECK]\n" each
};

Fixed fix(std::string_view script) {
    Fixed fixed;
    EditedText edited(script, [&](std::string_view piece) { fixed.text += piece; });
    check_script(script, CommentFixing::On,
                 CheckSinks{[&](const Finding& finding) {
                                fixed.findings +=
                                    std::to_string(finding.line) + ':' + std::to_string(finding.column) +
                                    ": " + std::string(severity_name(finding.severity())) + ": " +
                                    finding.message + " [" + std::string(finding.name()) + "]\n";
                            },
                            [](const Statement&, const StatementMeaning&) {},
                            [&](const Edit& edit) { edited.edit(edit); }});
    edited.finish();
    return fixed;
}

struct FixCase {
    const char* name;
    std::string script;
    std::string fixed;
    std::string findings;
};

class Fixes : public testing::TestWithParam<FixCase> {};

TEST_P(Fixes, OnlyWhereNoTextIsLost) {
    const auto& c = GetParam();
    const auto fixed = fix(c.script);
    EXPECT_EQ(fixed.text, c.fixed);
    EXPECT_EQ(fixed.findings, c.findings);
    EXPECT_EQ(fix(fixed.text).text, fixed.text);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, Fixes,
    testing::Values(
        FixCase{
            "AddsTheCommentWhereNoneIs",
            "// background script\r\nmb.Read(7,4,2,1000);\t\r\nmb.Read(7,4,2,1000)\nmb.Write(7,4,2,1000) ; "
            "//\nmb.Write(7,4,2,1000); mb.Read(7,4,2,1000);",
            "// background script\r\nmb.Read(7,4,2,1000);  // Read Value From Fanuc General Register [R] 1, "
            "and Store in QXR Register 14.\t\r\nmb.Read(7,4,2,1000)  // Read Value From Fanuc General "
            "Register [R] 1, and Store in QXR Register 14.\nmb.Write(7,4,2,1000) ; // Read Value From QXR "
            "Register 14, and Store in Fanuc General Register [R] 1.\nmb.Write(7,4,2,1000); "
            "mb.Read(7,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
            "Register 14.",
            "2:1: note: QXR registers 14 and 15 both halve to the QXR index 7; the comment written names 14, "
            "the even one [qxr-choice]\n"
            "3:1: error: the generator never writes this: no ; after its ) [malformed]\n"
            "3:1: warning: fills QXR 14 to 15, which the read at line 2 also fills (QXR 14 to 15) "
            "[qxr-overlap]\n"
            "3:1: note: QXR registers 14 and 15 both halve to the QXR index 7; the comment written names 14, "
            "the even one [qxr-choice]\n"
            "4:1: warning: sends QXR 14 to 15, which the read at line 3 fills (QXR 14 to 15) [qxr-overlap]\n"
            "4:1: note: QXR registers 14 and 15 both halve to the QXR index 7; the comment written names 14, "
            "the even one [qxr-choice]\n"
            "5:1: warning: writes R[1] (Fanuc address 4), which the write at line 4 also writes (R[1], Fanuc "
            "address 4) [overlap]\n"
            "5:1: warning: sends QXR 14 to 15, which the read at line 3 fills (QXR 14 to 15) [qxr-overlap]\n"
            "5:23: warning: fills QXR 14 to 15, which the read at line 3 also fills (QXR 14 to 15) "
            "[qxr-overlap]\n"
            "5:23: warning: fills QXR 14 to 15, which the write at line 5 sends (QXR 14 to 15) "
            "[qxr-overlap]\n"
            "5:23: note: QXR registers 14 and 15 both halve to the QXR index 7; the comment written names "
            "14, the even one [qxr-choice]\n"},
        FixCase{"RewritesOnlyTheForm",
                "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 9, and Store in QXR "
                "Register 12. DO NOT CHANGE - ticket 123\nmb.Read(6,4,2,1000); /* Read Value From Fanuc "
                "General Register [R] 9, and Store in QXR Register 14. */ x = 1;\nmb.Read(6,4,2,1000); /* "
                "Read Value From Fanuc General Register [R] 9, and Store in QXR Register 13. */ // Read "
                "Value From Fanuc Position Register [PR] 9, and Store in QXR Register 12. "
                "ok\nmb.Write(50,1025,24,1000); // Read Value From QXR Register 101, and Store in Fanuc  9.",
                "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
                "Register 12. DO NOT CHANGE - ticket 123\nmb.Read(6,4,2,1000); /* Read Value From Fanuc "
                "General Register [R] 1, and Store in QXR Register 12. */ x = 1;\nmb.Read(6,4,2,1000); /* "
                "Read Value From Fanuc General Register [R] 1, and Store in QXR Register 13. */ // Read "
                "Value From Fanuc General Register [R] 1, and Store in QXR Register 13. "
                "ok\nmb.Write(50,1025,24,1000); // Read Value From QXR Register 101, and Store in Fanuc  3.",
                "1:23: note: the comment is rewritten: it names Fanuc register 9, but the address is "
                "register R 1 [fixed]\n"
                "2:1: warning: fills QXR 12 to 13, which the read at line 1 also fills (QXR 12 to 13) "
                "[qxr-overlap]\n"
                "2:1: note: QXR registers 12 and 13 both halve to the QXR index 6; the comment written names "
                "12, the even one [qxr-choice]\n"
                "2:22: note: the comment is rewritten: it names Fanuc register 9, but the address is "
                "register R 1; it names QXR register 14, whose half is not the QXR index 6 [fixed]\n"
                "3:1: note: QXR register 13 is odd, and the index names the even one below it: the transfer "
                "covers QXR 12 to 13 [qxr-odd]\n"
                "3:1: warning: fills QXR 12 to 13, which the read at line 2 also fills (QXR 12 to 13) "
                "[qxr-overlap]\n"
                "3:22: note: the comment is rewritten: it names Fanuc register 9, but the address is "
                "register R 1 [fixed]\n"
                "3:104: note: the comment is rewritten: its type \"Position Register [PR]\" takes the PR "
                "rule, but the address is on the R grid; it names Fanuc register 9, but the address is "
                "register R 1 [fixed]\n"
                "4:1: note: QXR register 101 is odd, and the index names the even one below it: the transfer "
                "covers QXR 100 to 123 [qxr-odd]\n"
                "4:28: note: the comment is rewritten: it names Fanuc register 9, but the address is "
                "register PR 3 [fixed]\n"},
        FixCase{
            "KeepsWhatMentionsARegisterOutOfTheForm",
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1 and Store in QXR Register "
            "12. DO NOT CHANGE - ticket 123\nmb.Read(6,4,2,1000); // "
            "note\xE2\x80\xA8mb.Write(6,7,2,1000);\nmb.Read(6,4,2,1000); // Read Value From Fanuc General "
            "Register [R] 9, and Store in QXR Register 12.\x0Cmb.Write(6,7,2,1000);\n// Read Value From "
            "Fanuc General Register [R] 1, and Store in QXR Register 12.\nmb.Read(6,4,2,1000); // qxr 12 // "
            "Read Value From Fanuc General Register [R] 9, and Store in QXR Register 12.",
            "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1 and Store in QXR Register "
            "12. DO NOT CHANGE - ticket 123\nmb.Read(6,4,2,1000); // "
            "note\xE2\x80\xA8mb.Write(6,7,2,1000);\nmb.Read(6,4,2,1000); // Read Value From Fanuc General "
            "Register [R] 1, and Store in QXR Register 12.\x0Cmb.Write(6,7,2,1000);\n// Read Value From "
            "Fanuc General Register [R] 1, and Store in QXR Register 12.\nmb.Read(6,4,2,1000); // qxr 12 // "
            "Read Value From Fanuc General Register [R] 9, and Store in QXR Register 12.",
            "1:23: warning: --fix leaves it as it is: the comment mentions a register, but is not in the "
            "generator's form (it leaves it at column 70), so it is not compared; the generator writes \"// "
            "Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12.\" [unfixed]\n"
            "2:1: warning: fills QXR 12 to 13, which the read at line 1 also fills (QXR 12 to 13) "
            "[qxr-overlap]\n"
            "2:1: note: the script's own comment is kept, so the generator's is not written [own-comment]\n"
            "2:29: warning: not read: a line separator (U+2028) in this // comment ends the line in some "
            "languages, so the mb. after it may run; it is read as part of the comment [hidden-text]\n"
            "3:1: warning: fills QXR 12 to 13, which the read at line 2 also fills (QXR 12 to 13) "
            "[qxr-overlap]\n"
            "3:22: note: the comment is rewritten: it names Fanuc register 9, but the address is register R "
            "1 [fixed]\n"
            "3:100: warning: not read: a form feed in this // comment ends the line in some languages, so "
            "the mb. after it may run; it is read as part of the comment [hidden-text]\n"
            "4:1: warning: --fix leaves it as it is: this comment is in the generator's form, but follows no "
            "statement on its line, so it is not compared [unfixed]\n"
            "5:1: warning: fills QXR 12 to 13, which the read at line 3 also fills (QXR 12 to 13) "
            "[qxr-overlap]\n"
            "5:22: warning: --fix leaves it as it is: the comment mentions a register, but is not in the "
            "generator's form, so it is not compared; the generator writes \"// Read Value From Fanuc "
            "General Register [R] 1, and Store in QXR Register 12.\" [unfixed]\n"},
        FixCase{
            "KeepsTheScriptsOwnComments",
            "mb.Read(7,4,2,1000); // pump speed\nmb.Read(7,4,2,1000); /* pump */\nmb.Read(7,4,2,1000); x = "
            "1;\nmb.Read(7,4,2,1000); // ticket 123",
            "mb.Read(7,4,2,1000); // pump speed\nmb.Read(7,4,2,1000); /* pump */\nmb.Read(7,4,2,1000); x = "
            "1;\nmb.Read(7,4,2,1000); // ticket 123",
            "1:1: note: the script's own comment is kept, so the generator's is not written [own-comment]\n"
            "2:1: warning: fills QXR 14 to 15, which the read at line 1 also fills (QXR 14 to 15) "
            "[qxr-overlap]\n"
            "2:1: note: the script's own comment is kept, so the generator's is not written [own-comment]\n"
            "3:1: warning: fills QXR 14 to 15, which the read at line 2 also fills (QXR 14 to 15) "
            "[qxr-overlap]\n"
            "4:1: warning: fills QXR 14 to 15, which the read at line 3 also fills (QXR 14 to 15) "
            "[qxr-overlap]\n"
            "4:1: note: the script's own comment is kept, so the generator's is not written [own-comment]\n"},
        FixCase{"LeavesWhatDecodesToNoInputs",
                "mb.Read(6,6,2,1000); // Read Value From Fanuc General Register [R] 1, and Store in QXR "
                "Register 14.\nmb.Read(6,6,2,1000);\nmb.Read(x,4,2,1000);",
                "mb.Read(6,6,2,1000); // Read Value From Fanuc General Register [R] 1, and Store in QXR "
                "Register 14.\nmb.Read(6,6,2,1000);\nmb.Read(x,4,2,1000);",
                "1:1: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR grid (1001 "
                "+ 12k) [address]\n"
                "1:22: error: the comment disagrees: it names QXR register 14, whose half is not the QXR "
                "index 6 [comment]\n"
                "2:1: error: Fanuc address 6 is on neither the R grid (multiples of 4) nor the PR grid (1001 "
                "+ 12k) [address]\n"
                "3:1: note: not checked: argument 1 is a name or an expression, not a number [unchecked]\n"},
        FixCase{"IndexZeroHasThreeRegisters", "mb.Read(0,4,2,1000);",
                "mb.Read(0,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR "
                "Register 0.",
                "1:1: warning: QXR register 0 is outside 12 to 16000 [range]\n"
                "1:1: note: QXR registers -1, 0 and 1 all halve to the QXR index 0; the comment written "
                "names 0, the even one [qxr-choice]\n"},
        FixCase{"KeepsTheQxrRegisterNamed",
                "mb.Read(6,4,2,1000); // Read Value From Fanuc General Register [R] 9, and Store in QXR "
                "Register 13.",
                "mb.Read(6,4,2,1000); // Read Value From Fanuc General Register [R] 1, and Store in QXR "
                "Register 13.",
                "1:1: note: QXR register 13 is odd, and the index names the even one below it: the transfer "
                "covers QXR 12 to 13 [qxr-odd]\n"
                "1:22: note: the comment is rewritten: it names Fanuc register 9, but the address is "
                "register R 1 [fixed]\n"},
        FixCase{"GeneratedStatementsStayAsTheyAre",
                generator_statements::read_12_r1 + "\n" + generator_statements::write_100_pr3 + "\n",
                generator_statements::read_12_r1 + "\n" + generator_statements::write_100_pr3 + "\n", ""}),
    row_name);

// A script's every byte but the comments rewritten comes back as it was, however long.
TEST(Fixes, KeepsEveryOtherByte) {
    std::string script;
    for (int i = 0; i < 5000; ++i) {
        script += "mb.Read(7,4,2,1000); // Read Value From Fanuc General Register [R] 9, and Store in QXR "
                  "Register 14."
                  " \xE2\x80\xA8 ok\r";
    }
    std::string expected = script;
    for (auto at = expected.find("[R] 9"); at != std::string::npos; at = expected.find("[R] 9", at)) {
        expected.replace(at, 5, "[R] 1");
    }
    EXPECT_EQ(fix(script).text, expected);
}

} // namespace
