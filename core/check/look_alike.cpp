// SPDX-License-Identifier: MIT
#include "look_alike.h"

#include "display_text.h"
#include "script_tokens.h"
#include "statement_text.h"
#include "text_bytes.h"

#include <algorithm>
#include <string>

namespace qxrfanuc {

namespace {

// What a non-ASCII character folds to: a letter that may stand for any; and what one left out does.
constexpr char any_letter = '?';
constexpr char left_out = '\0';

struct Folded {
    char c;           // an ASCII character in small letters, any_letter, or left_out
    std::size_t next; // past it
};

// The character at `at` folded; left_out for a blank, a control or an invisible character.
Folded folded_at(std::string_view text, std::size_t at) {
    const char c = text[at];
    if (static_cast<unsigned char>(c) < 0x80) {
        const bool counts = !is_script_blank(c) && !is_hidden_code_point(static_cast<unsigned char>(c));
        return {counts ? ascii_lower(c) : left_out, at + 1};
    }
    const auto [length, code_point] = utf8_sequence(text.substr(at));
    return {length > 0 && is_hidden_code_point(code_point) ? left_out : any_letter,
            at + std::max<std::size_t>(length, 1)};
}

// The next character that counts, from `at` on, past what is left out and past comments; none at the end
// of the text, in a /* never closed, or at a string.
std::optional<Folded> next_counted(std::string_view text, std::size_t at) {
    while (at < text.size()) {
        const Token token = token_at(text, at);
        if (token.kind == TokenKind::LineEnd || token.is_comment()) {
            at = token.end;
            continue;
        }
        if (token.kind != TokenKind::Code) {
            return std::nullopt;
        }
        const Folded folded = folded_at(text, at);
        if (folded.c != left_out) {
            return folded;
        }
        at = folded.next;
    }
    return std::nullopt;
}

bool same(char folded, char wanted) {
    return folded == any_letter || folded == wanted;
}

bool equal(std::string_view name, std::string_view target) {
    return name.size() == target.size() && std::ranges::equal(name, target, same);
}

// One letter added, dropped or changed, or two neighbours swapped, or none.
bool within_one_edit(std::string_view name, std::string_view target) {
    if (name.size() == target.size()) {
        const auto differs = std::ranges::mismatch(name, target, same).in1 - name.begin();
        const auto at = static_cast<std::size_t>(differs);
        if (at >= name.size() - 1) {
            return true;
        }
        const bool changed = equal(name.substr(at + 1), target.substr(at + 1));
        const bool swapped = same(name[at], target[at + 1]) && same(name[at + 1], target[at]) &&
                             equal(name.substr(at + 2), target.substr(at + 2));
        return changed || swapped;
    }
    const auto& longer = name.size() > target.size() ? name : target;
    const auto& shorter = name.size() > target.size() ? target : name;
    if (longer.size() != shorter.size() + 1) {
        return false;
    }
    for (std::size_t dropped = 0; dropped < longer.size(); ++dropped) {
        const std::string without =
            std::string(longer.substr(0, dropped)) + std::string(longer.substr(dropped + 1));
        if (name.size() > target.size() ? equal(without, shorter) : equal(shorter, without)) {
            return true;
        }
    }
    return false;
}

// A function's name after "mb.", in small letters.
std::string function_name(std::string_view statement_name) {
    std::string name(statement_name.substr(statement_name.find('.') + 1));
    std::ranges::transform(name, name.begin(), ascii_lower);
    return name;
}

bool is_name_character(char folded) {
    return folded == any_letter || folded == '_' || is_ascii_digit(folded) ||
           (folded >= 'a' && folded <= 'z');
}

} // namespace

std::optional<LookAlike> look_alike_at(std::string_view text, std::size_t at) {
    const Folded first = folded_at(text, at);
    if (first.c == left_out || !same(first.c, 'm')) {
        return std::nullopt;
    }
    const auto b = next_counted(text, first.next);
    const auto dot = b && same(b->c, 'b') ? next_counted(text, b->next) : std::nullopt;
    if (!dot || dot->c != '.') {
        return std::nullopt;
    }
    constexpr std::size_t longest_name = 6; // "write" and one letter
    std::string name;
    for (auto next = next_counted(text, dot->next); next; next = next_counted(text, next->next)) {
        if (next->c == '(') {
            for (const auto target : {statement_text::read_name, statement_text::write_name}) {
                if (!name.empty() && within_one_edit(name, function_name(target))) {
                    return LookAlike{next->next, target};
                }
            }
            return std::nullopt;
        }
        if (!is_name_character(next->c) || name.size() == longest_name) {
            return std::nullopt;
        }
        name += next->c;
    }
    return std::nullopt;
}

} // namespace qxrfanuc
