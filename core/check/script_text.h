// SPDX-License-Identifier: MIT
#pragma once

// A script's bytes as UTF-8 text, decoded once, whole, and written back in the encoding they came in. One
// rule says what is read: UTF-8 (or ASCII), with or without a byte order mark, or UTF-16 with one, well
// formed and holding some ASCII; and no NUL character in either. Everything else is refused with one message,
// since read byte by byte it would show nothing to check and so report nothing.

#include <cstddef>
#include <cstdint>
#include <expected>
#include <string>
#include <string_view>

namespace qxrfanuc {

// The most a script may hold: far beyond any background script, and small enough to read whole.
inline constexpr std::size_t script_size_limit_mib = 64;
inline constexpr std::size_t script_size_limit = script_size_limit_mib << 20U;

enum class ScriptEncoding : std::uint8_t { Utf8, Utf16LittleEndian, Utf16BigEndian };

struct ScriptText {
    std::string text; // UTF-8, without the byte order mark
    ScriptEncoding encoding = ScriptEncoding::Utf8;
    bool byte_order_mark = false; // the bytes began with one
};

// The text, or why it cannot be read.
[[nodiscard]] std::expected<ScriptText, std::string> decode_script(std::string bytes);

// The byte order mark the script began with, in its encoding, or nothing.
[[nodiscard]] std::string byte_order_mark_of(const ScriptText& script);

// Appends UTF-8 text (the script's, or an edit's) in the script's encoding. UTF-16 is written from the code
// points of valid UTF-8, which every text decoded from UTF-16 and every edit is.
void append_encoded(std::string& out, const ScriptText& script, std::string_view text);

} // namespace qxrfanuc
