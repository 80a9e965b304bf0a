// SPDX-License-Identifier: MIT
#pragma once

// Text from a script or a file name made safe to print: whatever could act on a terminal or a log, or hide or
// reorder what is shown, is written as \xNN per byte; everything else, other languages' letters included,
// stays as it is.

#include <cstddef>
#include <string>
#include <string_view>

namespace qxrfanuc {

// Escapes C0 and C1 control characters and DEL, Unicode format characters (U+00AD, U+200B to U+200F, the
// bidirectional controls U+202A to U+202E and U+2066 to U+2069, U+FEFF, ...), the line and paragraph
// separators U+2028 and U+2029, the blanks that look like a space but are none (U+00A0, U+2000 to U+200A,
// U+3000, ...), and every byte that is not part of valid UTF-8.
[[nodiscard]] std::string display_escaped(std::string_view text);

// Whether display_escaped escapes the code point: a control, format or separator character, or a blank
// other than the space.
[[nodiscard]] bool is_hidden_code_point(char32_t code_point);

// Appends the byte as \xNN.
void append_hex_escape(std::string& out, unsigned char byte);

// The valid UTF-8 sequence at the start of a text that is not empty: its length and code point, or a length
// of 0 when it is not one (a stray continuation byte, a cut sequence, an overlong form, a surrogate or a
// value past U+10FFFF).
struct Utf8Sequence {
    std::size_t length;
    char32_t code_point;
};
[[nodiscard]] Utf8Sequence utf8_sequence(std::string_view text);

// How many bytes the character at the start of a text that is not empty takes: a valid sequence's length,
// or 1 for a byte of none.
[[nodiscard]] std::size_t character_length(std::string_view text);

} // namespace qxrfanuc
