// SPDX-License-Identifier: MIT
#include "comment_text.h"

#include "text_bytes.h"

#include <algorithm>

namespace qxrfanuc {

void CommentText::keep(char c) {
    ++length_;
    if (head_size_ < head_.size()) {
        head_[head_size_++] = c;
        return;
    }
    if (tail_size_ == tail_.size()) {
        std::copy(tail_.begin() + stretch, tail_.end(), tail_.begin());
        tail_size_ = stretch;
    }
    tail_[tail_size_++] = c;
}

void CommentText::keep_digit_run() {
    if (digit_run_size_ == 0) {
        keep('0');
    }
    for (std::size_t i = 0; i < digit_run_size_; ++i) {
        keep(digit_run_[i]);
    }
    digit_run_size_ = 0;
    in_digit_run_ = false;
    significant_digits_ = 0;
}

void CommentText::append(char c) {
    // Leading blanks are not part of the text; trailing ones are held back until something follows them,
    // so that however many there are, neither end of the text is lost to them.
    if (!started_ && is_script_blank(c)) {
        return;
    }
    started_ = true;
    if (in_digit_run_ && !is_ascii_digit(c)) {
        keep_digit_run();
    }
    if (is_script_blank(c)) {
        if (held_blanks_.size() < stretch) {
            held_blanks_ += c;
        }
        ++held_blank_count_;
        return;
    }
    // A run of blanks longer than the held ones lies in an elided middle, where only its length counts.
    for (std::size_t i = 0; i < held_blank_count_; ++i) {
        keep(i < held_blanks_.size() ? held_blanks_[i] : ' ');
    }
    held_blanks_.clear();
    held_blank_count_ = 0;
    if (!is_ascii_digit(c)) {
        keep(c);
        return;
    }
    in_digit_run_ = true;
    if (digit_run_size_ == 0 && c == '0') {
        return;
    }
    // Eight significant digits already say "beyond 16 bits"; more would only grow the run.
    if (++significant_digits_ <= digit_run_.size()) {
        digit_run_[digit_run_size_++] = c;
    }
}

void CommentText::append(std::string_view text) {
    for (const char c : text) {
        append(c);
    }
}

void CommentText::finish() {
    if (in_digit_run_) {
        keep_digit_run();
    }
    held_blanks_.clear();
    held_blank_count_ = 0;
}

void CommentText::clear() {
    head_size_ = 0;
    tail_size_ = 0;
    length_ = 0;
    started_ = false;
    digit_run_size_ = 0;
    in_digit_run_ = false;
    significant_digits_ = 0;
    held_blanks_.clear();
    held_blank_count_ = 0;
}

} // namespace qxrfanuc
