// SPDX-License-Identifier: MIT
#include "script_lexer.h"

#include "digit_run.h"
#include "generator_comment.h"
#include "look_alike.h"
#include "script_text.h"
#include "statement_text.h"
#include "text_bytes.h"

#include <algorithm>
#include <vector>

namespace qxrfanuc {

namespace {

using statement_text::read_name;
using statement_text::write_name;
constexpr std::size_t none = std::string_view::npos;

struct CommentSpan {
    std::size_t start;    // where its // or /* stands; its text starts two bytes on
    std::size_t text_end; // at the end of its line, or at its */
    bool is_line;
};

class Lexer {
public:
    Lexer(std::string_view text, const std::function<void(const Statement&)>& on_statement,
          const std::function<void(const UnreadText&)>& on_unread)
        : text_(text), code_(text), on_statement_(on_statement), on_unread_(on_unread) {
        start_line(0);
    }

    void run() {
        blank_comments();
        for (std::size_t at = 0; at < code_.size();) {
            const char c = code_[at];
            // An m, or a byte that starts a letter of another script.
            const bool may_start = c == 'm' || c == 'M' || static_cast<unsigned char>(c) >= 0xC0;
            if (may_start && (at == 0 || !joins_a_name(code_[at - 1]))) {
                report_hidden_before(at);
                if (const auto next = statement_at(at)) {
                    at = *next;
                    continue;
                }
                if (auto look_alike = look_alike_at(code_, at)) {
                    const auto [line, column] = place(at);
                    on_unread_(UnreadText{Check::LookAlike, line, column, std::move(look_alike->reason), 0});
                    at = look_alike->end;
                    continue;
                }
            }
            ++at;
        }
        report_hidden_before(none);
        report_open_comment();
    }

private:
    struct Place {
        std::size_t line;
        std::size_t column;
    };

    void start_line(std::size_t start) {
        line_start_ = start;
        const auto [end, next] = line_end_from(text_, start);
        line_end_ = end;
        line_next_ = next;
    }

    // Places come in the order of the text, so the lines are counted once.
    Place place(std::size_t offset) {
        while (line_next_ != line_end_ && offset >= line_next_) {
            ++line_;
            start_line(line_next_);
        }
        return {line_, offset - line_start_ + 1};
    }

    // Comments become blanks in the code, line ends staying where they are.
    void blank_comments() {
        for (std::size_t at = text_.find('/'); at != none && at + 1 < text_.size();
             at = text_.find('/', at)) {
            if (text_[at + 1] == '/') {
                const std::size_t end = line_end_from(text_, at).end;
                note_hidden_text(at, end);
                std::fill(code_.begin() + static_cast<std::ptrdiff_t>(at),
                          code_.begin() + static_cast<std::ptrdiff_t>(end), ' ');
                quotes_counted_to_ = end; // the comment holds no quote that counts, and no line end
                at = end;
            } else if (text_[at + 1] == '*') {
                const std::size_t close = text_.find("*/", at + 2);
                const std::size_t end = close == none ? text_.size() : close + 2;
                note_hidden_text(at, at);
                if (close == none) {
                    open_comment_ = at;
                }
                const auto start = code_.begin() + static_cast<std::ptrdiff_t>(at);
                std::replace_if(
                    start, start + static_cast<std::ptrdiff_t>(end - at),
                    [](char c) { return !ends_a_line(c); }, ' ');
                at = end;
            } else {
                ++at;
            }
        }
    }

    // Text that the comment starting at at may hide from a reader: the rest of its line when the comment may
    // stand inside a string, or in a // comment what follows a character that some editors end a line at.
    void note_hidden_text(std::size_t at, std::size_t end) {
        // The quotes before it on its line, counted over the code once: comments already read are blanks.
        for (; quotes_counted_to_ < at; ++quotes_counted_to_) {
            const char c = code_[quotes_counted_to_];
            quotes_on_line_ = ends_a_line(c) ? 0 : quotes_on_line_ + (c == '"' ? 1 : 0);
        }
        if (quotes_on_line_ % 2 == 1) {
            hidden_.push_back(
                {at, "this " + std::string(text_.substr(at, 2)) +
                         " may stand inside a string (an odd number of \" stands before it on its "
                         "line), where it starts no comment; what follows it is read as a comment"});
            return;
        }
        if (auto found = line_end_look_alike(text_.substr(at, end - at))) {
            hidden_.push_back({at + found->offset, std::move(found->why)});
        }
    }

