// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <functional>
#include <string_view>

namespace qxrfanuc::cli {

// The longest line kept, not counting its line ending: generous for any record of four short fields, and
// small enough that no input, however long its lines, can make the reader hold more than this.
inline constexpr std::size_t max_line_bytes = 4096;

struct Line {
    std::string_view text; // without its line ending (LF or CR LF); empty when the line is overlong
    std::size_t length;    // the whole line's length in bytes, line ending excluded, however long
    char first = 0;        // its first byte, also when it is overlong; 0 for an empty line

    [[nodiscard]] bool is_overlong() const { return length > max_line_bytes; }
};

// Calls on_line for each line of input, LF or CR LF terminated (the last one may lack it), and skips a UTF-8
// byte order mark at the very start of the input only. A line longer than max_line_bytes is counted, not
// stored. Returns 0, or the error number when the input could not be read.
[[nodiscard]] int read_lines(std::FILE* input, const std::function<void(const Line&)>& on_line);

} // namespace qxrfanuc::cli
