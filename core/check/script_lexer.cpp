// SPDX-License-Identifier: MIT
#include "script_lexer.h"

#include "display_text.h"
#include "look_alike.h"
#include "text_bytes.h"

#include <algorithm>

namespace qxrfanuc {

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
        events_.on_not_read(
            NotRead{Check::OpenComment, line, column,
                    "this /* is never closed: the " + std::to_string(lines) +
                        (lines == 1 ? " line from here to the end of the script is not read"
                                    : " lines from here to the end of the script are not read"),
                    lines});
    }

    // A byte of code: a statement, a look-alike, or neither. Where reading goes on.
    std::size_t code(std::size_t at) {
        const auto byte = static_cast<unsigned char>(text_[at]);
        const std::size_t next = at + character_length(text_.substr(at));
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
        read_statement(text_, open, statement);
        if (statement.comments_end != 0) { // its ) is on its line
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
