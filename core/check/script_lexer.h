// SPDX-License-Identifier: MIT
#pragma once

// Finds the mb.Read and mb.Write statements in a script's text, in one pass, with the language's comments
// and strings (script_tokens.h). Each statement comes with its four arguments when they are plain
// integers, and with the stretch of its line where its comments stand: after its ) and before another
// statement starts. Comments that follow no statement on their line come on their own, and text that may
// run but is not read comes as text not read.

#include "checks.h"
#include "script_tokens.h"
#include "statement_reader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qxrfanuc {

// Text that may run but is not read: a look-alike, a // comment's hidden text, a string or a /* never
// closed.
struct NotRead {
    Check check;
    std::size_t line;
    std::size_t column;
    std::string why;
    std::size_t hidden_lines = 0; // for a /*: the lines from its own to the last
};

// A comment that follows no statement on its line.
struct LooseComment {
    std::size_t line;
    std::size_t column;
    std::string_view text;
};

struct ScriptEvents {
    std::function<void(const Statement&)> on_statement;
    std::function<void(const NotRead&)> on_not_read;
    std::function<void(const LooseComment&)> on_loose_comment;
};

// Reports each statement, loose comment and text not read, in the order they stand in the text.
void scan_script(std::string_view text, const ScriptEvents& events);

// Each comment that starts in [from, to), in order: a statement's comments.
void for_each_comment(std::string_view text, std::size_t from, std::size_t to,
                      const std::function<void(const Token&)>& on_comment);

} // namespace qxrfanuc
