// SPDX-License-Identifier: MIT
#include "statement_reader.h"

#include "digit_run.h"
#include "script_tokens.h"
#include "statement_text.h"
#include "text_bytes.h"

#include <algorithm>

namespace qxrfanuc {

namespace {

using statement_text::read_name;
using statement_text::write_name;
constexpr std::size_t none = std::string_view::npos;

bool has_line_end(std::string_view text) {
    return std::ranges::any_of(text, ends_a_line);
}

} // namespace

std::optional<std::size_t> statement_opens(std::string_view text, std::size_t at, bool& is_write) {
    const std::string_view rest = text.substr(at);
    is_write = rest.starts_with(write_name);
    if ((at > 0 && joins_a_name(text[at - 1])) || (!is_write && !rest.starts_with(read_name))) {
        return std::nullopt;
    }
    std::size_t open = at + (is_write ? write_name : read_name).size();
    while (open < text.size() && is_script_blank(text[open])) {
        ++open;
    }
    return open < text.size() && text[open] == '(' ? std::optional(open) : std::nullopt;
}

namespace {

bool statement_starts(std::string_view text, std::size_t at) {
    bool is_write = false;
    return text[at] == 'm' && statement_opens(text, at, is_write);
}

// The arguments as far as they are read: how many, their values, the first that is no plain integer and
// the first that the generator could never have written, and the first and last byte of code of the one
// being read, and whether a string stands in it.
struct ArgumentsRead {
    std::size_t count = 0;
    std::size_t first_not_plain = 0;
    std::string first_malformed;
    std::array<std::int64_t, 4> values{};
    std::size_t first = none;
    std::size_t last = 0;
    bool string = false;
};

// Numbers with blanks between them and nothing else.
bool holds_numbers_only(std::string_view written) {
    std::size_t numbers = 0;
    for (std::size_t at = 0; at < written.size();) {
        const std::size_t end = std::min(written.find_first_of(" \t", at), written.size());
        if (end > at && !number_value(written.substr(at, end - at))) {
            return false;
        }
        numbers += end > at ? 1 : 0;
        at = end + 1;
    }
    return numbers > 1;
}

void end_argument(std::string_view text, ArgumentsRead& read, Statement& statement) {
    const auto written =
        read.first == none ? std::string_view() : text.substr(read.first, read.last + 1 - read.first);
    const auto value = read.string ? std::nullopt : number_value(written);
    ++read.count;
    read.first_not_plain = value || read.first_not_plain != 0 ? read.first_not_plain : read.count;
    if (read.first_malformed.empty() && !read.string && (written.empty() || holds_numbers_only(written))) {
        read.first_malformed =
            "argument " + std::to_string(read.count) +
            (written.empty() ? " is empty" : " holds two numbers with no comma between them");
    }
    if (value && read.count <= read.values.size()) {
        read.values.at(read.count - 1) = *value;
        statement.argument_texts.at(read.count - 1) = written;
    }
    read.first = none;
    read.string = false;
}

void end_list(const ArgumentsRead& read, Statement& statement) {
    if (read.count != read.values.size()) {
        statement.malformed_because = std::to_string(read.count) +
                                      (read.count == 1 ? " argument" : " arguments") +
                                      ", where the generator writes 4";
    }
    if (!read.first_malformed.empty()) {
        statement.malformed_because +=
            (statement.malformed_because.empty() ? "" : "; ") + read.first_malformed;
    }
    if (!statement.malformed_because.empty()) {
        return;
    }
    if (read.first_not_plain != 0) {
        statement.unchecked_because =
            "argument " + std::to_string(read.first_not_plain) + " is a name or an expression, not a number";
    } else {
        statement.arguments = read.values;
    }
}

// Reads the arguments between the ( at open and its ) on the same line, comments counting as blanks; the
// offset of that ), or none with the reason in the statement.
std::size_t read_arguments(std::string_view text, std::size_t open, Statement& statement) {
    std::size_t depth = 1;
    ArgumentsRead read;
    for (std::size_t at = open + 1; at < text.size();) {
        const Token token = token_at(text, at);
        const bool blank =
            token.kind == TokenKind::BlockComment && !has_line_end(text.substr(at, token.end - at));
        read.string = read.string || token.kind == TokenKind::String;
        if (token.kind != TokenKind::Code && token.kind != TokenKind::String && !blank) {
            break;
        }
        if (token.kind == TokenKind::Code && statement_starts(text, at)) {
            statement.unchecked_because = "another statement starts inside its arguments";
            return none;
        }
        const char c = token.kind == TokenKind::Code ? text[at] : ' ';
        depth += c == '(' ? 1 : 0;
        depth -= c == ')' ? 1 : 0;
        if (depth == 0 && read.count == 0 && read.first == none && !read.string) {
            end_list(read, statement); // "()" holds no argument, where "(,)" holds two empty ones
            return at;
        }
        if ((c == ',' && depth == 1) || depth == 0) {
            end_argument(text, read, statement);
        } else if (!is_script_blank(c)) {
            read.first = read.first == none ? at : read.first;
            read.last = at;
        }
        if (depth == 0) {
            end_list(read, statement);
            return at;
        }
        at = token.end;
    }
    statement.malformed_because = "no ) on its line";
    return none;
}

// Where the stretch of a statement's comments ends: at its line's end, at a string or a /* never closed,
// after a comment that reaches another line, or where another statement starts.
std::size_t comments_end_from(std::string_view text, std::size_t at) {
    while (at < text.size()) {
        const Token token = token_at(text, at);
        switch (token.kind) {
        case TokenKind::LineEnd:
        case TokenKind::OpenString:
        case TokenKind::OpenComment:
            return at;
        case TokenKind::LineComment:
            return token.end;
        case TokenKind::BlockComment:
            if (has_line_end(text.substr(at, token.end - at))) {
                return token.end;
            }
            break;
        case TokenKind::String:
            break;
        case TokenKind::Code:
            if (statement_starts(text, at)) {
                return at;
            }
            break;
        }
        at = token.end;
    }
    return at;
}

// What follows a statement's ): a ; after blanks, and whether only blanks, or an empty // comment, follow.
void read_statement_end(std::string_view text, std::size_t close, Statement& statement) {
    const auto blanks_from = [&](std::size_t at) {
        while (at < text.size() && is_script_blank(text[at])) {
            ++at;
        }
        return at;
    };
    std::size_t at = blanks_from(close + 1);
    const bool semicolon = at < text.size() && text[at] == ';';
    statement.end_offset = semicolon ? at + 1 : close + 1;
    if (!semicolon) {
        statement.malformed_because +=
            (statement.malformed_because.empty() ? "" : "; ") + std::string("no ; after its )");
    }
    at = blanks_from(statement.end_offset);
    const bool line_ends = at == text.size() || ends_a_line(text[at]);
    const bool empty_comment = text.substr(at).starts_with("//") && statement.comments_end >= at + 2 &&
                               without_blanks(text.substr(at + 2, statement.comments_end - at - 2)).empty();
    statement.ends_its_line = line_ends || empty_comment;
    statement.comments_start = close + 1;
}

} // namespace

void read_statement(std::string_view text, std::size_t open, Statement& statement) {
    const std::size_t close = read_arguments(text, open, statement);
    if (close != none) {
        statement.comments_end = comments_end_from(text, close + 1);
        read_statement_end(text, close, statement);
    }
}

} // namespace qxrfanuc
