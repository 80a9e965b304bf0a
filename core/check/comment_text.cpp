// SPDX-License-Identifier: MIT
#include "comment_text.h"

#include "text_bytes.h"

#include <algorithm>

namespace qxrfanuc {

void CommentText::append(std::string_view text) {
    if (!started_) {
        while (!text.empty() && is_script_blank(text.front())) {
            text.remove_prefix(1);
        }
        started_ = !text.empty();
    }
    if (!shortening_ && text.size() <= whole_.size() - whole_size_) {
        std::copy(text.begin(), text.end(), whole_.begin() + static_cast<std::ptrdiff_t>(whole_size_));
        whole_size_ += text.size();
        return;
    }
    if (!shortening_) {
        start_shortening();
    }
    for (const char c : text) {
        shorten(c);
    }
}

// The comment outgrows the whole-text buffer: what it holds so far is shortened like the rest.
void CommentText::start_shortening() {
    shortening_ = true;
    for (const char c : std::string_view(whole_.data(), whole_size_)) {
        shorten(c);
    }
}

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

void CommentText::shorten(char c) {
    if (in_digit_run_ && !is_ascii_digit(c)) {
        keep_digit_run();
    }
    // Blanks are held back until something follows them, so that however many trail the text, neither
    // end of it is lost to them.
    if (is_script_blank(c)) {
        if (held_blank_count_ < held_blanks_.size()) {
            held_blanks_[held_blank_count_] = c;
        }
        ++held_blank_count_;
        return;
    }
    // A run of blanks longer than the held ones lies in an elided middle, where only its length counts.
    for (std::size_t i = 0; i < held_blank_count_; ++i) {
        keep(i < held_blanks_.size() ? held_blanks_[i] : ' ');
    }
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

void CommentText::finish() {
    if (!shortening_) {
        while (whole_size_ > 0 && is_script_blank(whole_[whole_size_ - 1])) {
            --whole_size_;
        }
        return;
    }
    if (in_digit_run_) {
        keep_digit_run();
    }
    held_blank_count_ = 0;
    if (!elided()) {
        // Shortened, but nothing left out: in one piece again, as a comment kept whole is.
        char* const end = std::copy_n(head_.data(), head_size_, whole_.data());
        std::copy_n(tail_.data(), tail_size_, end);
        whole_size_ = length_;
        shortening_ = false;
    }
}

void CommentText::clear() {
    whole_size_ = 0;
    started_ = false;
    shortening_ = false;
    head_size_ = 0;
    tail_size_ = 0;
    length_ = 0;
    digit_run_size_ = 0;
    in_digit_run_ = false;
    significant_digits_ = 0;
    held_blank_count_ = 0;
}

} // namespace qxrfanuc
