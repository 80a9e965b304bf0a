// SPDX-License-Identifier: MIT
#pragma once

#include "check_command.h"
#include "checks.h"
#include "finding_filter.h"
#include "messages.h"
#include "range_hints.h"
#include "statement_choice.h"

#include <expected>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qxrfanuc::cli {

enum class Mode { Single, Batch, Check, Plan, Help, Version };

enum class ColorChoice { Auto, Always, Never };

struct Command {
    Mode mode = Mode::Single;
    StatementChoice choice = StatementChoice::Both;
    InputTexts inputs;                              // Single only
    std::string_view register_type;                 // Single only: already mapped from the TYPE argument
    std::vector<std::string_view> files;            // Check and Plan: none for standard input
    CheckSettings check;                            // Check, and Plan's output (Findings or Map)
    std::int16_t plan_from = qxr_register_hint.low; // Plan only
    ColorChoice color = ColorChoice::Auto;          // Check only: check.colored follows from it
};

// Parses the arguments after the program name. A usage error comes back as a one-line description of
// what is wrong. Options may stand anywhere, before or after the texts, until "--", after which every
// argument is a text. An argument that starts with one or two minuses and a letter is an option, known or
// not; every other one is a text, so negative numbers need no "--" before them. An option's argument is the
// next argument, whatever it is, or follows = in the option itself.
[[nodiscard]] std::expected<Command, std::string>
parse_command_line(std::span<const std::string_view> arguments);

} // namespace qxrfanuc::cli
