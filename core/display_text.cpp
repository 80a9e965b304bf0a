// SPDX-License-Identifier: MIT
#include "display_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace qxrfanuc {

namespace {

// Unicode's format characters (general category Cf), the two separators, and the blanks other than the space
// (Zs), which look like it, as ranges.
constexpr std::array<std::pair<char32_t, char32_t>, 28> hidden_ranges{{
    {0x00A0, 0x00A0},   {0x1680, 0x1680},   {0x2000, 0x200A},   {0x202F, 0x202F},   {0x205F, 0x205F},
    {0x3000, 0x3000},   {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},
    {0x070F, 0x070F},   {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},
    {0x2028, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},
    {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A},
    {0xE0001, 0xE0001}, {0xE0020, 0xE007F}, {0x0080, 0x009F},
}};

} // namespace

bool is_hidden_code_point(char32_t code_point) {
    if (code_point < 0x20 || code_point == 0x7F) {
        return true;
    }
    return std::ranges::any_of(hidden_ranges, [code_point](const auto& range) {
        return code_point >= range.first && code_point <= range.second;
    });
}

void append_hex_escape(std::string& out, unsigned char byte) {
    constexpr std::string_view hex = "0123456789ABCDEF";
    out += "\\x";
    out += hex[byte >> 4];
    out += hex[byte & 0xF];
}

Utf8Sequence utf8_sequence(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    if (lead < 0x80) {
        return {1, lead};
    }
    std::size_t length = 0;
    char32_t code_point = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code_point = lead & 0x1FU;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code_point = lead & 0x0FU;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code_point = lead & 0x07U;
    } else {
        return {0, 0};
    }
    if (text.size() < length) {
        return {0, 0};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0U) != 0x80U) {
            return {0, 0};
        }
        code_point = (code_point << 6U) | (byte & 0x3FU);
    }
    constexpr std::array<char32_t, 5> smallest{0, 0, 0x80, 0x800, 0x10000};
    if (code_point < smallest.at(length) || code_point > 0x10FFFF ||
        (code_point >= 0xD800 && code_point <= 0xDFFF)) {
        return {0, 0};
    }
    return {length, code_point};
}

std::size_t character_length(std::string_view text) {
    return std::max<std::size_t>(utf8_sequence(text).length, 1);
}

std::string display_escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const auto [length, code_point] = utf8_sequence(text);
        if (length == 0) {
            append_hex_escape(out, static_cast<unsigned char>(text.front()));
            text.remove_prefix(1);
            continue;
        }
        for (std::size_t i = 0; i < length; ++i) {
            if (is_hidden_code_point(code_point)) {
                append_hex_escape(out, static_cast<unsigned char>(text[i]));
            } else {
                out += text[i];
            }
        }
        text.remove_prefix(length);
    }
    return out;
}

} // namespace qxrfanuc
