// SPDX-License-Identifier: MIT
// --plan: tables of transfers placed, checked and printed as statements.
#include "../table_rows.h"
#include "cli_run.h"
#include "scratch_file.h"

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using table_rows::PrintTo;
using table_rows::row_name;

const std::string header = "direction,type,fanuc,items,qxr,label\n";
const std::string refused = "qxr-fanuc-cli: the plan is refused: nothing is printed\n";

std::string read_statement(int qxr, int fanuc, int items, const std::string& type) {
    return cli({"--read", std::to_string(qxr), std::to_string(fanuc), std::to_string(items), type}).out;
}

// Rows keep their QXR register or get the lowest free even one at or after --from, in the order they stand,
// clear of every row with a register of its own, wherever it stands; labels follow the final period.
TEST(CliPlan, PlacesRowsAndPrintsTheirStatements) {
    const std::string plan = "\xEF\xBB\xBF" // as a spreadsheet saves it: a byte order mark, CR LF, blanks
                             " Label , QXR ,Direction,TYPE,FANUC,ITEMS\r\n"
                             "# counters\r\n"
                             "part count,,read,R,1,1\r\n"
                             "\"recipe, \"\"A\"\"\",104,read,R,20,3\r\n"
                             ",,,,,\r\n"
                             ",,write, PR ,5,1\r\n"
                             "cycle,,read,R,2,1\r\n";
    const auto result = cli({"--plan", "--from", "101"}, plan);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exit_status, 0);
    const std::string part = read_statement(102, 1, 1, "R");
    const std::string recipe = read_statement(104, 20, 3, "R");
    EXPECT_EQ(result.out, part.substr(0, part.size() - 1) + " part count\n" +
                              recipe.substr(0, recipe.size() - 1) + " recipe, \"A\"\n" +
                              cli({"--write", "110", "5", "1", "PR"}).out + // 110 to 121: clear of 104 to 109
                              read_statement(122, 2, 1, "R").substr(0, part.size() - 1) + " cycle\n");
    // A free row of few registers takes the lowest gap that holds it, even behind a later one.
    EXPECT_EQ(cli({"--plan", "--from=12"}, header + "read,PR,1,1,,\nread,R,1,1,26,\nread,R,2,1,,\n").out,
              read_statement(12, 1, 1, "PR") + read_statement(26, 1, 1, "R") + read_statement(24, 2, 1, "R"));
    EXPECT_EQ(cli({"--plan", "--from", "-13"}, header + "read,R,1,1,,\n").out,
              read_statement(-12, 1, 1, "R"));
}

struct RefusalCase {
    const char* name;
    std::string plan;
    std::string err; // before the closing line
};

class CliPlanRefusals : public testing::TestWithParam<RefusalCase> {};

TEST_P(CliPlanRefusals, PrintNothing) {
    const auto& c = GetParam();
    const auto result = cli({"--plan"}, c.plan);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.err + refused);
    EXPECT_EQ(result.exit_status, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliPlanRefusals,
    testing::Values(
        RefusalCase{
            "ReadsThatMeet", header + "read,R,1,2,100,\nwrite,R,9,1,,\nread,R,5,1,102,\n",
            "line 4: error: fills QXR 102 to 103, which the read at line 2 also fills (QXR 100 to 103) "
            "[qxr-overlap]\n"},
        RefusalCase{"ReadAndWriteThatMeet", header + "write,PR,1,1,24,\nread,R,5,1,30,\n",
                    "line 3: error: fills QXR 30 to 31, which the write at line 2 sends (QXR 24 to 35) "
                    "[qxr-overlap]\n"},
        RefusalCase{"WritesThatMeetOnTheFanucSide", header + "write,R,1,3,,\nread,R,1,1,,\nwrite,R,3,1,,\n",
                    "line 4: error: writes R[3] (Fanuc address 12), which the write at line 2 also writes "
                    "(R[1] to R[3], Fanuc addresses 4 to 12) [overlap]\n"},
        RefusalCase{
            "NoRoom", header + "read,PR,1,2730,,\nread,PR,1,2730,,\nread,R,1,1,,\n",
            "line 3: error: no room for its 32760 QXR registers at or after QXR register 12, even and "
            "at most 32766, where they meet no other row's\n"},
        RefusalCase{
            "BadFields",
            header + "up,R,1,1,,\nread,Q,1,1,,\nread,R,x,1,,\nread,R,1,99999,,\nread,R,8192,1,,\n"
                     "read,R,1,1,abc,\nread,R,1,1,,\"a\tb\"\nread,R,1\nread,R,1,1,\"1\"2,\n",
            "line 2: column 1: unknown direction \"up\"; a direction is read or write\n"
            "line 3: column 2: unknown TYPE \"Q\". TYPE is R, PR, \"General Register [R]\", \"Position "
            "Register [PR]\" or \"\" (no type picked).\n"
            "line 4: column 3: error 13: Type mismatch in the Fanuc register \"x\"" +
                not_a_number + "line 5: column 4: error 6: Overflow in the item count \"99999\"" +
                out_of_range +
                "line 6: column 3: error 6: Overflow in the Fanuc address computed from the Fanuc "
                "register \"8192\"" +
                out_of_range + "line 7: column 5: error 13: Type mismatch in the QXR register \"abc\"" +
                not_a_number +
                "line 8: column 6: the label \"a\\x09b\" holds what a comment cannot show as it "
                "stands: a label is UTF-8 text with no control, format or separator character and no "
                "blank but the space\n"
                "line 9: expected 6 fields, as the header names, found 3\n"
                "line 10: column 5: text after the closing quote; a quote inside a quoted field is "
                "doubled (\"a \"\"b\"\"\")\n"},
        RefusalCase{
            "UnknownColumn", "direction,type,fanuc,items,colour\nread,R,1,1,red\n",
            "line 1: column 5: unknown column \"colour\"; a plan's columns are direction, type, fanuc, "
            "items, qxr, label, and those of a map are left aside\n"},
        RefusalCase{"ColumnTwice", "direction,type,fanuc,items,Items\n",
                    "line 1: column 5: the column \"Items\" is named twice\n"},
        RefusalCase{"ColumnMissing", "direction,type,fanuc,qxr\nread,R,1,12\n",
                    "line 1: the header names no column items\n"}),
    row_name);

