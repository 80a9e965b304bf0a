// SPDX-License-Identifier: MIT
#include "script_lexer.h"

#include "digit_run.h"
#include "display_text.h"
#include "look_alike.h"
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

// Where the ( of a statement whose name starts at `at` stands, if one does: the name exactly, after no
// byte that would make it part of a longer one, then only blanks.
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

bool statement_starts(std::string_view text, std::size_t at) {
    bool is_write = false;
    return text[at] == 'm' && statement_opens(text, at, is_write);
}

// The arguments as far as they are read: how many, their values, the first that is no plain integer, and
// the first and last byte of code of the one being read, and whether a string stands in it.
struct ArgumentsRead {
    std::size_t count = 0;
    std::size_t first_not_plain = 0;
    std::array<std::int64_t, 4> values{};
    std::size_t first = none;
    std::size_t last = 0;
    bool string = false;
};

void end_argument(std::string_view text, ArgumentsRead& read, Statement& statement) {
    const auto written = read.first == none || read.string
                             ? std::string_view()
                             : text.substr(read.first, read.last + 1 - read.first);
    const auto value = number_value(written);
    ++read.count;
    read.first_not_plain = value || read.first_not_plain != 0 ? read.first_not_plain : read.count;
    if (value && read.count <= read.values.size()) {
        read.values.at(read.count - 1) = *value;
        statement.argument_texts.at(read.count - 1) = written;
    }
    read.first = none;
    read.string = false;
}

void end_list(const ArgumentsRead& read, Statement& statement) {
    if (read.count != read.values.size()) {
        statement.unchecked_because =
            std::to_string(read.count) + (read.count == 1 ? " argument" : " arguments") + ", not 4";
    } else if (read.first_not_plain != 0) {
        statement.unchecked_because =
            "argument " + std::to_string(read.first_not_plain) + " is not a plain integer";
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
    statement.unchecked_because = "no closing ) on its line";
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
    statement.end_offset = at < text.size() && text[at] == ';' ? at + 1 : close + 1;
    at = blanks_from(statement.end_offset);
    const bool line_ends = at == text.size() || ends_a_line(text[at]);
    const bool empty_comment = text.substr(at).starts_with("//") && statement.comments_end >= at + 2 &&
                               without_blanks(text.substr(at + 2, statement.comments_end - at - 2)).empty();
    statement.ends_its_line = line_ends || empty_comment;
    statement.comments_start = close + 1;
}

} // namespace

void for_each_comment(std::string_view text, std::size_t from, std::size_t to,
                      const std::function<void(const Token&)>& on_comment) {
    for (std::size_t at = from; at < to;) {
        const Token token = token_at(text, at);
        if (token.is_comment()) {
            on_comment(token);
        }
        at = token.end;
    }
}

namespace {

constexpr std::size_t shown_look_alike = 40;

// The line-end characters of other languages, after which a // comment's text may run.
struct OtherLineEnd {
    std::string_view bytes;
    std::string_view name;
};
constexpr std::array<OtherLineEnd, 5> other_line_ends{{
    {"\xC2\x85", "a next-line character (U+0085)"},
    {"\xE2\x80\xA8", "a line separator (U+2028)"},
    {"\xE2\x80\xA9", "a paragraph separator (U+2029)"},
    {"\v", "a vertical tab"},
    {"\f", "a form feed"},
}};

bool holds_mb_dot(std::string_view text) {
    for (std::size_t at = 0; at + 2 < text.size(); ++at) {
        if (ascii_lower(text[at]) == 'm' && ascii_lower(text[at + 1]) == 'b' && text[at + 2] == '.') {
            return true;
        }
    }
    return false;
}

class Lexer {
public:
    Lexer(std::string_view text, const ScriptEvents& events) : text_(text), events_(events) {}

    void run() {
        for (std::size_t at = 0; at < text_.size();) {
            const Token token = token_at(text_, at);
            switch (token.kind) {
            case TokenKind::LineEnd:
                new_line(token.end);
                break;
            case TokenKind::LineComment:
            case TokenKind::BlockComment:
                comment(token);
                break;
            case TokenKind::OpenComment:
                open_comment(at);
                return;
            case TokenKind::OpenString:
                not_read(Check::OpenString, at,
                         "this string is never closed on its line, so the rest of the line is not read");
                break;
            case TokenKind::String:
                break;
            case TokenKind::Code:
                at = code(at);
                continue;
            }
            at = token.end;
        }
    }

private:
    void new_line(std::size_t start) {
        ++line_;
        line_start_ = start;
    }

