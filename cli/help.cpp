// SPDX-License-Identifier: MIT
#include "help.h"

#include "checks.h"
#include "exit_status.h"
#include "int16.h"
#include "messages.h"
#include "options.h"
#include "range_hints.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

namespace qxrfanuc::cli {

namespace {

constexpr std::size_t help_width = 96;

// Whether the text names the number in decimal: ties a figure in a table's text to its one definition.
constexpr bool names_number(std::string_view text, std::size_t number) {
    std::array<char, 20> digits{};
    std::size_t length = 0;
    for (; number > 0 || length == 0; number /= 10) {
        digits.at(digits.size() - ++length) = static_cast<char>('0' + (number % 10));
    }
    return text.find(std::string_view(digits.data() + digits.size() - length, length)) !=
           std::string_view::npos;
}
static_assert(names_number(option_info(Option::From).meaning,
                           static_cast<std::size_t>(qxr_register_hint.low)));

// The text after a line's start of the given width, wrapped at word boundaries with each further line
// indented by indent blanks; no line ends in a blank.
std::string wrapped(std::string_view text, std::size_t start_width, std::size_t indent) {
    std::string out;
    std::size_t width = start_width;
    for (bool first = true; !text.empty(); first = false) {
        const auto word_end = std::min(text.find(' '), text.size());
        const auto word = text.substr(0, word_end);
        if (!first && width + 1 + word.size() > help_width) {
            out += '\n' + std::string(indent, ' ');
            width = indent;
        } else if (!first) {
            out += ' ';
            ++width;
        }
        out += word;
        width += word.size();
        text.remove_prefix(std::min(word_end + 1, text.size()));
    }
    return out + '\n';
}

// How the usage lines write an option: by its short form where it has one.
std::string spelled(Option option) {
    const auto& info = option_info(option);
    return std::string(info.short_form.empty() ? info.name : info.short_form);
}

std::string options_section() {
    constexpr std::size_t meaning_column = 26; // past "      --fail-on SEVERITY  "
    std::string text = "Options, anywhere until --:\n";
    for (const auto& info : options) {
        std::string line = info.short_form.empty() ? "      " : "  " + std::string(info.short_form) + ", ";
        line += info.name;
        line += info.argument.empty() ? "" : " " + std::string(info.argument);
        line.resize(std::max(line.size() + 2, meaning_column), ' ');
        text += line + wrapped(info.meaning, line.size(), meaning_column);
    }
    return text;
}

// The statuses in one paragraph: "0 success; 1 ...".
std::string exit_status_section() {
    std::string text = "Exit status:";
    for (const auto& [status, meaning] : exit_statuses) {
        text += (status == exit_statuses.front().status ? " " : "; ") + std::to_string(status) + " " +
                std::string(meaning);
    }
    return wrapped(text + ".", 0, 0);
}

// The checks' names in one paragraph, for --select and --ignore.
std::string checks_section() {
    std::string text = "Checks:";
    for (const auto& check : checks) {
        text += " " + std::string(check.name) + (&check == &checks.back() ? "." : ",");
    }
    return wrapped(text, 0, 0);
}

// Lines that each start with the program's name, after the first line's start and the others' indent.
std::string program_lines(std::string_view first, std::string_view indent,
                          std::span<const std::string> forms) {
    std::string text;
    for (const auto& form : forms) {
        text += std::string(text.empty() ? first : indent) + std::string(program_name) + form + "\n";
    }
    return text;
}

std::string examples_section() {
    const std::array<std::string, 4> examples{" 12 1 1 R", " --check background.txt",
                                              " --check --fix background.txt > fixed.txt",
                                              " --plan --from 100 cell.csv > background.txt"};
    return "Examples:\n" + program_lines("  ", "  ", std::span(examples).first(1)) +
           "  printf '12,1,1,R\\n100,3,2,PR\\n' | " + std::string(program_name) + " --batch\n" +
           program_lines("  ", "  ", std::span(examples).subspan(1));
}

} // namespace

std::string usage_text() {
    const std::string choice = " [" + spelled(Option::Read) + " | " + spelled(Option::Write) + "]";
    const std::array<std::string, 4> forms{
        choice + " QXR FANUC ITEMS TYPE",
        " " + spelled(Option::Batch) + choice + "   (records on standard input)",
        " " + spelled(Option::Plan) + " [" + spelled(Option::Map) + "] [" + spelled(Option::From) + " " +
            std::string(option_info(Option::From).argument) + "] [FILE]",
        " " + spelled(Option::Check) + " [" + spelled(Option::Map) + " | " + spelled(Option::Fix) +
            "] [OPTION...] [FILE...]"};
    return program_lines("usage: ", "       ", forms);
}

std::string help_text() {
    std::string text = std::string(program_name) +
                       " writes the Modbus statements between a QXR device and a Fanuc controller.\n\n";
    text += usage_text();
    text += "TYPE is R, PR or \"\" (none); numbers are 16-bit (" + std::string(int16_range_text) +
            "), fractions round half to even.\n\n";
    text += options_section() + "\n" + exit_status_section() + "\n" + examples_section() + "\n";
    text += checks_section();
    return text + "The manual page (man " + std::string(program_name) +
           ") holds the reference: every option, check and status.\n";
}

} // namespace qxrfanuc::cli
