// SPDX-License-Identifier: MIT
#pragma once

// The byte classes that the number conversion and the script reader share. ASCII only: no locale decides
// what counts as a digit or a blank.

#include <string_view>

namespace qxrfanuc {

[[nodiscard]] constexpr bool is_ascii_digit(char c) {
    return c >= '0' && c <= '9';
}

// What may not stand right before the m of a statement: a byte that would make it part of a longer name.
[[nodiscard]] constexpr bool joins_a_name(char c) {
    return is_ascii_digit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '.';
}

[[nodiscard]] constexpr char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A blank in a script: a space or a tab. (An input box's number allows only spaces around it.)
[[nodiscard]] constexpr bool is_script_blank(char c) {
    return c == ' ' || c == '\t';
}

// A byte that ends a line in a script: LF, or CR alone or before LF.
[[nodiscard]] constexpr bool ends_a_line(char c) {
    return c == '\n' || c == '\r';
}

// The text without the blanks it starts and ends with.
[[nodiscard]] constexpr std::string_view without_blanks(std::string_view text) {
    while (!text.empty() && is_script_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_script_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// What a UTF-8 text may start with, as spreadsheets and some editors write it; skipped at the start only.
inline constexpr std::string_view utf8_byte_order_mark = "\xEF\xBB\xBF";

} // namespace qxrfanuc
