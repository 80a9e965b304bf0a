// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qxrfanuc {

// A comment's text kept in constant memory however long it is: each run of digits shortened to its value's
// digits (a run too long for any 16-bit value to a larger stand-in), then the first and the last stretch of
// what remains. A generator-form comment's numbers and fixed texts always lie within those stretches.
class CommentText {
public:
    static constexpr std::size_t stretch = 256;

    void append(char c);
    void append(std::string_view text);
    void finish(); // after the last byte: ends a digit run the text ends with
    void clear();

    [[nodiscard]] bool elided() const { return length_ > head_size_ + tail_size_; }
    [[nodiscard]] std::size_t length() const { return length_; }
    [[nodiscard]] std::string_view head() const { return {head_.data(), head_size_}; }
    [[nodiscard]] std::string_view tail() const { return {tail_.data(), tail_size_}; }

private:
    void keep(char c);
    void keep_digit_run();

    // Fixed buffers rather than strings: a comment is read a byte at a time, on the checker's hot path.
    std::array<char, stretch> head_;
    std::size_t head_size_ = 0;
    std::array<char, 2 * stretch> tail_; // the last stretch to 2 x stretch bytes
    std::size_t tail_size_ = 0;
    std::size_t length_ = 0;
    bool started_ = false;
    std::array<char, 8> digit_run_; // a run's significant digits, as many as tell its value
    std::size_t digit_run_size_ = 0;
    bool in_digit_run_ = false;
    std::size_t significant_digits_ = 0;
    std::string held_blanks_;
    std::size_t held_blank_count_ = 0;
};

} // namespace qxrfanuc
