// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace qxrfanuc {

// A comment's text, without its leading and trailing blanks, kept in constant memory however long it is.
// A comment of up to 3 x stretch bytes, as nearly every one is, is kept as it stands. A longer one is
// shortened: each run of digits to its value's digits (a run too long for any 16-bit value to a larger
// stand-in), then to the first and the last stretch of what remains. A generator-form comment's numbers and
// fixed texts always lie within those stretches, and read the same shortened or not.
class CommentText {
public:
    static constexpr std::size_t stretch = 256;

    void append(char c) { append(std::string_view(&c, 1)); }
    void append(std::string_view text);
    void finish(); // after the last byte: drops trailing blanks, ends a digit run the text ends with
    void clear();

    [[nodiscard]] bool elided() const { return shortening_ && length_ > head_size_ + tail_size_; }
    [[nodiscard]] std::size_t length() const { return shortening_ ? length_ : whole_size_; }
    // After finish(), the whole text when nothing of it was left out (tail() is then empty), else its first
    // and its last stretch.
    [[nodiscard]] std::string_view head() const {
        return shortening_ ? std::string_view(head_.data(), head_size_)
                           : std::string_view(whole_.data(), whole_size_);
    }
    [[nodiscard]] std::string_view tail() const {
        return shortening_ ? std::string_view(tail_.data(), tail_size_) : std::string_view();
    }

private:
    void start_shortening();
    void shorten(char c);
    void keep(char c);
    void keep_digit_run();

    // Fixed buffers rather than strings: a comment is read on the checker's hot path.
    std::array<char, 3 * stretch> whole_; // as much as head_ and tail_ hold together
    std::size_t whole_size_ = 0;
    bool started_ = false; // past the leading blanks
    bool shortening_ = false;

    std::array<char, stretch> head_;
    std::size_t head_size_ = 0;
    std::array<char, 2 * stretch> tail_; // the last stretch to 2 x stretch bytes
    std::size_t tail_size_ = 0;
    std::size_t length_ = 0;
    std::array<char, 8> digit_run_; // a run's significant digits, as many as tell its value
    std::size_t digit_run_size_ = 0;
    bool in_digit_run_ = false;
    std::size_t significant_digits_ = 0;
    std::array<char, stretch> held_blanks_;
    std::size_t held_blank_count_ = 0;
};

} // namespace qxrfanuc
