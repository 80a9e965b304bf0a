// SPDX-License-Identifier: MIT
#pragma once

// The program's messages: its name, which starts each, and how they quote and describe what went wrong.

#include "generation_error.h"

#include <string>
#include <string_view>

namespace qxrfanuc::cli {

inline constexpr std::string_view program_name = "qxr-fanuc-cli";

// "qxr-fanuc-cli: " and the text, ending in a line feed.
[[nodiscard]] std::string message(std::string_view text);

struct InputTexts {
    std::string_view qxr;
    std::string_view fanuc;
    std::string_view items;
};

// "error 13: Type mismatch in the Fanuc register "12a": not a number", without a line feed.
[[nodiscard]] std::string describe_error(const GenerationError& error, const InputTexts& inputs);

// The text in double quotes, with control and non-ASCII bytes escaped and a very long text cut short, so
// that whatever the user passed stays on one readable line.
[[nodiscard]] std::string quoted(std::string_view text);

} // namespace qxrfanuc::cli
