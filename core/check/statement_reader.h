// SPDX-License-Identifier: MIT
#pragma once

// One mb.Read or mb.Write statement read from its name on: its arguments when they are plain integers, or
// why not, and the stretch of its line after its ) where its comments stand.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qxrfanuc {

struct Statement {
    bool is_write = false;
    std::size_t line = 0;       // 1-based
    std::size_t column = 0;     // 1-based byte column of its m
    std::size_t line_start = 0; // where its line starts in the text
    // The four arguments, when the text splits at top-level commas into four plain integers (optional
    // blanks, an optional sign, digits, optional blanks); a number too long for 16 bits stays too long.
    std::optional<std::array<std::int64_t, 4>> arguments;
    std::array<std::string_view, 4> argument_texts; // with them: each as written, without its blanks
    std::string unchecked_because;                  // otherwise, when an argument is a name or an expression
    std::string malformed_because; // what the generator would never write: its arguments, its ) or its ;
    // With its ) on its line: its comments are those that start from comments_start to comments_end.
    std::size_t comments_start = 0;
    std::size_t comments_end = 0;
    std::size_t end_offset = 0; // just past its ), or past a ; after it
    // Only blanks follow end_offset on its line, or a // comment of nothing but blanks: where --fix may
    // write the generator's comment.
    bool ends_its_line = false;

    [[nodiscard]] std::size_t column_of(std::size_t offset) const { return offset - line_start + 1; }
};

// Where the ( of a statement whose name starts at `at` stands, if one does: the name exactly, after no byte
// that would make it part of a longer one, then only blanks.
[[nodiscard]] std::optional<std::size_t> statement_opens(std::string_view text, std::size_t at,
                                                         bool& is_write);

// Reads the statement whose ( stands at open: its arguments, and with its ) on its line what follows it
// (else its comments' stretch stays empty, at 0).
void read_statement(std::string_view text, std::size_t open, Statement& statement);

} // namespace qxrfanuc
