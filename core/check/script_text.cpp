// SPDX-License-Identifier: MIT
#include "script_text.h"

#include "display_text.h"
#include "text_bytes.h"

#include <algorithm>

namespace qxrfanuc {

namespace {

std::string refused(const std::string& why) {
    return "it cannot be read: " + why + " (a script is UTF-8, or UTF-16 with a byte order mark)";
}

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6U));
        out += static_cast<char>(0x80 | (c & 0x3FU));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12U));
        out += static_cast<char>(0x80 | ((c >> 6U) & 0x3FU));
        out += static_cast<char>(0x80 | (c & 0x3FU));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18U));
        out += static_cast<char>(0x80 | ((c >> 12U) & 0x3FU));
        out += static_cast<char>(0x80 | ((c >> 6U) & 0x3FU));
        out += static_cast<char>(0x80 | (c & 0x3FU));
    }
}

bool is_surrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// UTF-16 after its byte order mark, which must be well formed: a lone surrogate or a cut last unit could
// not be written back as it came.
std::expected<std::string, std::string> from_utf16(std::string_view bytes, bool little_endian) {
    if (bytes.size() % 2 != 0) {
        return std::unexpected(refused("its UTF-16 ends in half a character"));
    }
    std::string out;
    out.reserve(bytes.size());
    const auto unit_at = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char32_t>(little_endian ? first | (second << 8U) : (first << 8U) | second);
    };
    for (std::size_t at = 0; at < bytes.size(); at += 2) {
        const char32_t unit = unit_at(at);
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const char32_t low = high && at + 2 < bytes.size() ? unit_at(at + 2) : 0;
        if (high && low >= 0xDC00 && low <= 0xDFFF) {
            append_utf8(out, 0x10000 + ((unit - 0xD800) << 10U) + (low - 0xDC00));
            at += 2;
        } else if (is_surrogate(unit)) {
            return std::unexpected(
                refused("its UTF-16 holds a lone surrogate at byte " + std::to_string(at + 3)));
        } else {
            append_utf8(out, unit);
        }
    }
    if (!out.empty() &&
        std::ranges::none_of(out, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return std::unexpected(refused("what follows its UTF-16 byte order mark holds no ASCII character"));
    }
    return out;
}

void append_utf16(std::string& out, char16_t unit, bool little_endian) {
    const auto low = static_cast<char>(unit & 0xFFU);
    const auto high = static_cast<char>(unit >> 8U);
    out += little_endian ? low : high;
    out += little_endian ? high : low;
}

// Where the first NUL stands, as a line and a column, counted as the checker counts them.
std::string place_of_nul(std::string_view text) {
    const std::size_t at = text.find('\0');
    std::size_t line = 1;
    std::size_t line_start = 0;
    for (std::size_t i = 0; i < at; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && text.substr(i + 1, 1) != "\n")) {
            ++line;
            line_start = i + 1;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(at - line_start + 1);
}

} // namespace

std::expected<ScriptText, std::string> decode_script(std::string bytes) {
    ScriptText script;
    const bool little_endian = bytes.starts_with("\xFF\xFE");
    if (little_endian || bytes.starts_with("\xFE\xFF")) {
        auto text = from_utf16(std::string_view(bytes).substr(2), little_endian);
        if (!text) {
            return std::unexpected(text.error());
        }
        script.encoding = little_endian ? ScriptEncoding::Utf16LittleEndian : ScriptEncoding::Utf16BigEndian;
        script.byte_order_mark = true;
        script.text = std::move(*text);
    } else {
        script.byte_order_mark = bytes.starts_with(utf8_byte_order_mark);
        if (script.byte_order_mark) {
            bytes.erase(0, utf8_byte_order_mark.size());
        }
        script.text = std::move(bytes);
    }
    if (script.text.find('\0') != std::string::npos) {
        return std::unexpected(refused("it holds a NUL character at " + place_of_nul(script.text)));
    }
    return script;
}

std::string byte_order_mark_of(const ScriptText& script) {
    std::string out;
    if (script.byte_order_mark) {
        append_encoded(out, script, utf8_byte_order_mark);
    }
    return out;
}

void append_encoded(std::string& out, const ScriptText& script, std::string_view text) {
    if (script.encoding == ScriptEncoding::Utf8) {
        out.append(text);
        return;
    }
    const bool little_endian = script.encoding == ScriptEncoding::Utf16LittleEndian;
    for (std::size_t at = 0; at < text.size();) {
        const auto [length, code_point] = utf8_sequence(text.substr(at));
        at += std::max<std::size_t>(length, 1);
        if (code_point < 0x10000) {
            append_utf16(out, static_cast<char16_t>(code_point), little_endian);
        } else {
            append_utf16(out, static_cast<char16_t>(0xD800 + ((code_point - 0x10000) >> 10U)), little_endian);
            append_utf16(out, static_cast<char16_t>(0xDC00 + ((code_point - 0x10000) & 0x3FFU)),
                         little_endian);
        }
    }
}

} // namespace qxrfanuc
