// SPDX-License-Identifier: MIT
#include "command_line.h"

#include "int16.h"
#include "options.h"
#include "register_type_argument.h"

#include <array>
#include <bitset>
#include <optional>
#include <utility>

namespace qxrfanuc::cli {

namespace {

using Given = std::bitset<options.size()>;

// The options given, and the arguments of those that take one.
struct GivenOptions {
    Given given;
    std::array<std::vector<std::string_view>, options.size()> arguments{}; // each time it was given
};

bool is_ascii_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "-q", "--quiet": a minus or two and a letter. "-5", "-1.5" and "-" stay texts.
bool looks_like_option(std::string_view argument) {
    const std::size_t minuses = argument.starts_with("--") ? 2 : 1;
    return argument.size() > minuses && argument.starts_with('-') && is_ascii_letter(argument[minuses]);
}

// The option an argument names by its long or its short form, or as --name=value. Exactly these short forms:
// "-5" and every other text that starts with one minus stay texts.
const OptionInfo* named_option(std::string_view argument) {
    for (const auto& info : options) {
        const bool with_value = !info.argument.empty() && argument.starts_with(info.name) &&
                                argument.substr(info.name.size()).starts_with('=');
        if (argument == info.name || with_value ||
            (!info.short_form.empty() && argument == info.short_form)) {
            return &info;
        }
    }
    return nullptr;
}

bool has(const Given& given, Option option) {
    return given.test(static_cast<std::size_t>(option));
}

// The first option given, in the table's order, that belongs only to modes among the given ones.
const OptionInfo* first_only_in(const Given& given, std::uint8_t modes) {
    for (const auto& info : options) {
        if ((info.modes & ~modes) == 0 && has(given, info.option)) {
            return &info;
        }
    }
    return nullptr;
}

// "--a", "--a or --b", "--a, --b or --c".
std::string listed(const std::vector<std::string_view>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            text += i + 1 == names.size() ? " or " : ", ";
        }
        text += names[i];
    }
    return text;
}

// "--map, --fix or --fail-on": the options that a mode's option combines with.
std::string companions(Option mode) {
    const std::uint8_t modes = option_info(mode).modes;
    std::vector<std::string_view> names;
    for (const auto& info : options) {
        if ((info.modes & modes) != 0 && info.modes != in_any && info.option != mode) {
            names.push_back(info.name);
        }
    }
    return listed(names);
}

// "--check or --plan": the modes an option goes with.
std::string modes_of(const OptionInfo& option) {
    std::vector<std::string_view> names;
    for (const Option mode : {Option::Batch, Option::Check, Option::Plan}) {
        if ((option.modes & option_info(mode).modes) != 0) {
            names.push_back(option_info(mode).name);
        }
    }
    return listed(names);
}

// A usage error when an option given does not go with the mode.
std::optional<std::string> outside_mode(const Given& given, Option mode) {
    for (const auto& info : options) {
        if (has(given, info.option) && (info.modes & option_info(mode).modes) == 0) {
            return std::string(option_info(mode).name) + " combines with no option but " + companions(mode);
        }
    }
    return std::nullopt;
}

// The choice --color names.
std::expected<ColorChoice, std::string> color_choice(std::string_view text) {
    if (text == "always" || text == "never") {
        return text == "always" ? ColorChoice::Always : ColorChoice::Never;
    }
    if (text == "auto") {
        return ColorChoice::Auto;
    }
    return std::unexpected("--color takes auto, always or never, not " + quoted(text));
}

// The severity --fail-on names.
std::expected<Severity, std::string> fail_on_severity(std::string_view text) {
    for (const Severity severity : {Severity::Error, Severity::Warning, Severity::Note}) {
        if (text == severity_name(severity)) {
            return severity;
        }
    }
    return std::unexpected("--fail-on takes error, warning or note, not " + quoted(text));
}

// The format --format names.
std::expected<FindingFormat, std::string> finding_format(std::string_view text) {
    constexpr std::array<std::pair<std::string_view, FindingFormat>, 3> formats{
        {{"text", FindingFormat::Text}, {"json", FindingFormat::Json}, {"sarif", FindingFormat::Sarif}}};
    for (const auto& [name, format] : formats) {
        if (text == name) {
            return format;
        }
    }
    return std::unexpected("--format takes text, json or sarif, not " + quoted(text));
}

// The last argument given to an option.
std::string_view last_argument(const GivenOptions& given, Option option) {
    return given.arguments.at(static_cast<std::size_t>(option)).back();
}

