// SPDX-License-Identifier: MIT
// The README and the manual page hold the tables that --help is written from.
#include "checks.h"
#include "cli_run.h"
#include "exit_status.h"

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

// Every check of the table is named in --help, the README and the manual page, in the table's order.
TEST(CliDocuments, EveryCheckIsDocumented) {
    const auto help = cli({"--help"}).out;
    const auto readme = source_file("README.md");
    auto manual = source_file("packaging/linux/qxr-fanuc-cli.1.in");
    for (std::size_t at = manual.find("\\-"); at != std::string::npos; at = manual.find("\\-", at)) {
        manual.erase(at, 1);
    }
    std::size_t in_help = 0;
    std::size_t in_readme = 0;
    std::size_t in_manual = 0;
    for (const auto& check : qxrfanuc::checks) {
        const std::string name(check.name);
        const std::string help_line =
            "  " + name + " (" + std::string(qxrfanuc::severity_name(check.severity)) + "): ";
        in_help = help.find(help_line, in_help);
        EXPECT_NE(in_help, std::string::npos) << name;
        if (check.check == qxrfanuc::Check::OwnComment || check.check == qxrfanuc::Check::QxrChoice ||
            check.check == qxrfanuc::Check::Unfixed) {
            EXPECT_NE(readme.find("(`" + name + "`)"), std::string::npos) << name;
        } else {
            in_readme = readme.find(
                "- `" + name + "` (" + std::string(qxrfanuc::severity_name(check.severity)), in_readme);
            EXPECT_NE(in_readme, std::string::npos) << name;
        }
        in_manual = manual.find("\\fB" + name + "\\fR", in_manual);
        EXPECT_NE(in_manual, std::string::npos) << name;
    }
}

} // namespace
