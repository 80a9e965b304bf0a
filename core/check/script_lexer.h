// SPDX-License-Identifier: MIT
#pragma once

// Finds the mb.Read and mb.Write statements in a script's text, in one pass. Comments (// and /* */) are
// found first and count as blanks for everything else; string literals are not recognised. Each statement
// comes with its four arguments when they are plain integers, and with the // comment that follows it on its
// line; text that may well run as a statement but is not read as one, and a /* never closed, come as text
// not read.

#include "checks.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qxrfanuc {

struct Statement {
    bool is_write = false;
    std::size_t line = 0;   // 1-based
    std::size_t column = 0; // 1-based byte column of its m
    // The four arguments, when the text splits at top-level commas into four plain integers (optional
    // blanks, an optional sign, digits, optional blanks); a number too long for 16 bits stays too long.
    std::optional<std::array<std::int64_t, 4>> arguments;
    std::array<std::string_view, 4> argument_texts; // with them: each as written, without its blanks
    std::string unchecked_because;                  // otherwise, why not
    // Its comment: of the comments, // or /* */, after its ) on its line before another statement starts, the
    // first that holds the generator's wording, else the first that holds more than blanks, whatever code
    // stands between. Its text runs from
    // past the // or /* and the /, * or ! that a documentation comment adds, to the end of the line or the
    // comment.
    std::optional<std::string_view> comment;
    std::size_t comment_offset = 0; // where its text starts
    std::size_t end_offset = 0;     // just past its ), or past the ; right after it
    std::size_t line_end = 0;       // where its line ends
    // Its comment is a // comment that only blanks and one ; stand before, or it has none and only those
    // follow it: the place where --fix writes the generator's comment.
    bool rest_of_line = false;
    bool code_before_comment = false; // code or another comment stands between it and its comment
};

// Text not read as statements: a look-alike, text that a comment may hide, or a /* never closed, which hides
// the rest of the script.
struct UnreadText {
    Check check; // LookAlike, HiddenText or OpenComment
    std::size_t line;
    std::size_t column;
    std::string why;              // why the text there is not read; for a /*, empty
    std::size_t hidden_lines = 0; // for a /*: the lines from its own to the last
};

// Reports each statement and each text not read, in the order they stand in the text.
void scan_script(std::string_view text, const std::function<void(const Statement&)>& on_statement,
                 const std::function<void(const UnreadText&)>& on_unread);

} // namespace qxrfanuc
