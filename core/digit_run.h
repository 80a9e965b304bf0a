// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qxrfanuc {

// What a number with more significant digits than any 16-bit value has is read as: it compares unequal to
// every 16-bit value and lies outside every 16-bit range, whatever its length.
inline constexpr std::int64_t huge_number = 99'999'999;

[[nodiscard]] constexpr bool is_huge(std::int64_t value) {
    return value == huge_number || value == -huge_number;
}

// The value of an optional sign and at least one decimal digit, of any length; leading zeros are skipped.
[[nodiscard]] constexpr std::optional<std::int64_t> number_value(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    int significant = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        significant += value > 0 || digit != '0' ? 1 : 0;
        value = significant > 7 ? huge_number : (value * 10) + (digit - '0');
    }
    if (text.empty()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

} // namespace qxrfanuc
