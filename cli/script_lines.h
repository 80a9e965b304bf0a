// SPDX-License-Identifier: MIT
#pragma once

// The places of a script's findings and edits: lines found by number and columns counted in bytes or in
// characters. Findings come line after line and, on a line, mostly column after column, so each search
// goes on from the one before, and a long line with many findings is not counted again for each.

#include <cstddef>
#include <string_view>

namespace qxrfanuc::cli {

struct TextPlace {
    std::size_t line;   // from 1
    std::size_t column; // from 1, in bytes
};

class ScriptLines {
public:
    explicit ScriptLines(std::string_view text);

    // The text of a line, without its line end (LF, CR LF or a lone CR); empty past the last one.
    [[nodiscard]] std::string_view line(std::size_t number);
    // The line and the column of a byte of the text.
    [[nodiscard]] TextPlace place_of(std::size_t offset);
    // The column of a place counted in characters, each byte of no valid UTF-8 counting as one.
    [[nodiscard]] std::size_t character_column(TextPlace place);

private:
    void go_to(std::size_t number);               // moves to the line
    [[nodiscard]] std::size_t next_start() const; // of the line after line_, or past the text
    void next_line();

    std::string_view text_;
    std::size_t line_ = 1;
    std::size_t start_ = 0; // where line_ starts
    std::size_t end_;       // and where it ends, before its line end
    TextPlace counted_{0, 1};
    std::size_t characters_ = 0; // before counted_ on its line
};

} // namespace qxrfanuc::cli
