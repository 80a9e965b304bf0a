// SPDX-License-Identifier: MIT
#include "command_line.h"

#include "register_type_argument.h"

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
                return std::unexpected("option " + quoted(given) + " must come before QXR FANUC ITEMS TYPE");
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
    if (options.check || options.map) {
        if (!options.check) {
            return std::unexpected("--map goes with --check");
        }
        if (options.batch || options.choice != StatementChoice::Both) {
            return std::unexpected("--check combines with no option but --map");
        }
        command.mode = Mode::Check;
        command.files = std::move(texts);
        command.map = options.map;
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
  TYPE      R or "General Register [R]", PR or "Position Register [PR]", or "" for no type
            (any type other than R uses the position register rule)

Numbers are 16-bit integers (-32768 to 32767): blanks around them are ignored, and a fraction
rounds half to even (2.5 gives 2, 3.5 gives 4). Negative numbers need no "--" before them.

Options:
  -r, --read     print only the read statement (mb.Read)
  -w, --write    print only the write statement (mb.Write)
      --batch    read records QXR,FANUC,ITEMS,TYPE, one a line, from standard input; empty
                 lines and lines starting with # are skipped, and so is a UTF-8 byte order mark
                 at the very start; a record may be at most 4096 bytes long; a failed record
                 is reported on standard error as "line N: ..." and the others go on
      --check    read background scripts (each FILE, or standard input for - or no FILE)
                 and report, one line each as FILE:LINE:COLUMN: SEVERITY: MESSAGE [CHECK],
                 the mb.Read and mb.Write statements that the generator could not have
                 written, comments that say something else, values outside the window's
                 hints and writes that overlap; a summary goes to standard error
      --map      with --check: print instead a CSV map of the statements, whose last four
                 columns are --batch records that regenerate them
  -h, --help     print this help
  -V, --version  print the version

Exit status: 0 success, 2 usage error or malformed record, 13 type mismatch, 6 overflow,
1 read or write failure. In batch mode, the status of the first failed record. With --check:
1 if a FILE could not be read, else 3 if an error was found, else 0.

--check finds // and /* */ comments first and takes them as blanks; it does not recognise string
literals, so a // inside quotes starts a comment. Checks: unchecked (note: arguments are not four
plain integers), argument, index, address, words (errors), last-argument (warning), comment
(error), range, overlap (warnings).

Examples:
  qxr-fanuc-cli 12 1 1 R
  qxr-fanuc-cli --write 100 3 2 PR
  printf '12,1,1,R\n100,3,2,PR\n' | qxr-fanuc-cli --batch
  qxr-fanuc-cli --check background.txt
  qxr-fanuc-cli --check --map background.txt | tail -n +2 | grep -v ',,,,$' | cut -d, -f9- |
      qxr-fanuc-cli --batch
)";
    return text;
}

} // namespace qxrfanuc::cli
