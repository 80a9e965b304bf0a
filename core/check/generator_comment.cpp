// SPDX-License-Identifier: MIT
#include "generator_comment.h"

#include "digit_run.h"
#include "statement_text.h"
#include "text_bytes.h"

#include <algorithm>

namespace qxrfanuc {

namespace {

std::int64_t value_of(std::string_view digits, bool negative) {
    DigitRun run;
    for (const char c : digits) {
        run.add(c);
    }
    return negative ? -run.value() : run.value();
}

// Takes an optional minus and at least one digit from the front of text.
std::optional<std::int64_t> take_number_front(std::string_view& text) {
    const bool negative = text.starts_with('-');
    std::size_t end = negative ? 1 : 0;
    while (end < text.size() && is_ascii_digit(text[end])) {
        ++end;
    }
    if (end == (negative ? 1U : 0U)) {
        return std::nullopt;
    }
    const auto value = value_of(text.substr(negative ? 1 : 0, end - (negative ? 1 : 0)), negative);
    text.remove_prefix(end);
    return value;
}

// Takes at least one digit and an optional minus from the back of text.
std::optional<std::int64_t> take_number_back(std::string_view& text) {
    std::size_t start = text.size();
    while (start > 0 && is_ascii_digit(text[start - 1])) {
        --start;
    }
    if (start == text.size()) {
        return std::nullopt;
    }
    const auto digits = text.substr(start);
    const bool negative = start > 0 && text[start - 1] == '-';
    text.remove_suffix(digits.size() + (negative ? 1 : 0));
    return value_of(digits, negative);
}

bool take_front(std::string_view& text, std::string_view expected) {
    if (!text.starts_with(expected)) {
        return false;
    }
    text.remove_prefix(expected.size());
    return true;
}

bool take_back(std::string_view& text, std::string_view expected) {
    if (!text.ends_with(expected)) {
        return false;
    }
    text.remove_suffix(expected.size());
    return true;
}

// The comment seen from its start (front) and from its end (back): the whole text both times unless it was
// too long to keep, and then its first and last stretch. The type lies between what is read from each.
struct Ends {
    std::string_view front;
    std::string_view back;
    std::size_t length;
    bool elided;
};

std::optional<GeneratorComment> finish_type(const Ends& ends, std::string_view front_rest,
                                            std::string_view back_rest, GeneratorComment parsed) {
    const std::size_t type_start = ends.front.size() - front_rest.size();
    const std::size_t type_end = ends.length - (ends.back.size() - back_rest.size());
    if (type_end < type_start) {
        return std::nullopt;
    }
    if (ends.elided) {
        parsed.type_text = std::string(front_rest.substr(0, 40)) + "...";
    } else {
        parsed.type_text = std::string(ends.front.substr(type_start, type_end - type_start));
    }
    parsed.general_type = !ends.elided && parsed.type_text == general_register_type;
    return parsed;
}

// Both wordings end in "TYPE F.": takes F from the back, and the type from between the two ends.
std::optional<GeneratorComment> finish_with_fanuc(const Ends& ends, std::string_view front,
                                                  std::string_view back, std::int64_t qxr,
                                                  bool read_wording) {
    const auto fanuc = take_number_back(back);
    if (!fanuc || !take_back(back, statement_text::type_and_register)) {
        return std::nullopt;
    }
    GeneratorComment parsed;
    parsed.read_wording = read_wording;
    parsed.qxr = qxr;
    parsed.fanuc = *fanuc;
    return finish_type(ends, front, back, parsed);
}

// Read Value From Fanuc TYPE F, and Store in QXR Register D.
std::optional<GeneratorComment> parse_read_wording(const Ends& ends) {
    using namespace statement_text;
    std::string_view front = ends.front;
    std::string_view back = ends.back;
    if (!take_front(front, from_fanuc) || !take_back(back, end)) {
        return std::nullopt;
    }
    const auto qxr = take_number_back(back);
    if (!qxr || !take_back(back, into_qxr)) {
        return std::nullopt;
    }
    return finish_with_fanuc(ends, front, back, *qxr, true);
}

// Read Value From QXR Register D, and Store in Fanuc TYPE F.
std::optional<GeneratorComment> parse_write_wording(const Ends& ends) {
    using namespace statement_text;
    std::string_view front = ends.front;
    std::string_view back = ends.back;
    if (!take_front(front, from_qxr)) {
        return std::nullopt;
    }
    const auto qxr = take_number_front(front);
    if (!qxr || !take_front(front, into_fanuc) || !take_back(back, end)) {
        return std::nullopt;
    }
    return finish_with_fanuc(ends, front, back, *qxr, false);
}

} // namespace

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

std::optional<GeneratorComment> parse_generator_comment(const CommentText& comment) {
    std::string whole;
    Ends ends{comment.head(), comment.tail(), comment.length(), comment.elided()};
    if (!comment.elided()) {
        whole = std::string(comment.head()) + std::string(comment.tail());
        ends.front = ends.back = whole;
    }
    if (auto read = parse_read_wording(ends)) {
        return read;
    }
    return parse_write_wording(ends);
}

} // namespace qxrfanuc
