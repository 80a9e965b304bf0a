// SPDX-License-Identifier: MIT
#pragma once

#include "generation_error.h"
#include "script_strings.h"

#include <string>
#include <string_view>

namespace qxrfanuc::cli {

enum class StatementChoice { Both, ReadOnly, WriteOnly };

// The program's exit statuses; a failed generation exits with its error's number (13, 6).
enum ExitStatus : int {
    exit_success = 0,
    exit_io_failure = 1,
    exit_usage = 2,
    exit_errors_found = 3,
    exit_not_read_whole = 4, // --check found no error, but did not read every script whole
};

struct InputTexts {
    std::string_view qxr;
    std::string_view fanuc;
    std::string_view items;
};

// The chosen statements, each followed by a line feed.
void append_statements(std::string& out, const ScriptStrings& statements, StatementChoice choice);

// "error 13: Type mismatch in the Fanuc register "12a": not a number", without a line feed.
[[nodiscard]] std::string describe_error(const GenerationError& error, const InputTexts& inputs);

// The text in double quotes, with control and non-ASCII bytes escaped and a very long text cut short, so
// that whatever the user passed stays on one readable line.
[[nodiscard]] std::string quoted(std::string_view text);

} // namespace qxrfanuc::cli