TEST(CliPlan, MapRowOfNoInputsIsSkippedWithAWarning) {
    const ScratchFile script;
    script.write("mb.Read(6,6,2,1000);\n" + generator_statements::read_12_r1 + " counter\n");
    const auto map = cli({"--check", "--map", script.path().string()});
    const auto plan = cli({"--plan"}, map.out);
    EXPECT_EQ(plan.err, "line 2: warning: no QXR, FANUC or ITEMS (a map's statement that decodes to no "
                        "generator inputs): skipped\n");
    EXPECT_EQ(plan.out, generator_statements::read_12_r1 + " counter\n");
    EXPECT_EQ(plan.exit_status, 0);
}

TEST(CliPlan, UsageErrors) {
    EXPECT_EQ(
        cli({"--plan", "--from", "1e"}).err,
        "qxr-fanuc-cli: --from takes a QXR register: error 13: Type mismatch in the QXR register \"1e\"" +
            not_a_number + try_help);
    EXPECT_EQ(cli({"--plan", "--from"}).err, "qxr-fanuc-cli: --from takes an argument N\n" + try_help);
    EXPECT_EQ(cli({"--from", "14", "a.csv"}).err, "qxr-fanuc-cli: --from goes with --plan\n" + try_help);
    EXPECT_EQ(cli({"--plan", "--read"}).err,
              "qxr-fanuc-cli: --plan combines with no option but --map or --from\n" + try_help);
    EXPECT_EQ(cli({"--plan", "a.csv", "b.csv"}).err,
              "qxr-fanuc-cli: --plan reads one plan: give one FILE, or - or none for standard input\n" +
                  try_help);
    const auto missing = cli({"--plan", "no-such-plan.csv"});
    EXPECT_EQ(missing.exit_status, 1);
    EXPECT_TRUE(missing.err.starts_with("qxr-fanuc-cli: cannot read \"no-such-plan.csv\": ")) << missing.err;
}

// The rows past the most a plan holds are said once, after a bad row as well as without one.
TEST(CliPlan, RowsPastTheLimitAreSaid) {
    std::string plan = header + "up,R,1,1,,\n";
    for (int row = 0; row <= 262144; ++row) {
        plan += "read,R,1,0,,\n";
    }
    const auto result = cli({"--plan"}, plan + "read,R,1,0,,\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "line 2: column 1: unknown direction \"up\"; a direction is read or write\n"
              "line 262147: a plan holds at most 262144 rows; this one and those after it are not "
              "read\n" +
                  refused);
    EXPECT_EQ(result.exit_status, 2);
}

// A random plan that the planner must take: fixed QXR registers and written Fanuc registers chosen clear of
// the fixed rows before them, values inside the window's hints, labels with commas, quotes and code.
struct RandomPlan {
    std::string csv;
    std::vector<std::string> labels;
    std::vector<bool> fixed;
    std::vector<int> qxr; // the fixed ones; the others are placed
    std::vector<int> registers;
};

