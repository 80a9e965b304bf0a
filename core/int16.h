// SPDX-License-Identifier: MIT
#pragma once

#include "generation_error.h"

#include <array>
#include <cstdint>
#include <expected>
#include <string>
#include <string_view>

namespace qxrfanuc {

using Int16Result = std::expected<std::int16_t, GenerationError>;

inline constexpr std::int16_t int16_min = -32768;
inline constexpr std::int16_t int16_max = 32767;
inline constexpr std::string_view int16_range_text = "-32768 to 32767"; // for messages

// Reads the number in an input box: optional blanks, an optional + or -, ASCII digits, optionally a full stop
// and more digits, optional blanks. A fraction rounds half to even, like the controller's own conversion.
// Anything else is TypeMismatch; a number outside the 16-bit range is Overflow. Independent of the locale.
[[nodiscard]] Int16Result int16_from_text(std::string_view text);

// Plain decimal: no leading zeros, no plus sign, no grouping.
[[nodiscard]] std::string int16_to_text(std::int16_t value);

// The same text in a fixed buffer, for building statements without temporary strings.
class Int16Text {
public:
    static constexpr std::size_t capacity = 6; // "-32768"

    explicit Int16Text(std::int16_t value);
    [[nodiscard]] std::string_view view() const { return {chars_.data(), size_}; }

private:
    std::array<char, capacity> chars_{};
    std::size_t size_ = 0;
};

// Checks an exact result against the 16-bit range. Inline with the operations below: they sit on the
// generation's hot path and are a handful of instructions each.
[[nodiscard]] constexpr Int16Result int16_checked(std::int32_t exact) {
    if (exact < int16_min || exact > int16_max) {
        return std::unexpected(GenerationError{ErrorKind::Overflow});
    }
    return static_cast<std::int16_t>(exact);
}

// Each fails with Overflow when its exact result lies outside the 16-bit range.
[[nodiscard]] constexpr Int16Result int16_sub(std::int16_t a, std::int16_t b) {
    return int16_checked(std::int32_t{a} - b);
}
[[nodiscard]] constexpr Int16Result int16_mul(std::int16_t a, std::int16_t b) {
    return int16_checked(std::int32_t{a} * b);
}
[[nodiscard]] constexpr Int16Result int16_add(std::int16_t a, std::int16_t b) {
    return int16_checked(std::int32_t{a} + b);
}

// Truncates towards zero; cannot overflow.
[[nodiscard]] constexpr std::int16_t int16_half(std::int16_t value) {
    return static_cast<std::int16_t>(value / 2);
}

} // namespace qxrfanuc
