// SPDX-License-Identifier: MIT
#pragma once

// A script's bytes as UTF-8 text, decoded once, whole: UTF-8 (or ASCII) with or without a byte order mark,
// and UTF-16 with one. Text with NUL bytes in most of its lines is refused, since read byte by byte it would
// show nothing to check and so report nothing.

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

// UTF-8 text written in the encoding the script was read from, with its byte order mark if it had one.
[[nodiscard]] std::string encode_like(const ScriptText& script, std::string_view text);

// Where the line that starts at offset ends, and where the next one starts: a line ends at LF, CR LF or a
// lone CR (as old Macs and some controllers' editors write them).
struct LineEnd {
    std::size_t end;
    std::size_t next;
};
[[nodiscard]] LineEnd line_end_from(std::string_view text, std::size_t offset);

} // namespace qxrfanuc
