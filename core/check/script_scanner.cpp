// SPDX-License-Identifier: MIT
#include "script_scanner.h"

#include "statement_text.h"
#include "text_bytes.h"

#include <cstring>

namespace qxrfanuc {

namespace {

using statement_text::read_name;
using statement_text::write_name;

// Where the first line end in bytes is, or their size: memchr scans a long comment far faster than a loop.
std::size_t line_end_in(std::string_view bytes) {
    const auto* line_feed = static_cast<const char*>(std::memchr(bytes.data(), '\n', bytes.size()));
    const std::size_t run = line_feed == nullptr ? bytes.size() : std::size_t(line_feed - bytes.data());
    const auto* carriage_return = static_cast<const char*>(std::memchr(bytes.data(), '\r', run));
    return carriage_return == nullptr ? run : std::size_t(carriage_return - bytes.data());
}

// A code byte that may begin a comment, a statement or a look-alike, or end a line.
bool may_start_something(char c) {
    return c == '/' || c == 'm' || c == 'M' || c == '\n' || c == '\r';
}

} // namespace

void ScriptScanner::feed(std::string_view bytes) {
    while (!bytes.empty()) {
        if (bom_decided_ && reading_ == Reading::InRuns) {
            if (const std::size_t run = take_run(bytes); run > 0) {
                bytes.remove_prefix(run);
                continue;
            }
        }
        const char c = bytes.front();
        bytes.remove_prefix(1);
        if (!bom_decided_) {
            if (c == utf8_byte_order_mark[bom_bytes_seen_]) {
                if (++bom_bytes_seen_ == utf8_byte_order_mark.size()) {
                    bom_decided_ = true;
                }
                continue;
            }
            give_back_partial_bom();
        }
        take(c);
    }
}

// Most of a script's bytes come in runs that can be taken at once, with the same result as byte by byte:
// comment text to the end of its line, code that starts nothing, and a statement written plainly. None of
// them holds a line end, so a carriage return before them ends its line alone. Returns how many bytes were
// taken; none leaves the next byte to take().
std::size_t ScriptScanner::take_run(std::string_view bytes) {
    std::size_t run = 0;
    const bool code_at_rest = comment_state_ == CommentState::Code && look_alike_.idle();
    if (comment_state_ == CommentState::LineComment) {
        run = line_end_in(bytes);
        if (comment_recording_) {
            comment_.append(bytes.substr(0, run));
        }
    } else if (code_at_rest && state_ == StatementState::AfterStatement) {
        run = take_statement_end(bytes);
    } else if (code_at_rest && state_ == StatementState::Idle) {
        run = bytes.front() == 'm' && !joins_a_name(previous_code_) ? take_plain_statement(bytes)
                                                                    : take_idle_code(bytes);
    }
    if (run > 0 && comment_state_ == CommentState::Code) {
        // Code that starts nothing, the end of a statement or a whole one: what follows, follows its last
        // byte.
        previous_code_ = bytes[run - 1];
        look_alike_.passed(previous_code_);
    }
    if (run > 0) {
        column_ += run;
        line_has_bytes_ = true;
        after_carriage_return_ = false;
    }
    return run;
}

// Code that starts nothing, between statements.
std::size_t ScriptScanner::take_idle_code(std::string_view bytes) {
    std::size_t run = 0;
    while (run < bytes.size() && !may_start_something(bytes[run])) {
        ++run;
    }
    return run;
}

// The blanks and the one ; that may follow a statement, ahead of its comment.
std::size_t ScriptScanner::take_statement_end(std::string_view bytes) {
    std::size_t at = 0;
    for (; at < bytes.size(); ++at) {
        if (bytes[at] == ';' && !semicolon_seen_) {
            semicolon_seen_ = true;
            if (only_blanks_after_) {
                statement_.end_column = column_ + at + 1;
            }
        } else if (!is_script_blank(bytes[at])) {
            break;
        }
    }
    return at;
}

// A statement as the generator writes it: mb.Read( or mb.Write(, four plain integers and its ), all on
// this line. Returns the bytes it takes, or none for anything else, which take() then reads.
std::size_t ScriptScanner::take_plain_statement(std::string_view bytes) {
    std::size_t at = 0;
    bool is_write = false;
    if (bytes.starts_with(read_name) && bytes.substr(read_name.size()).starts_with('(')) {
        at = read_name.size() + 1;
    } else if (bytes.starts_with(write_name) && bytes.substr(write_name.size()).starts_with('(')) {
        at = write_name.size() + 1;
        is_write = true;
    } else {
        return 0;
    }
    const auto skip_blanks = [&] {
        while (at < bytes.size() && is_script_blank(bytes[at])) {
            ++at;
        }
    };
    std::array<std::int64_t, 4> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        skip_blanks();
        const bool negative = at < bytes.size() && bytes[at] == '-';
        if (at < bytes.size() && (bytes[at] == '-' || bytes[at] == '+')) {
            ++at;
        }
        DigitRun digits;
        while (at < bytes.size() && is_ascii_digit(bytes[at])) {
            digits.add(bytes[at++]);
        }
        skip_blanks();
        const char separator = i + 1 < values.size() ? ',' : ')';
        if (digits.empty() || at == bytes.size() || bytes[at] != separator) {
            return 0;
        }
        ++at;
        values.at(i) = negative ? -digits.value() : digits.value();
    }
    statement_ = ScannedStatement{};
    statement_.is_write = is_write;
    statement_.line = line_;
    statement_.column = column_;
    statement_.arguments = values;
    statement_.end_column = column_ + at;
    state_ = StatementState::AfterStatement;
    only_blanks_after_ = true;
    semicolon_seen_ = false;
    comment_recording_ = false;
    return at;
}

