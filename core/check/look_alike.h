// SPDX-License-Identifier: MIT
#pragma once

// Text that a script's language or its reader may well take for mb.Read( or mb.Write( but that is not read as
// a statement: the name in other letter case or with letters of another script that look the same, blanks,
// comments, line breaks or invisible characters between its parts, a blank other than a space or tab before
// its (. Read from the code, where comments are blanks.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qxrfanuc {

struct LookAlike {
    std::size_t end;    // just past its (
    std::string reason; // "mb.Read and its ( are on different lines", ...
};

// The look-alike whose m stands at `at`, if one does.
[[nodiscard]] std::optional<LookAlike> look_alike_at(std::string_view code, std::size_t at);

// A character that some editors and languages end a line at, though the reader here does not: NEL, LS, PS,
// VT or FF, with text after it that may run, in a // comment.
struct LineEndLookAlike {
    std::size_t offset; // in the comment
    std::string why;
};
[[nodiscard]] std::optional<LineEndLookAlike> line_end_look_alike(std::string_view comment);

} // namespace qxrfanuc
