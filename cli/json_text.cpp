// SPDX-License-Identifier: MIT
#include "json_text.h"

#include "display_text.h"

#include <string>

namespace qxrfanuc::cli {

namespace {

// The escape of a byte JSON does not take as it stands, or empty.
std::string_view json_escape(char c) {
    switch (c) {
    case '"':
        return "\\\"";
    case '\\':
        return "\\\\";
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    case '\t':
        return "\\t";
    default:
        return {};
    }
}

void append_control(std::string& out, unsigned char byte) {
    constexpr std::string_view hex = "0123456789abcdef";
    out += "\\u00";
    out += hex[byte >> 4U];
    out += hex[byte & 0xFU];
}

} // namespace

void append_json_string(std::string& out, std::string_view text) {
    out += '"';
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.front());
        const std::size_t length = utf8_sequence(text).length;
        if (const auto escape = json_escape(text.front()); !escape.empty()) {
            out += escape;
        } else if (byte < 0x20 || byte == 0x7F) {
            append_control(out, byte);
        } else if (length == 0) {
            // JSON holds no byte outside UTF-8: this one is written as the text output shows it, \xNN,
            // its backslash escaped.
            out += '\\';
            append_hex_escape(out, byte);
        } else {
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length == 0 ? 1 : length);
    }
    out += '"';
}

void append_json_member(std::string& out, std::string_view name, std::string_view text) {
    append_json_string(out, name);
    out += ": ";
    append_json_string(out, text);
}

void append_json_member(std::string& out, std::string_view name, std::size_t number) {
    append_json_string(out, name);
    out += ": ";
    out += std::to_string(number);
}

} // namespace qxrfanuc::cli
