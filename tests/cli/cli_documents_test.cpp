// SPDX-License-Identifier: MIT
// The README and the manual page hold the tables that --help is written from.
#include "checks.h"
#include "cli_run.h"
#include "exit_status.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string source_file(const char* path) {
    std::ifstream file(std::string(QXR_SOURCE_DIR) + "/" + path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The statuses a text lists, each at a line's start between the marks, in their order.
std::vector<int> listed_statuses(const std::string& text, const std::string& before,
                                 const std::string& after) {
    std::vector<int> statuses;
    for (std::size_t at = text.find('\n' + before); at != std::string::npos;
         at = text.find('\n' + before, at + 1)) {
        const std::size_t start = at + 1 + before.size();
        const std::size_t end = text.find(after, start);
        const std::string number = text.substr(start, end - start);
        if (!number.empty() && number.find_first_not_of("0123456789") == std::string::npos) {
            statuses.push_back(std::stoi(number));
        }
    }
    return statuses;
}

// The README and the manual page list the exit statuses of the table, in its order, and no other.
TEST(CliDocuments, ListEveryExitStatus) {
    std::vector<int> table;
    table.reserve(qxrfanuc::cli::exit_statuses.size());
    for (const auto& info : qxrfanuc::cli::exit_statuses) {
        table.push_back(info.status);
    }
    EXPECT_EQ(listed_statuses(source_file("README.md"), "- `", "` "), table);
    const auto manual = source_file("packaging/linux/qxr-fanuc-cli.1.in");
    const auto section = manual.substr(manual.find(".SH EXIT STATUS"));
    EXPECT_EQ(listed_statuses(section.substr(0, section.find(".SH", 1)), ".B ", "\n"), table);
}

// The manual page's text as roff writes it: a hyphen as \-, a backslash as \e.
std::string roff(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '-' || c == '\\') {
            out += c == '-' ? "\\-" : "\\e";
        } else {
            out += c;
        }
    }
    return out;
}

// The manual page holds every check of the table, in its order, with its severity and meaning; --help
// names them all, in that order.
TEST(CliDocuments, EveryCheckIsDocumented) {
    auto help = cli({"--help"}).out;
    std::ranges::replace(help, '\n', ' '); // the names' paragraph wraps
    const auto manual = source_file("packaging/linux/qxr-fanuc-cli.1.in");
    std::size_t in_help = 0;
    std::size_t in_manual = 0;
    for (const auto& check : qxrfanuc::checks) {
        const std::string name(check.name);
        const std::string severity(qxrfanuc::severity_name(check.severity));
        in_help = help.find(' ' + name + (&check == &qxrfanuc::checks.back() ? "." : ","), in_help);
        EXPECT_NE(in_help, std::string::npos) << name;
        std::string entry = ".TP\n\\fB" + roff(name);
        entry += "\\fR (" + severity + ")";
        entry += check.fix_only ? " (with \\fB\\-\\-fix\\fR only)\n" : "\n";
        entry += roff(check.meaning) + "\n";
        in_manual = manual.find(entry, in_manual);
        EXPECT_NE(in_manual, std::string::npos) << entry;
    }
}

// The code blocks of the README's section that starts with the heading, in order.
std::vector<std::string> code_blocks(const std::string& readme, const std::string& heading) {
    const std::size_t start = readme.find(heading);
    const std::size_t end = readme.find("\n## ", start + 1);
    std::vector<std::string> blocks;
    for (std::size_t at = readme.find("```\n", start); at < end; at = readme.find("```\n", at)) {
        const std::size_t close = readme.find("\n```", at + 4);
        blocks.push_back(readme.substr(at + 4, close + 1 - at - 4));
        at = close + 4;
    }
    return blocks;
}

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> found;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t end = std::min(line.find(' ', at), line.size());
        found.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return found;
}

