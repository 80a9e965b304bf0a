// SPDX-License-Identifier: MIT
#include "script_text.h"

#include "display_text.h"
#include "text_bytes.h"

#include <algorithm>
#include <cstring>

namespace qxrfanuc {

namespace {

// Text with NUL bytes in most of its lines is not ASCII-compatible: UTF-16 without its byte order mark,
// UTF-32, or no text at all. Empty lines do not count.
bool mostly_nul_lines(std::string_view text) {
    if (text.find('\0') == std::string_view::npos) {
        return false; // as nearly every script, found at once
    }
    std::size_t lines = 0;
    std::size_t with_nul = 0;
    for (std::size_t start = 0; start < text.size();) {
        const auto [end, next] = line_end_from(text, start);
        if (end > start) {
            ++lines;
            with_nul += text.substr(start, end - start).find('\0') != std::string_view::npos ? 1 : 0;
        }
        start = next;
    }
    return with_nul > 0 && 2 * with_nul > lines;
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

// UTF-16 after its byte order mark. A lone surrogate or a cut last unit becomes U+FFFD, which no check
// looks at.
std::string from_utf16(std::string_view bytes, bool little_endian) {
    std::string out;
    out.reserve(bytes.size());
    const auto unit_at = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char32_t>(little_endian ? first | (second << 8U) : (first << 8U) | second);
    };
    std::size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        const char32_t unit = unit_at(at);
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const char32_t low = high && at + 3 < bytes.size() ? unit_at(at + 2) : 0;
        if (low >= 0xDC00 && low <= 0xDFFF) {
            append_utf8(out, 0x10000 + ((unit - 0xD800) << 10U) + (low - 0xDC00));
            at += 2;
        } else {
            append_utf8(out, unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
        }
    }
    if (at < bytes.size()) {
        append_utf8(out, 0xFFFD);
    }
    return out;
}

void append_utf16(std::string& out, char16_t unit, bool little_endian) {
    const auto low = static_cast<char>(unit & 0xFFU);
    const auto high = static_cast<char>(unit >> 8U);
    out += little_endian ? low : high;
    out += little_endian ? high : low;
}

} // namespace

std::string encode_like(const ScriptText& script, std::string_view text) {
    if (script.encoding == ScriptEncoding::Utf8) {
        return (script.byte_order_mark ? std::string(utf8_byte_order_mark) : std::string()) +
               std::string(text);
    }
    const bool little_endian = script.encoding == ScriptEncoding::Utf16LittleEndian;
    std::string out;
    out.reserve((2 * text.size()) + 2);
    append_utf16(out, 0xFEFF, little_endian);
    for (std::size_t at = 0; at < text.size();) {
        // The text is the UTF-8 that the script was decoded to, and the edits' text; a byte of no valid
        // sequence would be U+FFFD, as in decoding.
        const auto [length, valid_code_point] = utf8_sequence(text.substr(at));
        const char32_t code_point = length == 0 ? 0xFFFD : valid_code_point;
        at += std::max<std::size_t>(length, 1);
        if (code_point < 0x10000) {
            append_utf16(out, static_cast<char16_t>(code_point), little_endian);
        } else {
            append_utf16(out, static_cast<char16_t>(0xD800 + ((code_point - 0x10000) >> 10U)), little_endian);
            append_utf16(out, static_cast<char16_t>(0xDC00 + ((code_point - 0x10000) & 0x3FFU)),
                         little_endian);
        }
    }
    return out;
}

LineEnd line_end_from(std::string_view text, std::size_t offset) {
    const std::string_view rest = text.substr(offset);
    const auto* line_feed = static_cast<const char*>(std::memchr(rest.data(), '\n', rest.size()));
    const std::size_t before_line_feed =
        line_feed == nullptr ? rest.size() : std::size_t(line_feed - rest.data());
    const auto* carriage_return = static_cast<const char*>(std::memchr(rest.data(), '\r', before_line_feed));
    const std::size_t end =
        offset + (carriage_return == nullptr ? before_line_feed : std::size_t(carriage_return - rest.data()));
    if (end == text.size()) {
        return {end, end};
    }
    return {end, end + (text.substr(end).starts_with("\r\n") ? 2 : 1)};
}

std::expected<ScriptText, std::string> decode_script(std::string bytes) {
    ScriptText script;
    using namespace std::string_view_literals;
    if (bytes.starts_with("\xFF\xFE\0\0"sv) || bytes.starts_with("\0\0\xFE\xFF"sv)) {
        return std::unexpected(
            "it is UTF-32, which is not read (save it as UTF-8, or as UTF-16 with a byte order mark)");
    }
    // UTF-16 holds a NUL byte in every character of the ASCII that any script has; bytes without one are
    // other text that happens to start like its byte order mark.
    const bool utf16_mark = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    if (utf16_mark && bytes.size() > 2 && bytes.find('\0', 2) == std::string::npos) {
        return std::unexpected(
            "it starts with the bytes of a UTF-16 byte order mark, but holds no UTF-16 text "
            "(remove those two bytes, or save it as UTF-16 with a byte order mark)");
    }
    if (utf16_mark) {
        const bool little_endian = bytes.starts_with("\xFF\xFE");
        script.encoding = little_endian ? ScriptEncoding::Utf16LittleEndian : ScriptEncoding::Utf16BigEndian;
        script.byte_order_mark = true;
        script.text = from_utf16(std::string_view(bytes).substr(2), little_endian);
        return script;
    }
    if (mostly_nul_lines(bytes)) {
        return std::unexpected(
            "its encoding cannot be read: it has NUL bytes in most lines (save it as UTF-8, "
            "or as UTF-16 with a byte order mark)");
    }
    script.byte_order_mark = bytes.starts_with(utf8_byte_order_mark);
    if (script.byte_order_mark) {
        bytes.erase(0, utf8_byte_order_mark.size());
    }
    script.text = std::move(bytes);
    return script;
}

} // namespace qxrfanuc
