// SPDX-License-Identifier: MIT
#include "script_lexer.h"

#include "digit_run.h"
#include "generator_comment.h"
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

bool ends_line(char c) {
    return c == '\n' || c == '\r';
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Blanks, an optional sign, at least one digit, blanks.
std::optional<std::int64_t> plain_integer(std::string_view text) {
    text = without_blanks(text);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    if (text.empty() || !std::ranges::all_of(text, is_ascii_digit)) {
        return std::nullopt;
    }
    DigitRun digits;
    for (const char digit : text) {
        digits.add(digit);
    }
    return negative ? -digits.value() : digits.value();
}

// What makes text read as no statement where it may well run as one.
struct LookAlikeMarks {
    bool other_case = false;
    bool split = false; // blanks or a comment inside the name
    bool line_break = false;
    bool no_break_space = false; // U+00A0, in UTF-8 or as one Latin-1 byte
    bool odd_blank = false;      // VT, FF, another Unicode blank or an invisible character
    bool other_script = false;   // a letter of another script, or a full-width form, that looks the same

    [[nodiscard]] bool any() const {
        return other_case || split || line_break || no_break_space || odd_blank || other_script;
    }
    [[nodiscard]] std::string reason(std::string_view name) const {
        const std::string shown(name);
        if (no_break_space) {
            return "a no-break space stands inside " + shown + "(, which is read only with plain blanks";
        }
        if (odd_blank) {
            return "an invisible character or a blank other than a space or tab stands inside " + shown +
                   "(, which is read only with plain blanks";
        }
        if (other_script) {
            return shown +
                   " is written with letters of another script or full-width forms that look the same";
        }
        if (line_break) {
            return shown + " and its ( are on different lines";
        }
        if (split) {
            return "blanks or a comment split the name " + shown;
        }
        return shown + " is written in other letter case";
    }
};

// What a reader or a C-like language may take for a blank though the reader here does not: VT, FF, and in
// UTF-8 the Unicode blanks other than U+00A0 and the invisible characters.
std::size_t odd_blank_at(std::string_view code, std::size_t at) {
    static constexpr std::array<std::string_view, 20> odd_blanks{
        "\v",           "\f",           "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81",
        "\xE2\x80\x82", "\xE2\x80\x83", "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86",
        "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89", "\xE2\x80\x8A", "\xE2\x80\x8B",
        "\xE2\x80\x8C", "\xE2\x80\x8D", "\xE2\x81\xA0", "\xE3\x80\x80", "\xEF\xBB\xBF"};
    const std::string_view rest = code.substr(at);
    for (const auto blank : odd_blanks) {
        if (rest.starts_with(blank)) {
            return blank.size();
        }
    }
    return 0;
}

// The ASCII character that the text at `at` shows and how many bytes it takes: the character itself, or for
// a letter of another script or a full-width form that looks the same, the one it looks like (other_script).
struct Glyph {
    char ascii = '\0';
    std::size_t length = 0;
    bool other_script = false;
};

Glyph glyph_at(std::string_view code, std::size_t at) {
    if (at == code.size()) {
        return {};
    }
    if (static_cast<unsigned char>(code[at]) < 0x80) {
        return {code[at], 1, false};
    }
    static constexpr std::array<std::pair<std::string_view, char>, 10> cyrillic{{
        {"\xD0\xB0", 'a'},
        {"\xD0\xB5", 'e'},
        {"\xD0\xBC", 'm'},
        {"\xD1\x96", 'i'},
        {"\xD4\x81", 'd'},
        {"\xD0\x90", 'A'},
        {"\xD0\x92", 'B'},
        {"\xD0\x95", 'E'},
        {"\xD0\x9C", 'M'},
        {"\xD0\xA2", 'T'},
    }};
    const std::string_view rest = code.substr(at);
    for (const auto& [bytes, ascii] : cyrillic) {
        if (rest.starts_with(bytes)) {
            return {ascii, bytes.size(), true};
        }
    }
    // The full-width forms U+FF01 to U+FF5E, EF BC 81 to EF BD 9E in UTF-8, stand for ASCII ! to ~.
    if (rest.size() >= 3 && rest[0] == '\xEF' && (rest[1] == '\xBC' || rest[1] == '\xBD')) {
        const auto code_point = 0xF000U | ((static_cast<unsigned char>(rest[1]) & 0x3FU) << 6U) |
                                (static_cast<unsigned char>(rest[2]) & 0x3FU);
        if (code_point >= 0xFF01 && code_point <= 0xFF5E) {
            return {static_cast<char>(code_point - 0xFF01 + '!'), 3, true};
        }
    }
    return {};
}

struct CommentSpan {
    std::size_t start;      // where its // or /* stands
    std::size_t text_start; // past the // or /*
    std::size_t text_end;   // at the end of its line, or at its */
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
                if (const auto next = look_alike_at(at)) {
                    at = *next;
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
                    [](char c) { return !ends_line(c); }, ' ');
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
        for (; has_quotes_ && quotes_counted_to_ < at; ++quotes_counted_to_) {
            const char c = code_[quotes_counted_to_];
            quotes_on_line_ = ends_line(c) ? 0 : quotes_on_line_ + (c == '"' ? 1 : 0);
        }
        if (quotes_on_line_ % 2 == 1) {
            hidden_.push_back(
                {at, "this " + std::string(text_.substr(at, 2)) +
                         " may stand inside a string (an odd number of \" stands before it on its "
                         "line), where it starts no comment; what follows it is read as a comment"});
            return;
        }
        static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> line_ends{{
            {"\xC2\x85", "a next-line character (U+0085)"},
            {"\xE2\x80\xA8", "a line separator (U+2028)"},
            {"\xE2\x80\xA9", "a paragraph separator (U+2029)"},
            {"\v", "a vertical tab"},
            {"\f", "a form feed"},
        }};
        if (!line_end_look_alikes_) {
            return;
        }
        const std::string_view comment = text_.substr(at, end - at);
        const auto next_lead = [&](std::size_t from) {
            std::size_t first = none;
            for (const char lead : {'\v', '\f', '\xC2', '\xE2'}) {
                first = std::min(first, comment.find(lead, from));
            }
            return first;
        };
        for (std::size_t i = next_lead(0); i != none; i = next_lead(i + 1)) {
            for (const auto& [bytes, name] : line_ends) {
                const std::string_view rest = comment.substr(i);
                if (rest.starts_with(bytes) && !without_blanks(rest.substr(bytes.size())).empty()) {
                    hidden_.push_back({at + i, std::string(name) +
                                                   " inside this // comment ends the line in some "
                                                   "editors and languages, so what follows it may "
                                                   "run; it is read as part of the comment"});
                    return;
                }
            }
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
        for (std::size_t at = open + 1; at < code_.size() && !ends_line(code_[at]); ++at) {
            const char c = code_[at];
            depth += c == '(' ? 1 : 0;
            depth -= c == ')' ? 1 : 0;
            if ((c == ',' && depth == 1) || (c == ')' && depth == 0)) {
                const auto value = plain_integer(std::string_view(code_).substr(start, at - start));
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
            const CommentSpan comment{at, at + 2, close_mark, line};
            const auto words = text_.substr(comment.text_start, comment.text_end - comment.text_start);
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
        if (semicolon) {
            ++at;
            skip_blanks();
        }
        statement.line_end = line_end_;
        statement.end_offset = close + 1;
        const bool plain = at == stop; // only blanks, comments and one ; before its comment or the line end
        const bool nothing_between = text_.substr(close + 1, stop - close - 1).find('/') == none;
        if (comment.has_value()) {
            std::size_t text_start = comment->text_start;
            while (text_start < comment->text_end &&
                   std::string_view("/*!").find(text_[text_start]) != none) {
                ++text_start;
            }
            statement.comment = text_.substr(text_start, comment->text_end - text_start);
            statement.comment_offset = text_start;
            statement.code_before_comment = !plain || !nothing_between;
        }
        statement.rest_of_line = plain && nothing_between && (!comment || comment->is_line);
        if (semicolon && statement.rest_of_line) {
            statement.end_offset = text_.find(';', close) + 1;
        }
        on_statement_(statement);
        // Reading goes on with the code after it; a // comment ends what its line holds.
        return plain && (!comment || comment->is_line) ? line_end_ : at;
    }

    // Blanks, comments, line breaks and no-break spaces, as far as they go.
    std::size_t skip_gap(std::size_t at, LookAlikeMarks& marks, bool in_name) const {
        while (at < code_.size()) {
            const auto byte = static_cast<unsigned char>(code_[at]);
            if (is_script_blank(code_[at])) {
                marks.split = marks.split || in_name;
            } else if (ends_line(code_[at])) {
                marks.line_break = true;
            } else if (byte == 0xC2 && at + 1 < code_.size() &&
                       static_cast<unsigned char>(code_[at + 1]) == 0xA0) {
                marks.no_break_space = true;
                ++at;
            } else if (byte == 0xA0) {
                marks.no_break_space = true;
            } else if (const std::size_t odd = odd_blank_at(code_, at); odd > 0) {
                marks.odd_blank = true;
                at += odd - 1;
            } else {
                break;
            }
            ++at;
        }
        return at;
    }

    // The glyph at p that stands for `wanted` (in either letter case): marks how it differs, moves p past it.
    bool take_glyph(std::size_t& p, char wanted, LookAlikeMarks& marks) const {
        const Glyph glyph = glyph_at(code_, p);
        if (glyph.length == 0 || lower(glyph.ascii) != lower(wanted)) {
            return false;
        }
        marks.other_case = marks.other_case || glyph.ascii != wanted;
        marks.other_script = marks.other_script || glyph.other_script;
        p += glyph.length;
        return true;
    }

    // mb.Read( or mb.Write( as a script's language or its reader may well take it: in other letter case,
    // with letters of another script that look the same, with blanks, comments or line breaks between its
    // parts, with invisible characters in it, or blanks other than a space or tab before its (.
    std::optional<std::size_t> look_alike_at(std::size_t at) {
        LookAlikeMarks marks;
        std::size_t p = at;
        if (!take_glyph(p, 'm', marks) || !take_glyph(p, 'b', marks)) {
            return std::nullopt;
        }
        p = skip_gap(p, marks, true);
        if (!take_glyph(p, '.', marks)) {
            return std::nullopt;
        }
        p = skip_gap(p, marks, true);
        const std::string_view name = lower(glyph_at(code_, p).ascii) == 'r' ? read_name : write_name;
        for (std::size_t i = 3; i < name.size(); ++i) {
            if (const std::size_t odd = odd_blank_at(code_, p); odd > 0 && i > 3) {
                marks.odd_blank = true;
                p += odd;
            }
            if (!take_glyph(p, name[i], marks)) {
                return std::nullopt;
            }
        }
        p = skip_gap(p, marks, false);
        if (!take_glyph(p, '(', marks) || !marks.any()) {
            return std::nullopt;
        }
        const auto [line, column] = place(at);
        on_unread_(UnreadText{Check::LookAlike, line, column, marks.reason(name), 0});
        return p;
    }

    void report_open_comment() {
        if (open_comment_ == none) {
            return;
        }
        const auto [line, column] = place(open_comment_);
        const bool ends_with_line_end = ends_line(text_.back());
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
    // Whether the text holds a character that some editors end a line at, other than LF and CR: nearly no
    // script does, and then no comment is searched for one.
    bool line_end_look_alikes_ = std::ranges::any_of(
        std::array<std::string_view, 5>{"\v", "\f", "\xC2\x85", "\xE2\x80\xA8", "\xE2\x80\xA9"},
        [this](std::string_view bytes) { return text_.find(bytes) != none; });
    bool has_quotes_ = text_.find('"') != none;
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
