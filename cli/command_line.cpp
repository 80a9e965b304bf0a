// SPDX-License-Identifier: MIT
#include "command_line.h"

#include "checks.h"
#include "register_type_argument.h"
#include "script_text.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace qxrfanuc::cli {

namespace {

bool is_ascii_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The short forms of --help, --version, --read and --write. Exactly these: "-5" and every other text that
// starts with one minus stay texts, so negative numbers need no "--" before them.
std::string_view long_form(std::string_view argument) {
    constexpr std::array<std::pair<std::string_view, std::string_view>, 4> short_options{
        {{"-h", "--help"}, {"-V", "--version"}, {"-r", "--read"}, {"-w", "--write"}}};
    for (const auto& [short_form, long_form] : short_options) {
        if (argument == short_form) {
            return long_form;
        }
    }
    return argument;
}

bool looks_like_option(std::string_view argument) {
    return argument.size() > 2 && argument.starts_with("--") && is_ascii_letter(argument[2]);
}

struct Options {
    bool batch = false;
    bool check = false;
    bool map = false;
    bool fix = false;
    bool help = false;
    bool version = false;
    StatementChoice choice = StatementChoice::Both;
};

std::expected<void, std::string> choose_statement(Options& options, StatementChoice choice) {
    if (options.choice != StatementChoice::Both && options.choice != choice) {
        return std::unexpected("--read and --write exclude each other; give neither for both statements");
    }
    options.choice = choice;
    return {};
}

std::expected<void, std::string> apply_option(Options& options, std::string_view option) {
    if (option == "--read") {
        return choose_statement(options, StatementChoice::ReadOnly);
    }
    if (option == "--write") {
        return choose_statement(options, StatementChoice::WriteOnly);
    }
    if (option == "--batch") {
        options.batch = true;
    } else if (option == "--check") {
        options.check = true;
    } else if (option == "--map") {
        options.map = true;
    } else if (option == "--fix") {
        options.fix = true;
    } else if (option == "--help") {
        options.help = true;
    } else if (option == "--version") {
        options.version = true;
    } else {
        return std::unexpected("unknown option " + quoted(option));
    }
    return {};
}

std::expected<Command, std::string> single_command(const Options& options,
                                                   const std::vector<std::string_view>& texts) {
    if (texts.size() != 4) {
        return std::unexpected("expected 4 arguments QXR FANUC ITEMS TYPE, got " +
                               std::to_string(texts.size()));
    }
    const auto type = register_type_from_argument(texts[3]);
    if (!type) {
        return std::unexpected("unknown TYPE " + quoted(texts[3]) + ". " + std::string(accepted_types));
    }
    Command command;
    command.choice = options.choice;
    command.inputs = {texts[0], texts[1], texts[2]};
    command.register_type = *type;
    return command;
}

} // namespace

std::expected<Command, std::string> parse_command_line(std::span<const std::string_view> arguments) {
    Options options;
    std::vector<std::string_view> texts;
    bool options_ended = false;
    for (const auto given : arguments) {
        const auto argument = options_ended ? given : long_form(given);
        if (!options_ended && argument == "--") {
            options_ended = true;
        } else if (!options_ended && looks_like_option(argument)) {
            if (!texts.empty()) {
                const bool checking = options.check || argument == "--check";
                return std::unexpected("option " + quoted(given) + " must come before " +
                                       (checking ? "the FILEs to check" : "QXR FANUC ITEMS TYPE"));
            }
            if (auto applied = apply_option(options, argument); !applied) {
                return std::unexpected(applied.error());
            }
        } else {
            texts.push_back(argument);
        }
    }

    Command command;
    command.choice = options.choice;
    if (options.help || options.version) {
        command.mode = options.help ? Mode::Help : Mode::Version;
        return command;
    }
    if (options.check || options.map || options.fix) {
        if (!options.check) {
            return std::unexpected(std::string(options.map ? "--map" : "--fix") + " goes with --check");
        }
        if (options.batch || options.choice != StatementChoice::Both) {
            return std::unexpected("--check combines with no option but --map or --fix");
        }
        if (options.map && options.fix) {
            return std::unexpected("--map and --fix exclude each other");
        }
        if (options.fix && texts.size() > 1) {
            return std::unexpected("--fix writes one script: give one FILE, or - or none for standard input");
        }
        command.mode = Mode::Check;
        command.files = std::move(texts);
        if (options.map || options.fix) {
            command.check_output = options.map ? CheckOutput::Map : CheckOutput::Fix;
        }
        return command;
    }
    if (options.batch) {
        if (!texts.empty()) {
            return std::unexpected(
                "--batch reads its records from standard input and takes no other arguments");
        }
        command.mode = Mode::Batch;
        return command;
    }
    return single_command(options, texts);
}

