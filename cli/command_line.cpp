// SPDX-License-Identifier: MIT
#include "command_line.h"

#include "options.h"
#include "register_type_argument.h"

#include <bitset>
#include <utility>

namespace qxrfanuc::cli {

namespace {

using Given = std::bitset<options.size()>;

bool is_ascii_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool looks_like_option(std::string_view argument) {
    return argument.size() > 2 && argument.starts_with("--") && is_ascii_letter(argument[2]);
}

// The option an argument names by its long or its short form. Exactly these short forms: "-5" and every
// other text that starts with one minus stay texts.
const OptionInfo* named_option(std::string_view argument) {
    for (const auto& info : options) {
        if (argument == info.name || (!info.short_form.empty() && argument == info.short_form)) {
            return &info;
        }
    }
    return nullptr;
}

bool has(const Given& given, Option option) {
    return given.test(static_cast<std::size_t>(option));
}

// The first option given, in the table's order, that belongs to the --check mode alone.
const OptionInfo* first_check_only(const Given& given) {
    for (const auto& info : options) {
        if (info.modes == in_check && has(given, info.option)) {
            return &info;
        }
    }
    return nullptr;
}

// "--map or --fix": the options that --check combines with.
std::string check_companions() {
    std::string names;
    for (const auto& info : options) {
        if (info.modes == in_check && info.option != Option::Check) {
            names += (names.empty() ? "" : " or ") + std::string(info.name);
        }
    }
    return names;
}

std::expected<Command, std::string> check_command(const Given& given, const OptionInfo& check_only,
                                                  std::vector<std::string_view> texts) {
    if (!has(given, Option::Check)) {
        return std::unexpected(std::string(check_only.name) + " goes with --check");
    }
    for (const auto& info : options) {
        if (has(given, info.option) && (info.modes & in_check) == 0) {
            return std::unexpected("--check combines with no option but " + check_companions());
        }
    }
    if (has(given, Option::Map) && has(given, Option::Fix)) {
        return std::unexpected("--map and --fix exclude each other");
    }
    if (has(given, Option::Fix) && texts.size() > 1) {
        return std::unexpected("--fix writes one script: give one FILE, or - or none for standard input");
    }
    Command command;
    command.mode = Mode::Check;
    command.files = std::move(texts);
    if (has(given, Option::Map) || has(given, Option::Fix)) {
        command.check_output = has(given, Option::Map) ? CheckOutput::Map : CheckOutput::Fix;
    }
    return command;
}

std::expected<Command, std::string> single_command(StatementChoice choice,
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
    command.choice = choice;
    command.inputs = {texts[0], texts[1], texts[2]};
    command.register_type = *type;
    return command;
}

std::expected<Command, std::string> command_for(const Given& given, std::vector<std::string_view> texts) {
    Command command;
    if (has(given, Option::Read)) {
        command.choice = StatementChoice::ReadOnly;
    } else if (has(given, Option::Write)) {
        command.choice = StatementChoice::WriteOnly;
    }
    if (has(given, Option::Help) || has(given, Option::Version)) {
        command.mode = has(given, Option::Help) ? Mode::Help : Mode::Version;
        return command;
    }
    if (const OptionInfo* check_only = first_check_only(given)) {
        return check_command(given, *check_only, std::move(texts));
    }
    if (has(given, Option::Batch)) {
        if (!texts.empty()) {
            return std::unexpected(
                "--batch reads its records from standard input and takes no other arguments");
        }
        command.mode = Mode::Batch;
        return command;
    }
    return single_command(command.choice, texts);
}

} // namespace

std::expected<Command, std::string> parse_command_line(std::span<const std::string_view> arguments) {
    Given given;
    std::vector<std::string_view> texts;
    bool options_ended = false;
    for (const auto argument : arguments) {
        const OptionInfo* option = options_ended ? nullptr : named_option(argument);
        if (!options_ended && argument == "--") {
            options_ended = true;
        } else if (option != nullptr || (!options_ended && looks_like_option(argument))) {
            if (!texts.empty()) {
                const bool checking =
                    has(given, Option::Check) || argument == option_info(Option::Check).name;
                return std::unexpected("option " + quoted(argument) + " must come before " +
                                       (checking ? "the FILEs to check" : "QXR FANUC ITEMS TYPE"));
            }
            if (option == nullptr) {
                return std::unexpected("unknown option " + quoted(argument));
            }
            given.set(static_cast<std::size_t>(option->option));
            if (has(given, Option::Read) && has(given, Option::Write)) {
                return std::unexpected(
                    "--read and --write exclude each other; give neither for both statements");
            }
        } else {
            texts.push_back(argument);
        }
    }
    return command_for(given, std::move(texts));
}

} // namespace qxrfanuc::cli