    void not_read(Check check, std::size_t at, std::string why, std::size_t hidden_lines = 0) {
        events_.on_not_read(NotRead{check, line_, at - line_start_ + 1, std::move(why), hidden_lines});
    }

    void comment(const Token& token) {
        const std::string_view text = token.comment_text(text_);
        if (token.kind == TokenKind::LineComment) {
            hidden_text(token.start + 2, text);
        }
        if (token.start < attached_from_ || token.start >= attached_until_) {
            events_.on_loose_comment(LooseComment{line_, token.start - line_start_ + 1, text});
        }
        for (std::size_t at = token.start; at < token.end; ++at) {
            if (ends_a_line(text_[at]) && !text_.substr(at).starts_with("\r\n")) {
                new_line(at + 1);
            }
        }
    }

    // In a // comment: text holding mb. after a character that other languages end a line at.
    void hidden_text(std::size_t start, std::string_view text) {
        for (std::size_t at = 0; at < text.size(); ++at) {
            for (const auto& [bytes, name] : other_line_ends) {
                if (text.substr(at).starts_with(bytes)) {
                    if (holds_mb_dot(text.substr(at))) {
                        not_read(Check::HiddenText, start + at,
                                 "not read: " + std::string(name) +
                                     " in this // comment ends the line in some languages, so the mb. after "
                                     "it may run; it is read as part of the comment");
                    }
                    return;
                }
            }
        }
    }

    void open_comment(std::size_t at) {
        const std::size_t line = line_;
        const std::size_t column = at - line_start_ + 1;
        std::size_t last = line_;
        for (std::size_t i = at; i < text_.size(); ++i) {
            const bool ends = ends_a_line(text_[i]) && !text_.substr(i).starts_with("\r\n");
            last += ends && i + 1 < text_.size() ? 1 : 0;
        }
        const std::size_t lines = last - line + 1;
        events_.on_not_read(NotRead{Check::OpenComment, line, column,
                                    "this /* is never closed: the " + std::to_string(lines) +
                                        (lines == 1 ? " line" : " lines") +
                                        " from here to the end of the script are not read",
                                    lines});
    }

    // A byte of code: a statement, a look-alike, or neither. Where reading goes on.
    std::size_t code(std::size_t at) {
        const auto byte = static_cast<unsigned char>(text_[at]);
        const std::size_t next =
            byte < 0x80 ? at + 1 : at + std::max<std::size_t>(utf8_sequence(text_.substr(at)).length, 1);
        const bool may_start = text_[at] == 'm' || text_[at] == 'M' || byte >= 0x80;
        if (!may_start || (at > 0 && joins_a_name(text_[at - 1]))) {
            return next;
        }
        bool is_write = false;
        if (const auto open = statement_opens(text_, at, is_write)) {
            statement(at, *open, is_write);
            return *open + 1; // its arguments are read on as code, where a look-alike may stand
        }
        if (const auto look_alike = look_alike_at(text_, at)) {
            const auto written = text_.substr(at, look_alike->end - at);
            const bool cut = written.size() > shown_look_alike;
            not_read(Check::LookAlike, at,
                     "not read: \"" + display_escaped(written.substr(0, shown_look_alike)) +
                         (cut ? "..." : "") + "\" may run as " + std::string(look_alike->target) +
                         "(, but is not read as a statement, which only mb.Read( and mb.Write( are");
        }
        return next;
    }

    void statement(std::size_t at, std::size_t open, bool is_write) {
        Statement statement;
        statement.is_write = is_write;
        statement.line = line_;
        statement.line_start = line_start_;
        statement.column = at - line_start_ + 1;
        const std::size_t close = read_arguments(text_, open, statement);
        if (close != none) {
            statement.comments_end = comments_end_from(text_, close + 1);
            read_statement_end(text_, close, statement);
            attached_from_ = statement.comments_start;
            attached_until_ = statement.comments_end;
        }
        events_.on_statement(statement);
    }

    std::string_view text_;
    const ScriptEvents& events_;
    std::size_t line_ = 1;
    std::size_t line_start_ = 0;
    // The comments that start here belong to the last statement read.
    std::size_t attached_from_ = 0;
    std::size_t attached_until_ = 0;
};

} // namespace

void scan_script(std::string_view text, const ScriptEvents& events) {
    Lexer(text, events).run();
}

} // namespace qxrfanuc
