// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

namespace qxrfanuc::cli {

// R, PR, the two full type names, or the empty text (as when the list was opened and nothing was picked).
// Returns the register type text to generate with, or nothing for any other argument.
[[nodiscard]] std::optional<std::string_view> register_type_from_argument(std::string_view argument);

// One line that tells which TYPE arguments are accepted, for usage messages.
inline constexpr std::string_view accepted_types =
    R"(TYPE is R, PR, "General Register [R]", "Position Register [PR]" or "" (no type picked).)";

} // namespace qxrfanuc::cli
