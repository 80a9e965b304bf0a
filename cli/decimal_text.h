// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <string>

namespace qxrfanuc {

// Appends value's decimal digits to text without the temporary string of std::to_string: a finding's line
// is written for every finding, one for every write when a script's writes all overlap.
inline void append_decimal(std::string& text, std::int64_t value) {
    std::array<char, 24> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    // A pointer and a length: the pair of iterators would go through a temporary string.
    text.append(digits.data(), static_cast<std::size_t>(result.ptr - digits.data()));
}

} // namespace qxrfanuc
