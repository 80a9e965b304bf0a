// SPDX-License-Identifier: MIT
// --batch: records on standard input.
#include "../table_rows.h"
#include "cli_run.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace {

using table_rows::PrintTo;
using table_rows::row_name;

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

// Records as a spreadsheet writes them: blanks around fields, quoted fields with doubled quotes and commas.
TEST(CliBatch, FieldsAsSpreadsheetsWriteThem) {
    const auto result =
        cli({"--batch", "--read"}, " 012 ,1,1,\n100, 3 ,\t2, \"Position Register [PR]\" \r\n"
                                   "\"12\",1,1,\"R\"\"\"\n12,1,1,\"R\n\"1\"2,1,1,R\n1\"2,1,1,R\n,,,\n");
    EXPECT_EQ(result.out,
              "mb.Read(6,1001,12,1000);  // Read Value From Fanuc  1, and Store in QXR Register 12.\n" +
                  pr_read);
    EXPECT_EQ(result.err,
              "line 3: unknown TYPE \"R\\\"\". TYPE is R, PR, \"General Register [R]\", \"Position Register "
              "[PR]\" or \"\" (no type picked).\n"
              "line 4: column 4: the quoted field is not closed on its line (a field holds no line break)\n"
              "line 5: column 1: text after the closing quote; a quote inside a quoted field is doubled "
              "(\"a \"\"b\"\"\")\n"
              "line 6: column 1: a field that holds a quote is quoted as a whole, with the quote doubled "
              "(\"a \"\"b\"\"\")\n");
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
    std::string warnings;
    for (int line = 3; line <= 8; ++line) {
        warnings += "line " + std::to_string(line) +
                    ": warning: fills QXR 12 to 13, which the read at line " + std::to_string(line - 1) +
                    " also fills (QXR 12 to 13) [qxr-overlap]\n";
    }
    EXPECT_EQ(result.err, warnings +
                              "line 9: error 13: Type mismatch in the QXR register \"\\xEF\\xBB\\xBF12\"" +
                              not_a_number);
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
    EXPECT_EQ(result.err, "line 3: error 13: Type mismatch in the QXR register \"#12\"" + not_a_number);
}

// A record over the limit is reported by its length and skipped without being kept; the next ones go on.
TEST(CliBatch, OverlongRecordIsSkipped) {
    const std::string longest(4096 - 8, '0');
    const auto result = cli({"--batch"}, std::string(200000, '1') + ",1,1,R\n" + longest + "12,1,1,R\r\n" +
                                             longest + "012,1,1,R\n12,1,1,R");
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.out, default_read + default_write + default_read + default_write);
    EXPECT_EQ(result.err,
              "line 1: record of 200006 bytes is longer than the limit of 4096 bytes; skipped\n"
              "line 3: record of 4097 bytes is longer than the limit of 4096 bytes; skipped\n"
              "line 4: warning: fills QXR 12 to 13, which the read at line 2 also fills (QXR 12 to 13) "
              "[qxr-overlap]\n"
              "line 4: warning: writes R[1] (Fanuc address 4), which the write at line 2 also writes "
              "(R[1], Fanuc address 4) [overlap]\n");
}

// What --check would say of the statements, on standard error, with the status and the statements as
// without: values outside the hints, and a record whose transfer meets an earlier one's on either side, read
// against write too where one way is printed.
TEST(CliBatch, SaysWhereTransfersMeet) {
    const auto written = cli({"--batch", "--write"}, "110,20,10,R\n120,40,6,R\n100,25,1,R\n0,201,1,R\n");
    EXPECT_EQ(written.exit_status, 0);
    EXPECT_EQ(std::ranges::count(written.out, '\n'), 4);
    EXPECT_EQ(written.err,
              "line 3: warning: writes R[25] (Fanuc address 100), which the write at line 1 also "
              "writes (R[20] to R[29], Fanuc addresses 80 to 116) [overlap]\n"
              "line 4: warning: QXR register 0 is outside 12 to 16000; Fanuc register R 201 is outside "
              "1 to 200 [range]\n");
    const auto both = cli({"--batch"}, "110,20,10,R\n120,40,6,R\n");
    EXPECT_EQ(both.err,
              "line 2: warning: fills QXR 120 to 129, which the read at line 1 also fills (QXR 110 to "
              "129) [qxr-overlap]\n");
}

} // namespace
