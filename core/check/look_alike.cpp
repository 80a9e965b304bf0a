// SPDX-License-Identifier: MIT
#include "look_alike.h"

#include "text_bytes.h"

namespace qxrfanuc {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

void LookAlikeFinder::start(char c, std::size_t line, std::size_t column) {
    state_ = State::Idle;
    if (lower(c) == 'm' && !joins_a_name(previous_)) {
        state_ = State::AfterM;
        line_ = line;
        column_ = column;
        other_case_ = c != 'm';
        split_ = line_break_ = no_break_space_ = no_break_lead_ = false;
    }
}

// Blanks, comments and the no-break space (U+00A0, in UTF-8 or as one Latin-1 byte) between the parts.
bool LookAlikeFinder::blank(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (no_break_lead_) {
        no_break_lead_ = false;
        if (byte == 0xA0) {
            no_break_space_ = true;
            return true;
        }
        return false;
    }
    if (byte == 0xC2) {
        no_break_lead_ = true;
        return true;
    }
    if (byte == 0xA0) {
        no_break_space_ = true;
        return true;
    }
    return is_script_blank(c);
}

bool LookAlikeFinder::take_in_state(char c, std::size_t line, std::size_t column) {
    bool found = false;
    switch (state_) {
    case State::Idle:
        start(c, line, column);
        break;
    case State::AfterM:
        if (lower(c) == 'b') {
            state_ = State::AfterMb;
            other_case_ = other_case_ || c != 'b';
        } else {
            start(c, line, column);
        }
        break;
    case State::AfterMb:
    case State::AfterDot:
        if (blank(c)) {
            split_ = true;
        } else if (state_ == State::AfterMb && c == '.' && !no_break_lead_) {
            state_ = State::AfterDot;
        } else if (state_ == State::AfterDot && (lower(c) == 'r' || lower(c) == 'w') && !no_break_lead_) {
            name_ = lower(c) == 'r' ? statement_text::read_name : statement_text::write_name;
            matched_ = 4;
            other_case_ = other_case_ || c != name_[3];
            state_ = State::InName;
        } else {
            start(c, line, column);
        }
        break;
    case State::InName:
        if (matched_ < name_.size() && lower(c) == lower(name_[matched_])) {
            other_case_ = other_case_ || c != name_[matched_];
            ++matched_;
        } else if (matched_ == name_.size() && !joins_a_name(c) && blank(c)) {
            state_ = State::AfterName;
        } else if (matched_ == name_.size() && c == '(') {
            state_ = State::AfterName;
            return take_in_state(c, line, column);
        } else {
            start(c, line, column);
        }
        break;
    case State::AfterName:
        if (c == '(' && !no_break_lead_) {
            if (other_case_ || split_ || line_break_ || no_break_space_) {
                found_ = LookAlike{line_, column_, reason()};
                found = true;
            }
            state_ = State::Idle;
        } else if (!blank(c)) {
            start(c, line, column);
        }
        break;
    }
    previous_ = c;
    return found;
}

void LookAlikeFinder::line_end() {
    previous_ = '\n';
    no_break_lead_ = false;
    if (state_ == State::AfterM || (state_ == State::InName && matched_ < name_.size())) {
        state_ = State::Idle;
    } else if (state_ != State::Idle) {
        if (state_ == State::InName) {
            state_ = State::AfterName;
        }
        line_break_ = true;
    }
}

std::string LookAlikeFinder::reason() const {
    const std::string name(name_);
    if (no_break_space_) {
        return "a no-break space stands inside " + name + "(, which is read only with plain blanks";
    }
    if (line_break_) {
        return name + " and its ( are on different lines";
    }
    if (split_) {
        return "blanks or a comment split the name " + name;
    }
    return name + " is written in other letter case";
}

} // namespace qxrfanuc
