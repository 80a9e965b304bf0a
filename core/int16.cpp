// SPDX-License-Identifier: MIT
#include "int16.h"

#include "digit_run.h"
#include "text_bytes.h"

#include <charconv>

namespace qxrfanuc {

static_assert(number_value(int16_range_text.substr(0, int16_range_text.find(' '))) == int16_min &&
              number_value(int16_range_text.substr(int16_range_text.rfind(' ') + 1)) == int16_max);

namespace {

constexpr GenerationError type_mismatch{ErrorKind::TypeMismatch};
constexpr GenerationError overflow{ErrorKind::Overflow};

// More significant digits than this cannot fit in 16 bits, so we stop accumulating and no counter can
// overflow however long the text is.
constexpr std::size_t max_significant_digits = 5;

std::string_view trim_blanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Consumes a run of digits from the front of text and returns it.
std::string_view take_digits(std::string_view& text) {
    std::size_t count = 0;
    while (count < text.size() && is_ascii_digit(text[count])) {
        ++count;
    }
    const auto digits = text.substr(0, count);
    text.remove_prefix(count);
    return digits;
}

// Half to even on the exact decimal fraction: only the first digit and whether anything non-zero follows
// matter.
bool rounds_up(std::string_view fraction, std::int32_t integer_part) {
    if (fraction.empty() || fraction.front() < '5') {
        return false;
    }
    if (fraction.front() > '5') {
        return true;
    }
    const bool beyond_half = fraction.substr(1).find_first_not_of('0') != std::string_view::npos;
    return beyond_half || integer_part % 2 != 0;
}

} // namespace

Int16Result int16_from_text(std::string_view text) {
    auto rest = trim_blanks(text);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    auto integer_digits = take_digits(rest);
    if (integer_digits.empty()) {
        return std::unexpected(type_mismatch);
    }
    std::string_view fraction;
    if (!rest.empty() && rest.front() == '.') {
        rest.remove_prefix(1);
        fraction = take_digits(rest);
        if (fraction.empty()) {
            return std::unexpected(type_mismatch);
        }
    }
    if (!rest.empty()) {
        return std::unexpected(type_mismatch);
    }

    const auto first_significant = integer_digits.find_first_not_of('0');
    integer_digits.remove_prefix(first_significant == std::string_view::npos ? integer_digits.size()
                                                                             : first_significant);
    if (integer_digits.size() > max_significant_digits) {
        return std::unexpected(overflow);
    }
    std::int32_t magnitude = 0;
    for (const char digit : integer_digits) {
        magnitude = magnitude * 10 + (digit - '0');
    }
    if (rounds_up(fraction, magnitude)) {
        ++magnitude;
    }
    return int16_checked(negative ? -magnitude : magnitude);
}

Int16Text::Int16Text(std::int16_t value)
    : size_(static_cast<std::size_t>(std::to_chars(chars_.data(), chars_.data() + chars_.size(), value).ptr -
                                     chars_.data())) {}

std::string int16_to_text(std::int16_t value) {
    return std::string(Int16Text(value).view());
}

} // namespace qxrfanuc
