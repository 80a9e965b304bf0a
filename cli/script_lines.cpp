// SPDX-License-Identifier: MIT
#include "script_lines.h"

#include "display_text.h"

#include <algorithm>

namespace qxrfanuc::cli {

namespace {

// Where the line that starts at start ends: at its line end, or at the text's end.
std::size_t line_end(std::string_view text, std::size_t start) {
    return std::min(text.find_first_of("\r\n", start), text.size());
}

} // namespace

ScriptLines::ScriptLines(std::string_view text) : text_(text), end_(line_end(text, 0)) {}

std::size_t ScriptLines::next_start() const {
    return end_ + (text_.substr(end_).starts_with("\r\n") ? 2 : 1);
}

void ScriptLines::next_line() {
    start_ = next_start();
    end_ = line_end(text_, start_);
    ++line_;
}

void ScriptLines::go_to(std::size_t number) {
    if (number < line_) {
        line_ = 1;
        start_ = 0;
        end_ = line_end(text_, 0);
    }
    while (line_ < number && start_ < text_.size()) {
        next_line();
    }
}

std::string_view ScriptLines::line(std::size_t number) {
    go_to(number);
    if (line_ != number || start_ > text_.size()) {
        return {};
    }
    return text_.substr(start_, end_ - start_);
}

TextPlace ScriptLines::place_of(std::size_t offset) {
    if (offset < start_) {
        go_to(1);
    }
    while (next_start() <= offset) {
        next_line();
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
