// SPDX-License-Identifier: MIT
#pragma once

// Reads a background script as a stream of bytes and finds the mb.Read and mb.Write statements in it, each
// with its four arguments when they are plain integers and with the // comment that follows it. Comments
// are found first and count as blanks for everything else; string literals are not recognised. Memory
// does not grow with the length of a line or of the input.

#include "digit_run.h"
#include "generator_comment.h"
#include "look_alike.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qxrfanuc {

struct ScannedStatement {
    bool is_write = false;
    std::size_t line = 0;   // 1-based
    std::size_t column = 0; // 1-based byte column of its m
    // The four arguments, when the text splits at top-level commas into four plain integers (optional
    // blanks, an optional sign, digits, optional blanks); a number too long for 16 bits stays too long.
    std::optional<std::array<std::int64_t, 4>> arguments;
    std::string unchecked_because;        // otherwise, why not
    const CommentText* comment = nullptr; // the // comment after the statement's ), if any
    // Where a comment can be put or rewritten: the column just past the statement's ) or its ;, and that of
    // the first / of its comment (0 without one). Only blanks stand between, and only when rest_of_line.
    std::size_t end_column = 0;
    std::size_t comment_column = 0;
    bool rest_of_line = false; // nothing but blanks, a ; and a // comment follow it on its line
};

// A /* that is never closed: everything after it to the end of the script is not read.
struct OpenComment {
    std::size_t line;
    std::size_t column;
    std::size_t lines; // the lines it hides, its own included
};

// Text the scanner does not read as statements: a look-alike or an open comment.
struct UnreadText {
    std::optional<LookAlike> look_alike;
    std::optional<OpenComment> open_comment;
};

// How the scanner takes its bytes: where it can, in runs (comment text, code that starts nothing, a plainly
// written statement) at once; or every byte on its own, the plain reading that the runs must agree with,
// which the tests and the fuzzer compare them against.
enum class Reading : std::uint8_t { InRuns, ByteByByte };

class ScriptScanner {
public:
    using OnStatement = std::function<void(const ScannedStatement&)>;
    using OnUnread = std::function<void(const UnreadText&)>;

    explicit ScriptScanner(OnStatement on_statement, OnUnread on_unread = {},
                           Reading reading = Reading::InRuns)
        : on_statement_(std::move(on_statement)), on_unread_(std::move(on_unread)), reading_(reading) {}

    // The next bytes of the script; a UTF-8 byte order mark at its very start is skipped.
    void feed(std::string_view bytes);
    // The end of the script: reports a statement still open on its last line and a comment never closed.
    void finish();

private:
    enum class CommentState : std::uint8_t { Code, Slash, LineComment, BlockComment, BlockStar };
    enum class StatementState : std::uint8_t { Idle, Keyword, AfterKeyword, Arguments, AfterStatement };
    enum class ArgumentState : std::uint8_t { LeadingBlanks, Sign, Digits, TrailingBlanks, NotPlain };

    void give_back_partial_bom();
    std::size_t take_run(std::string_view bytes);
    std::size_t take_plain_statement(std::string_view bytes);
    std::size_t take_statement_end(std::string_view bytes);
    std::size_t take_idle_code(std::string_view bytes);
    void take(char c);
    void take_in_line(char c);
    void end_line();
    void code(char c, std::size_t column);
    void scan_code(char c, std::size_t column);
    void line_comment_starts();
    void argument_byte(char c);
    void close_argument();
    void close_statement();
    void report(bool with_comment);

    void unread(const UnreadText& text) const;

    OnStatement on_statement_;
    OnUnread on_unread_;
    Reading reading_;
    LookAlikeFinder look_alike_;
    std::size_t block_comment_line_ = 0;
    std::size_t block_comment_column_ = 0;
    std::size_t bom_bytes_seen_ = 0;
    bool bom_decided_ = false;
    bool after_carriage_return_ = false; // so that the line feed of a CR LF ends no second line
    std::size_t line_ = 1;
    std::size_t column_ = 1;
    bool line_has_bytes_ = false;

    CommentState comment_state_ = CommentState::Code;
    std::size_t slash_column_ = 0;

    StatementState state_ = StatementState::Idle;
    char previous_code_ = '\n';
    std::string_view keyword_;
    std::size_t keyword_matched_ = 0;
    ScannedStatement statement_;
    std::size_t depth_ = 0;
    std::size_t argument_count_ = 0;
    std::size_t first_not_plain_ = 0; // 1-based; 0 when every argument so far is plain
    ArgumentState argument_state_ = ArgumentState::LeadingBlanks;
    bool argument_negative_ = false;
    DigitRun argument_digits_;
    std::array<std::int64_t, 4> argument_values_{};
    bool semicolon_seen_ = false;
    bool only_blanks_after_ = false; // since the statement closed, ahead of any comment
    bool comment_recording_ = false;
    CommentText comment_;
};

} // namespace qxrfanuc
