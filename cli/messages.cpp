// SPDX-License-Identifier: MIT
#include "messages.h"

#include "display_text.h"
#include "int16.h"

#include <string_view>

namespace qxrfanuc::cli {

namespace {

constexpr std::size_t max_quoted_bytes = 40;

std::string_view input_text(ErrorPlace place, const InputTexts& inputs) {
    return input_at_fault(place, inputs.qxr, inputs.fanuc, inputs.items);
}

bool is_control(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

void append_escaped(std::string& out, char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
        out += '\\';
        out += c;
    } else if (is_control(byte) || byte > 0x7F) {
        append_hex_escape(out, byte);
    } else {
        out += c;
    }
}

} // namespace

std::string message(std::string_view text) {
    return std::string(program_name) + ": " + std::string(text) + '\n';
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text.substr(0, max_quoted_bytes)) {
        append_escaped(out, c);
    }
    out += '"';
    if (text.size() > max_quoted_bytes) {
        out.insert(out.size() - 1, "...");
        out += " (" + std::to_string(text.size()) + " bytes)";
    }
    return out;
}

std::string describe_error(const GenerationError& error, const InputTexts& inputs) {
    std::string out = "error " + std::to_string(error.number()) + ": ";
    out += error_kind_name(error.kind);
    out += " in the ";
    out += error_place_name(error.place);
    if (is_input_place(error.place)) {
        out += ' ' + quoted(input_text(error.place, inputs));
        out += error.kind == ErrorKind::TypeMismatch
                   ? ": not a number (expected digits with an optional sign and fraction, like -12 or 2.5)"
                   : ": outside " + std::string(int16_range_text);
    } else {
        out += " computed from the ";
        out += error_place_name(source_input(error.place));
        out += ' ' + quoted(input_text(error.place, inputs));
        out += ": outside " + std::string(int16_range_text);
    }
    return out;
}

} // namespace qxrfanuc::cli