// Not a byte order mark after all: its bytes so far are the script's.
void ScriptScanner::give_back_partial_bom() {
    bom_decided_ = true;
    for (const char seen : utf8_byte_order_mark.substr(0, bom_bytes_seen_)) {
        take(seen);
    }
}

void ScriptScanner::finish() {
    if (!bom_decided_) {
        give_back_partial_bom();
    }
    if (line_has_bytes_) {
        end_line();
    }
    if (comment_state_ == CommentState::BlockComment) {
        UnreadText text;
        text.open_comment =
            OpenComment{block_comment_line_, block_comment_column_, line_ - block_comment_line_};
        unread(text);
    }
}

void ScriptScanner::unread(const UnreadText& text) const {
    if (on_unread_) {
        on_unread_(text);
    }
}

// A line ends at a line feed, a carriage return and line feed, or a carriage return alone (as old Macs
// and some controllers' editors write them).
void ScriptScanner::take(char c) {
    const bool after_carriage_return = after_carriage_return_;
    after_carriage_return_ = c == '\r';
    if (c == '\r' || (c == '\n' && !after_carriage_return)) {
        end_line();
    } else if (c != '\n') {
        take_in_line(c);
    }
}

void ScriptScanner::take_in_line(char c) {
    const std::size_t column = column_++;
    line_has_bytes_ = true;
    if (state_ == StatementState::AfterStatement && comment_state_ == CommentState::Code) {
        if (c == ';' && !semicolon_seen_ && only_blanks_after_) {
            statement_.end_column = column + 1;
        } else if (!is_script_blank(c) && c != '/') {
            only_blanks_after_ = false;
        }
    } else if (comment_state_ == CommentState::Slash && c != '/') {
        only_blanks_after_ = false;
    }
    switch (comment_state_) {
    case CommentState::Code:
        if (c == '/') {
            comment_state_ = CommentState::Slash;
            slash_column_ = column;
        } else {
            code(c, column);
        }
        return;
    case CommentState::Slash:
        if (c == '/') {
            comment_state_ = CommentState::LineComment;
            line_comment_starts();
        } else if (c == '*') {
            comment_state_ = CommentState::BlockComment;
            block_comment_line_ = line_;
            block_comment_column_ = slash_column_;
            code(' ', slash_column_);
        } else {
            comment_state_ = CommentState::Code;
            code('/', slash_column_);
            --column_;
            take_in_line(c);
        }
        return;
    case CommentState::LineComment:
        if (comment_recording_) {
            comment_.append(c);
        }
        return;
    case CommentState::BlockComment:
        comment_state_ = c == '*' ? CommentState::BlockStar : CommentState::BlockComment;
        return;
    case CommentState::BlockStar:
        if (c == '/') {
            comment_state_ = CommentState::Code;
        } else if (c != '*') {
            comment_state_ = CommentState::BlockComment;
        }
        return;
    }
}

void ScriptScanner::end_line() {
    if (comment_state_ == CommentState::Slash) {
        code('/', slash_column_);
    }
    look_alike_.line_end();
    if (comment_state_ != CommentState::BlockComment && comment_state_ != CommentState::BlockStar) {
        comment_state_ = CommentState::Code;
    } else {
        comment_state_ =
            CommentState::BlockComment; // a * at the end of a line does not close with a / on the next
    }
    if (state_ == StatementState::Arguments) {
        statement_.unchecked_because = "no closing ) on its line";
        report(false);
    } else if (state_ == StatementState::AfterStatement) {
        statement_.rest_of_line = only_blanks_after_;
        report(comment_recording_);
    }
    state_ = StatementState::Idle;
    comment_recording_ = false;
    previous_code_ = '\n';
    ++line_;
    column_ = 1;
    line_has_bytes_ = false;
}

void ScriptScanner::line_comment_starts() {
    if (state_ == StatementState::AfterStatement) {
        statement_.comment_column = slash_column_;
        comment_recording_ = true;
        comment_.clear();
    } else if (state_ != StatementState::Arguments) {
        state_ = StatementState::Idle;
    }
    previous_code_ = ' ';
}

void ScriptScanner::code(char c, std::size_t column) {
    if (look_alike_.take(c, line_, column)) {
        UnreadText text;
        text.look_alike = look_alike_.found();
        unread(text);
    }
    scan_code(c, column);
}

