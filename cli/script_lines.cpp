// SPDX-License-Identifier: MIT
#include "script_lines.h"

#include "display_text.h"

#include <algorithm>

namespace qxrfanuc::cli {

namespace {

// Where the line after the one starting at start starts, or past the text.
std::size_t next_line_start(std::string_view text, std::size_t start) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    return end + (text.substr(end).starts_with("\r\n") ? 2 : 1);
}

} // namespace

void ScriptLines::go_to(std::size_t number) {
    if (number < line_) {
        line_ = 1;
        start_ = 0;
    }
    for (; line_ < number && start_ < text_.size(); ++line_) {
        start_ = next_line_start(text_, start_);
    }
}

std::string_view ScriptLines::line(std::size_t number) {
    go_to(number);
    if (line_ != number) {
        return {};
    }
    const std::string_view rest = text_.substr(std::min(start_, text_.size()));
    return rest.substr(0, rest.find_first_of("\r\n"));
}

TextPlace ScriptLines::place_of(std::size_t offset) {
    if (offset < start_) {
        go_to(1);
    }
    for (std::size_t next = 0; (next = next_line_start(text_, start_)) <= offset; ++line_) {
        start_ = next;
    }
    return {line_, offset - start_ + 1};
}

std::size_t ScriptLines::character_column(TextPlace place) {
    const std::string_view text = line(place.line);
    if (counted_.line != place.line || counted_.column > place.column) {
        counted_ = {place.line, 1};
        characters_ = 0;
    }
    const std::size_t target = place.column - 1;
    std::size_t at = counted_.column - 1;
    for (; at < target && at < text.size(); at += character_length(text.substr(at))) {
        ++characters_;
    }
    counted_.column = at + 1;
    if (at > target) {
        return characters_; // a byte inside a character: the character's column
    }
    // Past the line's text (its line end) each byte counts as one.
    return characters_ + 1 + (target - at);
}

} // namespace qxrfanuc::cli