std::string help_text() {
    std::string text =
        "qxr-fanuc-cli writes the Modbus statements that move values between a QXR device and a\n"
        "Fanuc controller, for pasting into the device's background script.\n\n";
    text += usage_text;
    text += R"(
  QXR       QXR register number, e.g. 12
  FANUC     Fanuc register number, e.g. 1
  ITEMS     number of consecutive items to transfer, e.g. 1
  TYPE      R or "General Register [R]" (the general register rule), PR or
            "Position Register [PR]", or "" for no type (both the position register rule)

Numbers are 16-bit integers (-32768 to 32767): blanks around them are ignored, and a fraction
rounds half to even (2.5 gives 2, 3.5 gives 4). Negative numbers need no "--" before them.

Options:
  -r, --read     print only the read statement (mb.Read)
  -w, --write    print only the write statement (mb.Write)
      --batch    read records QXR,FANUC,ITEMS,TYPE, one a line, from standard input; empty
                 lines and lines starting with # (of any length) are skipped, and so is a UTF-8
                 byte order mark at the very start; a record may be at most 4096 bytes long; a
                 failed record is reported on standard error as "line N: ..." and the others go on
      --check    read background scripts (each FILE, or standard input for - or no FILE)
                 and report, one line each as FILE:LINE:COLUMN: SEVERITY: MESSAGE [CHECK],
                 the mb.Read and mb.Write statements that the generator could not have
                 written, comments that say something else, values outside the window's
                 hints, writes that overlap, and text that is not read; a summary goes to
                 standard error
      --map      with --check: print instead a CSV map of the statements (file, line, column,
                 function, its four arguments, and the generator's inputs QXR, FANUC, ITEMS,
                 TYPE it decodes to, empty when it decodes to none)
      --fix      with --check and one FILE: print the script with the generator's own comment
                 after each statement that decodes to its inputs, in place of a missing or
                 lying one; the script's own comments, its words after the generator's, and
                 every other byte stay as they are; a lying comment it cannot rewrite is
                 reported (unfixed); the FILE is never written; findings and summary go to
                 standard error
  -h, --help     print this help (it wins over --version)
  -V, --version  print the version
An option given twice counts once; --read and --write exclude each other.

Exit status: 0 success, 2 usage error or malformed record, 13 type mismatch, 6 overflow,
1 read or write failure. In batch mode, the status of the first failed record. With --check:
1 if a FILE could not be read, else 3 if an error was found, else 4 if some text was not read
(a /* never closed, a look-alike statement, text a comment may hide), else 0.

)";
    text += "--check reads each script whole, up to " + std::string(script_size_limit_text) +
            "; a larger one is reported as a file that cannot\nbe read.";
    text += R"(
A statement's comment is, of the comments (// or /* */) after its ) on its line before another
statement starts, the first that holds the generator's wording, else the first that holds more
than blanks, whatever code stands between.
--check ends lines at LF, CR LF or a lone CR, reads UTF-8 and UTF-16 with a byte order mark,
and finds // and /* */ comments first and takes them as blanks; it does not recognise string
literals, so a // inside quotes starts a comment (reported as hidden-text). Columns count bytes
(of the UTF-8 text). Control characters, invisible format characters, blanks other than the
space and invalid UTF-8 from a script or a file name are printed as \xNN, one per byte.
Checks, in the order they are reported:
)";
    for (const auto& check : checks) {
        std::string line =
            "  " + std::string(check.name) + " (" + std::string(severity_name(check.severity)) + "): ";
        text += line;
        // The meaning, wrapped at word boundaries below the line's start, with no blank at a line's end.
        std::size_t width = line.size();
        std::string_view meaning = check.meaning;
        for (bool first = true; !meaning.empty(); first = false) {
            const auto word_end = std::min(meaning.find(' '), meaning.size());
            const auto word = meaning.substr(0, word_end);
            if (!first && width + 1 + word.size() > 96) {
                text += "\n    ";
                width = 4;
            } else if (!first) {
                text += ' ';
                ++width;
            }
            text += word;
            width += word.size();
            meaning.remove_prefix(std::min(word_end + 1, meaning.size()));
        }
        text += '\n';
    }
    text += R"(
Examples:
  qxr-fanuc-cli 12 1 1 R
  qxr-fanuc-cli --write 100 3 2 PR
  printf '12,1,1,R\n100,3,2,PR\n' | qxr-fanuc-cli --batch
  qxr-fanuc-cli --check background.txt
  qxr-fanuc-cli --check --fix background.txt > fixed.txt
)";
    return text;
}

} // namespace qxrfanuc::cli
