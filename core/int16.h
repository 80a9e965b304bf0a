#pragma once

#include "generation_error.h"

#include <cstdint>
#include <expected>
#include <string>
#include <string_view>

namespace qxrfanuc {

using Int16Result = std::expected<std::int16_t, GenerationError>;

inline constexpr std::int16_t int16_min = -32768;
inline constexpr std::int16_t int16_max = 32767;

// Reads the number in an input box: optional blanks, an optional + or -, ASCII digits, optionally a full stop
// and more digits, optional blanks. A fraction rounds half to even, like the controller's own conversion.
// Anything else is TypeMismatch; a number outside the 16-bit range is Overflow. Independent of the locale.
[[nodiscard]] Int16Result int16_from_text(std::string_view text);

// Plain decimal: no leading zeros, no plus sign, no grouping.
[[nodiscard]] std::string int16_to_text(std::int16_t value);

// Writes the same text as int16_to_text at the end of out, without a temporary string.
void append_int16(std::string& out, std::int16_t value);

// Each checks its exact result against the 16-bit range and fails with Overflow outside it.
[[nodiscard]] Int16Result int16_sub(std::int16_t a, std::int16_t b);
[[nodiscard]] Int16Result int16_mul(std::int16_t a, std::int16_t b);
[[nodiscard]] Int16Result int16_add(std::int16_t a, std::int16_t b);

// Truncates towards zero; cannot overflow.
[[nodiscard]] std::int16_t int16_half(std::int16_t value);

} // namespace qxrfanuc