// The script with each line a "NcN" diff names as changed ("< old", "> new") replaced.
std::string with_diff(std::string script, const std::string& diff) {
    for (std::size_t at = diff.find("\n< "); at != std::string::npos; at = diff.find("\n< ", at + 1)) {
        const std::string old_line = diff.substr(at + 3, diff.find('\n', at + 1) - at - 3);
        const std::size_t added = diff.find("\n> ", at);
        const std::string new_line = diff.substr(added + 3, diff.find('\n', added + 1) - added - 3);
        script.replace(script.find(old_line), old_line.size(), new_line);
    }
    return script;
}

// Runs the examples of a README section that start with the program's prompt, with the section's first block
// written to the file; returns how many ran.
std::size_t run_examples(const std::string& section, const std::string& file) {
    const auto blocks = code_blocks(source_file("README.md"), section);
    EXPECT_GE(blocks.size(), 2U);
    const std::string& script = blocks.front();
    std::ofstream(file, std::ios::binary) << script;
    std::size_t run = 0;
    for (const auto& block : blocks) {
        const std::string prompt = "$ qxr-fanuc-cli ";
        if (!block.starts_with(prompt)) {
            continue;
        }
        const std::size_t line_end = block.find('\n');
        auto arguments = words(block.substr(prompt.size(), line_end - prompt.size()));
        const auto shell =
            std::ranges::find_if(arguments, [](const std::string& w) { return w.find_first_of("2|") == 0; });
        const bool with_errors = shell == arguments.end();
        const bool diffed = std::find(shell, arguments.end(), "diff") != arguments.end();
        arguments.erase(shell, arguments.end());
        const auto result = cli(arguments);
        std::string printed = result.out + (with_errors ? result.err : "");
        for (auto at = printed.find("\r\n"); at != std::string::npos; at = printed.find("\r\n", at)) {
            printed.erase(at, 1); // the map's rows end in CR LF, which a terminal shows as line ends
        }
        const std::string shown = block.substr(line_end + 1);
        EXPECT_EQ(printed, diffed ? with_diff(script, shown) : shown) << block;
        ++run;
    }
    std::filesystem::remove(file);
    return run;
}

// The manual page names every member of the JSON document, found in one with a finding, its edit and a file
// not read.
TEST(CliDocuments, EveryJsonMemberIsDocumented) {
    const auto document = cli({"--check", "--fix", "--format", "json"}, "mb.Read(6,4,2,1000);\n").out +
                          cli({"--check", "--format", "json", "no-such-file"}).out;
    const auto manual = source_file("packaging/linux/qxr-fanuc-cli.1.in");
    const std::string section = manual.substr(manual.find(".SH FINDINGS DOCUMENTS"));
    std::size_t members = 0;
    for (std::size_t at = document.find("\": "); at != std::string::npos;
         at = document.find("\": ", at + 1)) {
        const std::size_t start = document.rfind('"', at - 1) + 1;
        const std::string name = document.substr(start, at - start);
        EXPECT_NE(section.find("\\fB" + roff(name) + "\\fR"), std::string::npos) << name;
        ++members;
    }
    EXPECT_EQ(members, 29U + 20U); // one finding and its edit; one file not read
}

// The README's examples of --check, --map and --fix, run as written on its script.
TEST(CliDocuments, CheckExamplesRunAsWritten) {
    EXPECT_EQ(run_examples("## Checking a background script", "background.txt"), 3U);
}

// The README's plan, planned as written; its statements come back the same through --check --map and --plan.
TEST(CliDocuments, PlanExampleRunsAsWritten) {
    EXPECT_EQ(run_examples("## Planning a cell", "cell.csv"), 1U);
    const auto blocks = code_blocks(source_file("README.md"), "## Planning a cell");
    const std::string statements = blocks.at(1).substr(blocks.at(1).find('\n') + 1);
    std::ofstream("cell.txt", std::ios::binary) << statements;
    const auto map = cli({"--check", "--map", "cell.txt"});
    std::filesystem::remove("cell.txt");
    EXPECT_EQ(cli({"--plan"}, map.out).out, statements);
}

} // namespace