// Sets what --fail-on, --color and --format choose, where given; or says what is wrong.
std::optional<std::string> take_choices(const GivenOptions& given, Command& command) {
    if (has(given.given, Option::FailOn)) {
        const auto severity = fail_on_severity(last_argument(given, Option::FailOn));
        if (!severity) {
            return severity.error();
        }
        command.check.fail_on = *severity;
    }
    if (has(given.given, Option::Color)) {
        const auto color = color_choice(last_argument(given, Option::Color));
        if (!color) {
            return color.error();
        }
        command.color = *color;
    }
    if (has(given.given, Option::Format)) {
        const auto format = finding_format(last_argument(given, Option::Format));
        if (!format) {
            return format.error();
        }
        command.check.format = *format;
    }
    return std::nullopt;
}

std::expected<Command, std::string> check_command(const GivenOptions& options_given,
                                                  std::vector<std::string_view> texts) {
    const Given& given = options_given.given;
    if (auto error = outside_mode(given, Option::Check)) {
        return std::unexpected(std::move(*error));
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
    if (auto error = take_choices(options_given, command)) {
        return std::unexpected(std::move(*error));
    }
    if (has(given, Option::Map) && command.check.format != FindingFormat::Text) {
        return std::unexpected("--map prints a CSV map, not findings: it takes no --format but text");
    }
    for (const auto& [option, list] : {std::pair{Option::Select, &command.check.filter.selected},
                                       std::pair{Option::Ignore, &command.check.filter.ignored}}) {
        for (const auto names : options_given.arguments.at(static_cast<std::size_t>(option))) {
            auto named = checks_named(names);
            if (!named) {
                return std::unexpected(std::string(option_info(option).name) + ": " + named.error());
            }
            list->insert(list->end(), named->begin(), named->end());
        }
    }
    if (has(given, Option::Map) || has(given, Option::Fix)) {
        command.check.output = has(given, Option::Map) ? CheckOutput::Map : CheckOutput::Fix;
    }
    return command;
}

std::expected<Command, std::string> plan_command(const GivenOptions& given,
                                                 std::vector<std::string_view> texts) {
    if (auto error = outside_mode(given.given, Option::Plan)) {
        return std::unexpected(std::move(*error));
    }
    if (texts.size() > 1) {
        return std::unexpected("--plan reads one plan: give one FILE, or - or none for standard input");
    }
    Command command;
    command.mode = Mode::Plan;
    command.files = std::move(texts);
    command.check.output = has(given.given, Option::Map) ? CheckOutput::Map : CheckOutput::Findings;
    if (has(given.given, Option::From)) {
        const std::string_view text = given.arguments.at(static_cast<std::size_t>(Option::From)).back();
        const auto from = int16_from_text(text);
        if (!from) {
            GenerationError error = from.error();
            error.place = ErrorPlace::QxrRegister;
            return std::unexpected("--from takes a QXR register: " + describe_error(error, {text, {}, {}}));
        }
        command.plan_from = *from;
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

std::expected<Command, std::string> command_for(const GivenOptions& options_given,
                                                std::vector<std::string_view> texts) {
    const Given& given = options_given.given;
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
    if (has(given, Option::Plan)) {
        return plan_command(options_given, std::move(texts));
    }
    if (has(given, Option::Check)) {
        return check_command(options_given, std::move(texts));
    }
    if (const OptionInfo* mode_only = first_only_in(given, in_check | in_plan)) {
        return std::unexpected(std::string(mode_only->name) + " goes with " + modes_of(*mode_only));
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

// Takes the option at arguments[at], and its argument if it has one; moves at past what it took.
std::optional<std::string> take_option(const OptionInfo& option, std::span<const std::string_view> arguments,
                                       std::size_t& at, GivenOptions& given) {
    given.given.set(static_cast<std::size_t>(option.option));
    if (option.argument.empty()) {
        return std::nullopt;
    }
    auto& values = given.arguments.at(static_cast<std::size_t>(option.option));
    const std::string_view argument = arguments[at];
    if (argument.size() > option.name.size()) {
        values.push_back(argument.substr(option.name.size() + 1)); // after "--from="
    } else if (at + 1 < arguments.size()) {
        values.push_back(arguments[++at]);
    } else {
        return std::string(option.name) + " takes an argument " + std::string(option.argument);
    }
    return std::nullopt;
}

} // namespace

std::expected<Command, std::string> parse_command_line(std::span<const std::string_view> arguments) {
    GivenOptions given;
    std::vector<std::string_view> texts;
    bool options_ended = false;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const auto argument = arguments[at];
        const OptionInfo* option = options_ended ? nullptr : named_option(argument);
        if (!options_ended && argument == "--") {
            options_ended = true;
        } else if (option != nullptr || (!options_ended && looks_like_option(argument))) {
            if (option == nullptr) {
                return std::unexpected("unknown option " + quoted(argument));
            }
            if (auto error = take_option(*option, arguments, at, given)) {
                return std::unexpected(std::move(*error));
            }
            if (has(given.given, Option::Read) && has(given.given, Option::Write)) {
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