void ScriptScanner::scan_code(char c, std::size_t column) {
    switch (state_) {
    case StatementState::Idle:
        if (c == 'm' && !joins_a_name(previous_code_)) {
            state_ = StatementState::Keyword;
            keyword_matched_ = 1;
            keyword_ = {};
            statement_ = ScannedStatement{};
            statement_.line = line_;
            statement_.column = column;
        }
        break;
    case StatementState::Keyword: {
        // The two names share "mb."; the next letter picks one.
        if (keyword_matched_ == 3) {
            keyword_ = {};
            for (const auto name : {read_name, write_name}) {
                if (c == name[3]) {
                    keyword_ = name;
                }
            }
        }
        const std::string_view name = keyword_matched_ < 3 ? read_name : keyword_;
        if (name.empty() || c != name[keyword_matched_]) {
            state_ = StatementState::Idle;
        } else if (++keyword_matched_ == name.size() && name == keyword_) {
            state_ = StatementState::AfterKeyword;
            statement_.is_write = name == write_name;
        }
        break;
    }
    case StatementState::AfterKeyword:
        if (c == '(') {
            state_ = StatementState::Arguments;
            depth_ = 1;
            argument_count_ = 1;
            first_not_plain_ = 0;
            argument_state_ = ArgumentState::LeadingBlanks;
            argument_negative_ = false;
            argument_digits_.clear();
        } else if (!is_script_blank(c)) {
            state_ = StatementState::Idle;
            scan_code(c, column);
            return;
        }
        break;
    case StatementState::Arguments:
        argument_byte(c);
        break;
    case StatementState::AfterStatement:
        if (c == ';' && !semicolon_seen_) {
            semicolon_seen_ = true;
        } else if (!is_script_blank(c)) {
            report(false);
            state_ = StatementState::Idle;
            scan_code(c, column);
            return;
        }
        break;
    }
    previous_code_ = c;
}

void ScriptScanner::argument_byte(char c) {
    if (c == '(') {
        ++depth_;
        argument_state_ = ArgumentState::NotPlain;
        return;
    }
    if (c == ')' && --depth_ == 0) {
        close_argument();
        close_statement();
        return;
    }
    if (depth_ > 1 || c == ')') {
        return;
    }
    if (c == ',') {
        close_argument();
        ++argument_count_;
        argument_state_ = ArgumentState::LeadingBlanks;
        argument_negative_ = false;
        argument_digits_.clear();
        return;
    }
    switch (argument_state_) {
    case ArgumentState::LeadingBlanks:
        if (c == '+' || c == '-') {
            argument_negative_ = c == '-';
            argument_state_ = ArgumentState::Sign;
            return;
        }
        [[fallthrough]];
    case ArgumentState::Sign:
    case ArgumentState::Digits:
        if (is_ascii_digit(c)) {
            argument_state_ = ArgumentState::Digits;
            argument_digits_.add(c);
        } else if (is_script_blank(c) && argument_state_ != ArgumentState::Sign) {
            argument_state_ = argument_state_ == ArgumentState::Digits ? ArgumentState::TrailingBlanks
                                                                       : ArgumentState::LeadingBlanks;
        } else {
            argument_state_ = ArgumentState::NotPlain;
        }
        return;
    case ArgumentState::TrailingBlanks:
        if (!is_script_blank(c)) {
            argument_state_ = ArgumentState::NotPlain;
        }
        return;
    case ArgumentState::NotPlain:
        return;
    }
}

void ScriptScanner::close_argument() {
    const bool plain =
        argument_state_ == ArgumentState::Digits || argument_state_ == ArgumentState::TrailingBlanks;
    if (!plain && first_not_plain_ == 0) {
        first_not_plain_ = argument_count_;
    }
    if (plain && argument_count_ <= argument_values_.size()) {
        const std::int64_t value = argument_digits_.value();
        argument_values_.at(argument_count_ - 1) = argument_negative_ ? -value : value;
    }
}

void ScriptScanner::close_statement() {
    // "()" holds no argument at all, where "(,)" holds two empty ones.
    const bool no_arguments = argument_count_ == 1 && argument_state_ == ArgumentState::LeadingBlanks;
    if (no_arguments || argument_count_ != argument_values_.size()) {
        const std::size_t count = no_arguments ? 0 : argument_count_;
        statement_.unchecked_because =
            std::to_string(count) + (count == 1 ? " argument" : " arguments") + ", not 4";
    } else if (first_not_plain_ != 0) {
        statement_.unchecked_because =
            "argument " + std::to_string(first_not_plain_) + " is not a plain integer";
    } else {
        statement_.arguments = argument_values_;
    }
    state_ = StatementState::AfterStatement;
    statement_.end_column = column_;
    only_blanks_after_ = true;
    semicolon_seen_ = false;
    comment_recording_ = false;
}

void ScriptScanner::report(bool with_comment) {
    if (with_comment) {
        comment_.finish();
        statement_.comment = &comment_;
    }
    on_statement_(statement_);
    statement_.comment = nullptr;
    comment_recording_ = false;
}

} // namespace qxrfanuc