RandomPlan random_plan(std::mt19937& random) {
    const std::vector<std::string> words{"part", "count,", "\"quoted\"", "é", "mb.Read(1,2,3,4);",
                                         "// x", "*/",     "R[1]"};
    std::uniform_int_distribution<int> pick(0, 1 << 20);
    RandomPlan plan;
    plan.csv = "label,direction,type,fanuc,items,qxr\n";
    std::set<int> qxr_taken;
    std::map<std::string, std::set<int>> fanuc_written;
    const int rows = 1 + (pick(random) % 12);
    for (int row = 0; row < rows; ++row) {
        const bool write = pick(random) % 2 == 0;
        const std::string type = std::vector<std::string>{"R", "PR", ""}.at(pick(random) % 3);
        const bool general = type == "R";
        const int items = 1 + (pick(random) % (general ? 30 : 4));
        int fanuc = 1 + (pick(random) % (general ? 171 : 247));
        auto& written = fanuc_written[general ? "R" : "PR"];
        const auto meets = [&](const std::set<int>& taken, int first, int count) {
            return std::ranges::any_of(taken, [&](int r) { return r >= first && r < first + count; });
        };
        while (write && meets(written, fanuc, items)) {
            fanuc = 1 + (pick(random) % (general ? 171 : 247));
        }
        const int registers = items * (general ? 2 : 12);
        const bool fixed = pick(random) % 3 == 0;
        int qxr = 2 * (6 + (pick(random) % 7000));
        while (fixed && meets(qxr_taken, qxr, registers)) {
            qxr = 2 * (6 + (pick(random) % 7000));
        }
        if (fixed) {
            for (int r = qxr; r < qxr + registers; ++r) {
                qxr_taken.insert(r);
            }
        }
        if (write) {
            for (int f = fanuc; f < fanuc + items; ++f) {
                written.insert(f);
            }
        }
        std::string label;
        for (int word = pick(random) % 4; word > 0; --word) {
            label += (label.empty() ? "" : " ") + words.at(pick(random) % words.size());
        }
        std::string quoted = "\"";
        for (const char c : label) {
            quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        }
        plan.csv += quoted;
        plan.csv += "\",";
        plan.csv += write ? "write," : "read,";
        plan.csv += type + ',' + std::to_string(fanuc) + ',' + std::to_string(items) + ',';
        plan.csv += fixed ? std::to_string(qxr) + '\n' : "\n";
        plan.labels.push_back(label);
        plan.fixed.push_back(fixed);
        plan.qxr.push_back(fixed ? qxr : 0);
        plan.registers.push_back(registers);
    }
    return plan;
}

// Where the rows without a register go: the lowest even register at or after 12 clear of all the others.
std::vector<int> expected_qxr(const RandomPlan& plan) {
    std::vector<bool> taken(70000);
    const auto take = [&](int first, int count) { std::fill_n(taken.begin() + first, count, true); };
    for (std::size_t row = 0; row < plan.fixed.size(); ++row) {
        if (plan.fixed[row]) {
            take(plan.qxr[row], plan.registers[row]);
        }
    }
    std::vector<int> qxr = plan.qxr;
    for (std::size_t row = 0; row < plan.fixed.size(); ++row) {
        if (!plan.fixed[row]) {
            int at = 12;
            while (std::any_of(taken.begin() + at, taken.begin() + at + plan.registers[row],
                               [](bool t) { return t; })) {
                at += 2;
            }
            qxr[row] = at;
            take(at, plan.registers[row]);
        }
    }
    return qxr;
}

// The QXR register a statement's comment names.
int named_qxr(const std::string& statement) {
    const std::string store = "Store in QXR Register ";
    const std::string from = "From QXR Register ";
    const auto at = statement.find(store);
    const auto start = at != std::string::npos ? at + store.size() : statement.find(from) + from.size();
    return std::stoi(statement.substr(start));
}

// Hundreds of random plans: each is placed as the rule says, and its statements pass --check with no finding
// and come back the same from --check --map through --plan.
TEST(CliPlan, RandomPlansPassTheChecker) {
    std::mt19937 random(2026);
    std::vector<std::unique_ptr<ScratchFile>> scripts;
    Arguments check{"--check"};
    for (int plan_number = 0; plan_number < 200; ++plan_number) {
        const RandomPlan plan = random_plan(random);
        const auto result = cli({"--plan"}, plan.csv);
        ASSERT_EQ(result.exit_status, 0) << plan.csv << result.err;
        ASSERT_EQ(result.err, "") << plan.csv;
        const auto expected = expected_qxr(plan);
        std::size_t row = 0;
        for (std::size_t at = 0; at < result.out.size(); at = result.out.find('\n', at) + 1, ++row) {
            const std::string statement = result.out.substr(at, result.out.find('\n', at) - at);
            ASSERT_LT(row, expected.size()) << result.out;
            EXPECT_EQ(named_qxr(statement), expected[row]) << plan.csv << statement;
            const std::string& label = plan.labels[row];
            EXPECT_TRUE(label.empty() ? statement.ends_with('.') : statement.ends_with(". " + label))
                << statement;
        }
        EXPECT_EQ(row, expected.size()) << result.out;
        scripts.push_back(std::make_unique<ScratchFile>());
        scripts.back()->write(result.out);
        check.push_back(scripts.back()->path().string());
        if (plan_number % 4 == 0) {
            const auto map = cli({"--check", "--map", scripts.back()->path().string()});
            EXPECT_EQ(cli({"--plan", "-"}, map.out).out, result.out) << map.out;
        }
    }
    const auto checked = cli(check);
    EXPECT_EQ(checked.out, "");
    EXPECT_TRUE(checked.err.ends_with(" checked: 0 errors, 0 warnings, 0 notes\n")) << checked.err;
    EXPECT_EQ(checked.exit_status, 0);
}

} // namespace
