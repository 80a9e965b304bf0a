// SPDX-License-Identifier: MIT
#include "look_alike.h"

#include "statement_text.h"
#include "text_bytes.h"

#include <array>
#include <utility>

namespace qxrfanuc {

namespace {

using statement_text::read_name;
using statement_text::write_name;

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
    static constexpr std::array<std::pair<std::string_view, char>, 10> cyrillic{{{"\xD0\xB0", 'a'},
                                                                                 {"\xD0\xB5", 'e'},
                                                                                 {"\xD0\xBC", 'm'},
                                                                                 {"\xD1\x96", 'i'},
                                                                                 {"\xD4\x81", 'd'},
                                                                                 {"\xD0\x90", 'A'},
                                                                                 {"\xD0\x92", 'B'},
                                                                                 {"\xD0\x95", 'E'},
                                                                                 {"\xD0\x9C", 'M'},
                                                                                 {"\xD0\xA2", 'T'}}};
    const std::string_view rest = code.substr(at);
    for (const auto& [bytes, ascii] : cyrillic) {
        if (rest.starts_with(bytes)) {
            return {ascii, bytes.size(), true};
        }
    }
    // The full-width forms U+FF01 to U+FF5E, EF BC 81 to EF BD 9E in UTF-8, stand for ASCII ! to ~.
    if (rest.size() >= 3 && rest[0] == '\xEF' && (rest[1] == '\xBC' || rest[1] == '\xBD')) {
        const auto codepoint = 0xF000U | ((static_cast<unsigned char>(rest[1]) & 0x3FU) << 6U) |
                               (static_cast<unsigned char>(rest[2]) & 0x3FU);
        if (codepoint >= 0xFF01 && codepoint <= 0xFF5E) {
            return {static_cast<char>(codepoint - 0xFF01 + '!'), 3, true};
        }
    }
    return {};
}

// Blanks, comments, line breaks and no-break spaces, as far as they go.
std::size_t skip_gap(std::string_view code, std::size_t at, LookAlikeMarks& marks, bool in_name) {
    while (at < code.size()) {
        const auto byte = static_cast<unsigned char>(code[at]);
        if (is_script_blank(code[at])) {
            marks.split = marks.split || in_name;
        } else if (ends_a_line(code[at])) {
            marks.line_break = true;
        } else if (byte == 0xC2 && at + 1 < code.size() && static_cast<unsigned char>(code[at + 1]) == 0xA0) {
            marks.no_break_space = true;
            ++at;
        } else if (byte == 0xA0) {
            marks.no_break_space = true;
        } else if (const std::size_t odd = odd_blank_at(code, at); odd > 0) {
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
bool take_glyph(std::string_view code, std::size_t& p, char wanted, LookAlikeMarks& marks) {
    const Glyph glyph = glyph_at(code, p);
    if (glyph.length == 0 || ascii_lower(glyph.ascii) != ascii_lower(wanted)) {
        return false;
    }
    marks.other_case = marks.other_case || glyph.ascii != wanted;
    marks.other_script = marks.other_script || glyph.other_script;
    p += glyph.length;
    return true;
}

constexpr std::array<std::pair<std::string_view, std::string_view>, 5> line_ends{{
    {"\xC2\x85", "a next-line character (U+0085)"},
    {"\xE2\x80\xA8", "a line separator (U+2028)"},
    {"\xE2\x80\xA9", "a paragraph separator (U+2029)"},
    {"\v", "a vertical tab"},
    {"\f", "a form feed"},
}};

} // namespace

std::optional<LineEndLookAlike> line_end_look_alike(std::string_view comment) {
    for (std::size_t i = 0; i < comment.size(); ++i) {
        const char c = comment[i];
        if (c != '\v' && c != '\f' && c != '\xC2' && c != '\xE2') {
            continue; // the first byte of none of the characters above
        }
        const std::string_view rest = comment.substr(i);
        for (const auto& [bytes, name] : line_ends) {
            if (rest.starts_with(bytes) && !without_blanks(rest.substr(bytes.size())).empty()) {
                return LineEndLookAlike{i, std::string(name) +
                                               " inside this // comment ends the line in some editors and "
                                               "languages, so what follows it may run; it is read as part "
                                               "of the comment"};
            }
        }
    }
    return std::nullopt;
}

// mb.Read( or mb.Write( as a script's language or its reader may well take it: in other letter case,
// with letters of another script that look the same, with blanks, comments or line breaks between its
// parts, with invisible characters in it, or blanks other than a space or tab before its (.
std::optional<LookAlike> look_alike_at(std::string_view code, std::size_t at) {
    LookAlikeMarks marks;
    std::size_t p = at;
    if (!take_glyph(code, p, 'm', marks) || !take_glyph(code, p, 'b', marks)) {
        return std::nullopt;
    }
    p = skip_gap(code, p, marks, true);
    if (!take_glyph(code, p, '.', marks)) {
        return std::nullopt;
    }
    p = skip_gap(code, p, marks, true);
    const std::string_view name = ascii_lower(glyph_at(code, p).ascii) == 'r' ? read_name : write_name;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (const std::size_t odd = odd_blank_at(code, p); odd > 0 && i > 3) {
            marks.odd_blank = true;
            p += odd;
        }
        if (!take_glyph(code, p, name[i], marks)) {
            return std::nullopt;
        }
    }
    p = skip_gap(code, p, marks, false);
    if (!take_glyph(code, p, '(', marks) || !marks.any()) {
        return std::nullopt;
    }
    return LookAlike{p, marks.reason(name)};
}

} // namespace qxrfanuc
