// SPDX-License-Identifier: MIT
#pragma once

// The checks on the statements of a background script: whether the generator could have written each one,
// whether its comment says what it does, whether its values lie in the ranges the window suggests, and
// whether writes overlap. Also what each statement decodes to: the generator's inputs, for a map of the
// script, and with a fix the comment the generator would write, as an edit of the script's text.

#include "checks.h"
#include "script_lexer.h"
#include "statement_text.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qxrfanuc {

struct Finding {
    Check check;
    std::string message; // plain text; whatever it quotes from a script is escaped for display

    [[nodiscard]] Severity severity() const { return check_info(check).severity; }
    [[nodiscard]] std::string_view name() const { return check_info(check).name; }
};

// The generator's inputs a statement decodes to.
struct DecodedInputs {
    std::int16_t qxr;
    std::int16_t fanuc;
    std::int16_t items;
    RegisterType type;
    bool qxr_from_comment; // the comment named it; else twice the index, one of two registers that fit
};

// Text to put in place of length bytes of the script's text at offset.
struct Edit {
    std::size_t offset;
    std::size_t length;
    std::string text;
};

struct StatementCheck {
    std::vector<Finding> findings;       // in the order of the table of checks
    std::optional<DecodedInputs> inputs; // when it decodes to generator inputs
    bool comment_agrees = false;         // it has a generator comment that tells the truth
    std::optional<Edit> edit;            // with a fix: the comment to write
};

// How much of a script was not read as statements.
struct UnreadTotals {
    std::size_t hidden_lines = 0; // behind a /* never closed
    std::size_t look_alikes = 0;
    std::size_t hidden_texts = 0; // that a comment may hide

    [[nodiscard]] bool none() const { return hidden_lines == 0 && look_alikes == 0 && hidden_texts == 0; }
};

enum class CommentFixing : std::uint8_t { Off, On };

// The text with the edits made; the edits in the order of the text, none overlapping another.
[[nodiscard]] std::string with_edits(std::string_view text, std::span<const Edit> edits);

// "1 error", "2 errors": the count and the word, which takes an s unless the count is 1.
[[nodiscard]] std::string counted(std::size_t count, std::string_view what);

// A number's text as the script writes it, shortened visibly when it is very long.
[[nodiscard]] std::string number_as_written(std::string_view text);

using OnChecked = std::function<void(const Statement&, const StatementCheck&)>;
using OnUnread = std::function<void(std::size_t line, std::size_t column, const Finding&)>;

// Checks a script's text: each statement with its findings, and each text not read, in the order they
// stand. With fixing on, a statement whose comment does not tell the truth also comes with the edit that
// writes the generator's comment, or with a note that says why none is written.
UnreadTotals check_script(std::string_view text, CommentFixing fixing, const OnChecked& on_checked,
                          const OnUnread& on_unread);

} // namespace qxrfanuc
