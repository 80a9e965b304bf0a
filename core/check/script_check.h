// SPDX-License-Identifier: MIT
#pragma once

// The checks on the statements of a background script: whether the generator could have written each one,
// whether its comments say what it does, whether its values lie in the ranges the window suggests, and
// whether writes overlap. Also what each statement decodes to: the generator's inputs, for a map of the
// script, and with a fix the comments the generator would write, as edits of the script's text. Findings
// and edits are handed on as they are made, so that none is held.

#include "checks.h"
#include "script_lexer.h"
#include "statement_text.h"
#include "transfer_checks.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace qxrfanuc {

struct Finding {
    Check check;
    std::size_t line;
    std::size_t column;
    std::string message; // plain text; whatever it quotes from a script is escaped for display

    [[nodiscard]] Severity severity() const { return check_info(check).severity; }
    [[nodiscard]] std::string_view name() const { return check_info(check).name; }
};

// Text to put in place of length bytes of the script's text at offset.
struct Edit {
    std::size_t offset;
    std::size_t length;
    std::string text;
};

// How much of a script was not read, or not compared.
struct UnreadTotals {
    std::size_t hidden_lines = 0; // behind a /* never closed
    std::size_t open_strings = 0;
    std::size_t look_alikes = 0;
    std::size_t hidden_texts = 0; // that a // comment may hide
    std::size_t comments_not_compared = 0;

    UnreadTotals& operator+=(const UnreadTotals& other) {
        hidden_lines += other.hidden_lines;
        open_strings += other.open_strings;
        look_alikes += other.look_alikes;
        hidden_texts += other.hidden_texts;
        comments_not_compared += other.comments_not_compared;
        return *this;
    }

    [[nodiscard]] bool none() const {
        return hidden_lines == 0 && open_strings == 0 && look_alikes == 0 && hidden_texts == 0 &&
               comments_not_compared == 0;
    }
};

enum class CommentFixing : std::uint8_t { Off, On };

// What a statement stands for: the generator's inputs it decodes to, if any, and its label: the script's own
// words after the final period of its first comment in the generator's form, less the blank the generator
// writes before them.
struct StatementMeaning {
    std::optional<DecodedInputs> inputs;
    std::string_view label;
};

struct CheckSinks {
    std::function<void(const Finding&)> on_finding;
    // After its findings: each statement, with what it stands for.
    std::function<void(const Statement&, const StatementMeaning&)> on_statement;
    // With fixing on: the edits, in the order of the text, none overlapping another.
    std::function<void(const Edit&)> on_edit;
};

// The text with its edits made, handed on in pieces as the edits come (in the order of the text, none
// overlapping another), so that no second copy of a script is held.
class EditedText {
public:
    using Sink = std::function<void(std::string_view)>;
    EditedText(std::string_view text, Sink sink) : text_(text), sink_(std::move(sink)) {}

    void edit(const Edit& edit);
    // Hands on the rest of the text; returns how many edits were made.
    std::size_t finish();

private:
    void copy_to(std::size_t end);

    std::string_view text_;
    Sink sink_;
    std::size_t copied_ = 0;
    std::size_t made_ = 0;
};

// "1 error", "2 errors": the count and the word, which takes an s unless the count is 1.
[[nodiscard]] std::string counted(std::size_t count, std::string_view what);

// Checks a script's text: every finding, statement and edit, in the order they stand.
UnreadTotals check_script(std::string_view text, CommentFixing fixing, const CheckSinks& sinks);

} // namespace qxrfanuc