    void report_hidden_before(std::size_t limit) {
        for (; next_hidden_ < hidden_.size() && hidden_[next_hidden_].offset < limit; ++next_hidden_) {
            const auto [line, column] = place(hidden_[next_hidden_].offset);
            on_unread_(UnreadText{Check::HiddenText, line, column, hidden_[next_hidden_].why, 0});
        }
    }

    // Where the parenthesis of a statement whose name starts at at stands, if one does.
    [[nodiscard]] std::optional<std::size_t> statement_opens(std::size_t at, bool& is_write) const {
        const std::string_view rest = std::string_view(code_).substr(at);
        is_write = rest.starts_with(write_name);
        if ((at > 0 && joins_a_name(code_[at - 1])) || (!is_write && !rest.starts_with(read_name))) {
            return std::nullopt;
        }
        std::size_t open = at + (is_write ? write_name : read_name).size();
        while (open < code_.size() && is_script_blank(code_[open])) {
            ++open;
        }
        return open < code_.size() && code_[open] == '(' ? std::optional(open) : std::nullopt;
    }

    std::optional<std::size_t> statement_at(std::size_t at) {
        bool is_write = false;
        const auto opens = statement_opens(at, is_write);
        if (!opens) {
            return std::nullopt;
        }
        const std::size_t open = *opens;
        Statement statement;
        statement.is_write = is_write;
        const auto [line, column] = place(at);
        statement.line = line;
        statement.column = column;
        const std::size_t close = read_arguments(open, statement);
        if (close == none) {
            statement.unchecked_because = "no closing ) on its line";
            on_statement_(statement);
            return line_end_;
        }
        return finish_statement(close, statement);
    }

    // The arguments between the ( at open and its ), which must be on the same line: where that ) is.
    std::size_t read_arguments(std::size_t open, Statement& statement) const {
        std::size_t depth = 1;
        std::size_t count = 1;
        std::size_t first_not_plain = 0;
        std::size_t start = open + 1;
        std::array<std::int64_t, 4> values{};
        for (std::size_t at = open + 1; at < code_.size() && !ends_a_line(code_[at]); ++at) {
            const char c = code_[at];
            depth += c == '(' ? 1 : 0;
            depth -= c == ')' ? 1 : 0;
            if ((c == ',' && depth == 1) || (c == ')' && depth == 0)) {
                const auto value =
                    number_value(without_blanks(std::string_view(code_).substr(start, at - start)));
                first_not_plain = value || first_not_plain != 0 ? first_not_plain : count;
                if (value && count <= values.size()) {
                    values.at(count - 1) = *value;
                    statement.argument_texts.at(count - 1) =
                        without_blanks(std::string_view(code_).substr(start, at - start));
                }
                if (c == ')') {
                    // "()" holds no argument at all, where "(,)" holds two empty ones.
                    const bool no_arguments =
                        count == 1 && without_blanks(code_.substr(open + 1, at - open - 1)).empty();
                    count = no_arguments ? 0 : count;
                    if (count != values.size()) {
                        statement.unchecked_because =
                            std::to_string(count) + (count == 1 ? " argument" : " arguments") + ", not 4";
                    } else if (first_not_plain != 0) {
                        statement.unchecked_because =
                            "argument " + std::to_string(first_not_plain) + " is not a plain integer";
                    } else {
                        statement.arguments = values;
                    }
                    return at;
                }
                ++count;
                start = at + 1;
            }
        }
        return none;
    }

