// SPDX-License-Identifier: MIT
#pragma once

// JSON written a piece at a time, so that a document of a million findings is never held whole.

#include <string>
#include <string_view>

namespace qxrfanuc::cli {

// Appends the text as a JSON string, in double quotes: the quote, the backslash and the control
// characters escaped as JSON escapes them, valid UTF-8 as it stands, and a byte of no valid UTF-8 written
// as the display escaping writes it (the four characters \xNN), so that the document is always valid
// UTF-8 whatever it quotes.
void append_json_string(std::string& out, std::string_view text);

// Appends "name": and the string, or the number.
void append_json_member(std::string& out, std::string_view name, std::string_view text);
void append_json_member(std::string& out, std::string_view name, std::size_t number);

} // namespace qxrfanuc::cli
