// SPDX-License-Identifier: MIT
#include "help.h"

#include "checks.h"
#include "exit_status.h"
#include "int16.h"
#include "line_reader.h"
#include "messages.h"
#include "options.h"
#include "range_hints.h"
#include "script_text.h"

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
static_assert(names_number(option_info(Option::Batch).meaning, max_line_bytes));
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
    constexpr std::size_t meaning_column = 17; // past "  -V, --version  "
    std::string text = "Options:\n";
    for (const auto& info : options) {
        std::string line = info.short_form.empty() ? "      " : "  " + std::string(info.short_form) + ", ";
        line += info.name;
        line += info.argument.empty() ? "" : " " + std::string(info.argument);
        line.resize(std::max(line.size() + 2, meaning_column), ' ');
        text += line + wrapped(info.meaning, line.size(), meaning_column);
    }
    return text + "An option given twice counts once; --read and --write exclude each other.\n";
}

std::string exit_status_section() {
    std::string text = "Exit status:\n";
    for (const auto& [status, meaning] : exit_statuses) {
        constexpr std::size_t meaning_column = 7; // past "  13   "
        std::string line = "  " + std::to_string(status);
        line.resize(meaning_column, ' ');
        text += line + wrapped(meaning, meaning_column, meaning_column);
    }
    return text +
           "In batch mode, the status of the first failed record. With --check, the first of 1, 3 and 4 "
           "that\napplies, else 0.\n";
}

std::string checks_section() {
    std::string text = "Checks, in the order they are reported:\n";
    for (const auto& check : checks) {
        const std::string line = "  " + std::string(check.name) + " (" +
                                 std::string(severity_name(check.severity)) +
                                 (check.fix_only ? ", with --fix only" : "") + "): ";
        text += line + wrapped(check.meaning, line.size(), 4);
    }
    return text;
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
    const std::array<std::string, 5> examples{" 12 1 1 R", " --write 100 3 2 PR", " --check background.txt",
                                              " --check --fix background.txt > fixed.txt",
                                              " --plan --from 100 cell.csv > background.txt"};
    return "Examples:\n" + program_lines("  ", "  ", std::span(examples).first(2)) +
           "  printf '12,1,1,R\\n100,3,2,PR\\n' | " + std::string(program_name) + " --batch\n" +
           program_lines("  ", "  ", std::span(examples).subspan(2));
}

} // namespace

std::string usage_text() {
    const std::string choice = " [" + spelled(Option::Read) + " | " + spelled(Option::Write) + "]";
    const std::string check = " " + spelled(Option::Check);
    const std::array<std::string, 6> forms{
        choice + " QXR FANUC ITEMS TYPE",
        " " + spelled(Option::Batch) + choice + "   (records QXR,FANUC,ITEMS,TYPE on standard input)",
        check + " [" + spelled(Option::Map) + "] [" + spelled(Option::FailOn) + " " +
            std::string(option_info(Option::FailOn).argument) + "] [FILE...]",
        check + " " + spelled(Option::Fix) + " [FILE]   (the script, its comments fixed, on standard output)",
        " " + spelled(Option::Plan) + " [" + spelled(Option::Map) + "] [" + spelled(Option::From) + " " +
            std::string(option_info(Option::From).argument) + "] [FILE]   (a CSV table of transfers)",
        " " + spelled(Option::Help) + " | " + spelled(Option::Version)};
    return program_lines("usage: ", "       ", forms);
}

std::string help_text() {
    std::string text = std::string(program_name) +
                       " writes the Modbus statements that move values between a QXR device and a\n"
                       "Fanuc controller, for pasting into the device's background script.\n\n";
    text += usage_text();
    text += R"(
  QXR       QXR register number, e.g. 12
  FANUC     Fanuc register number, e.g. 1
  ITEMS     number of consecutive items to transfer, e.g. 1
  TYPE      R or "General Register [R]" (the general register rule), PR or
            "Position Register [PR]", or "" for no type (both the position register rule)

Numbers are 16-bit integers ()" +
            std::string(int16_range_text) + R"(): blanks around them are ignored, and a fraction
rounds half to even (2.5 gives 2, 3.5 gives 4). Options may stand anywhere until "--";
an unknown one is an error. Negative numbers need no "--" before them.

)";
    text += options_section() + "\n" + exit_status_section() + "\n";
    text += "--check reads each script whole, up to " + std::to_string(script_size_limit_mib) + " MiB" +
            "; a larger one is reported as a file that cannot\nbe read.";
    text += R"(
It reads UTF-8, and UTF-16 with a byte order mark, holding no NUL; it ends lines at LF, CR LF or
a lone CR, and reads // and /* */ comments and "..." and '...' strings as the language does.
Every comment after a statement's ) on its line, before another statement starts, is compared
when it is one of the generator's six (words after its final period are the script's own); one
that mentions a register in another form is reported, and not compared. A transfer of N items
from register F covers that type's registers F to F+N-1, and fills (a read) or sends (a write)
the QXR registers 2I to 2I+W-1, I its QXR index and W its word count (2 per R item, 12 per PR
item); overlaps on both sides are said in those registers. Columns count bytes of the UTF-8
text. Control characters, invisible format characters, blanks other than the space and invalid
UTF-8 from a script or a file name are printed as \xNN, one per byte.
)";
    return text + checks_section() + "\n" + examples_section();
}

} // namespace qxrfanuc::cli
