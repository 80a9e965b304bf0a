// SPDX-License-Identifier: MIT
#pragma once

// Text that a script's language may well run as mb.Read( or mb.Write( but that the scanner does not read as a
// statement: the name in other letter case, blanks or a comment inside it, a line break or a no-break space
// before its (. Fed the same code bytes as the scanner, comments already turned into blanks.

#include "statement_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qxrfanuc {

struct LookAlike {
    std::size_t line;
    std::size_t column;
    std::string reason; // "mb.Read and its ( are on different lines", ...
};

class LookAlikeFinder {
public:
    // A code byte; true when this byte, an opening parenthesis, completes a look-alike, which found() then
    // gives. Most code bytes start nothing: those are taken inline.
    [[nodiscard]] bool take(char c, std::size_t line, std::size_t column) {
        if (state_ == State::Idle && c != 'm' && c != 'M') {
            previous_ = c;
            return false;
        }
        return take_in_state(c, line, column);
    }
    // Whether no look-alike is under way, and code bytes that start none (no m or M) may be passed over.
    [[nodiscard]] bool idle() const { return state_ == State::Idle; }
    // Code bytes that start nothing were passed over while idle, the last of them last.
    void passed(char last) { previous_ = last; }
    void line_end();
    [[nodiscard]] const LookAlike& found() const { return found_; }

private:
    enum class State : std::uint8_t { Idle, AfterM, AfterMb, AfterDot, InName, AfterName };

    bool take_in_state(char c, std::size_t line, std::size_t column);
    void start(char c, std::size_t line, std::size_t column);
    bool blank(char c);
    [[nodiscard]] std::string reason() const;

    State state_ = State::Idle;
    char previous_ = '\n';
    std::size_t line_ = 0;
    std::size_t column_ = 0;
    std::string_view name_; // "mb.Read" or "mb.Write", once its first letter is seen
    std::size_t matched_ = 0;
    bool other_case_ = false;
    bool split_ = false;
    bool line_break_ = false;
    bool no_break_space_ = false;
    bool no_break_lead_ = false; // a 0xC2 byte, the first of U+00A0 in UTF-8
    LookAlike found_;
};

} // namespace qxrfanuc