    // The statement's comment, if it has one: of the comments after its ) on its line, before another
    // statement starts, the first that holds the generator's wording, else the first that holds more than
    // blanks. Read from the code on, comment by comment, so that a // or /* is only ever met where a comment
    // starts.
    std::optional<CommentSpan> comment_after(std::size_t close) const {
        std::optional<CommentSpan> first;
        for (std::size_t at = close + 1; at + 1 < line_end_; ++at) {
            bool is_write = false;
            if (code_[at] == 'm' && statement_opens(at, is_write)) {
                break;
            }
            const bool line = text_.substr(at).starts_with("//");
            if (!line && !text_.substr(at).starts_with("/*")) {
                continue;
            }
            const std::size_t close_mark = line ? line_end_ : text_.find("*/", at + 2);
            if (close_mark == none) {
                break; // a /* never closed, which is reported on its own
            }
            const CommentSpan comment{at, close_mark, line};
            const auto words = text_.substr(comment.start + 2, comment.text_end - comment.start - 2);
            if (holds_generator_wording(words)) {
                return comment;
            }
            if (!first && !without_blanks(words).empty()) {
                first = comment;
            }
            at = comment.text_end;
        }
        return first;
    }

    // What follows the statement's ) on its line: blanks, one ; and its comment, or other code, which is
    // where reading goes on.
    std::size_t finish_statement(std::size_t close, Statement& statement) {
        const auto comment = comment_after(close);
        const std::size_t stop = comment.has_value() ? comment->start : line_end_;
        std::size_t at = close + 1;
        const auto skip_blanks = [&] {
            while (at < stop && is_script_blank(code_[at])) {
                ++at;
            }
        };
        skip_blanks();
        const bool semicolon = at < stop && code_[at] == ';';
        const std::size_t past_semicolon = semicolon ? at + 1 : close + 1;
        if (semicolon) {
            ++at;
            skip_blanks();
        }
        statement.line_end = line_end_;
        const bool plain = at == stop; // only blanks, comments and one ; before its comment or the line end
        const bool nothing_between = text_.substr(close + 1, stop - close - 1).find('/') == none;
        if (comment.has_value()) {
            std::size_t text_start = comment->start + 2;
            while (text_start < comment->text_end &&
                   std::string_view("/*!").find(text_[text_start]) != none) {
                ++text_start;
            }
            statement.comment = text_.substr(text_start, comment->text_end - text_start);
            statement.comment_offset = text_start;
            statement.code_before_comment = !plain || !nothing_between;
        }
        statement.rest_of_line = plain && nothing_between && (!comment || comment->is_line);
        statement.end_offset = statement.rest_of_line ? past_semicolon : close + 1;
        on_statement_(statement);
        // Reading goes on with the code after it; a // comment ends what its line holds.
        return plain && (!comment || comment->is_line) ? line_end_ : at;
    }

    void report_open_comment() {
        if (open_comment_ == none) {
            return;
        }
        const auto [line, column] = place(open_comment_);
        const bool ends_with_line_end = ends_a_line(text_.back());
        const std::size_t lines = place(text_.size()).line - (ends_with_line_end ? 1 : 0);
        on_unread_(UnreadText{Check::OpenComment, line, column, {}, lines - line + 1});
    }

    std::string_view text_;
    std::string code_; // the text with its comments as blanks
    const std::function<void(const Statement&)>& on_statement_;
    const std::function<void(const UnreadText&)>& on_unread_;
    struct Hidden {
        std::size_t offset;
        std::string why;
    };
    std::vector<Hidden> hidden_; // text that comments may hide, in order
    std::size_t quotes_counted_to_ = 0;
    std::size_t quotes_on_line_ = 0; // before quotes_counted_to_ on its line
    std::size_t next_hidden_ = 0;
    std::size_t open_comment_ = none;
    std::size_t line_ = 1;
    std::size_t line_start_ = 0;
    std::size_t line_end_ = 0; // of the line that place() last gave
    std::size_t line_next_ = 0;
};

} // namespace

void scan_script(std::string_view text, const std::function<void(const Statement&)>& on_statement,
                 const std::function<void(const UnreadText&)>& on_unread) {
    Lexer(text, on_statement, on_unread).run();
}

} // namespace qxrfanuc
