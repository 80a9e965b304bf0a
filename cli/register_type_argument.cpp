// SPDX-License-Identifier: MIT
#include "register_type_argument.h"

#include "script_strings.h"

namespace qxrfanuc::cli {

std::optional<std::string_view> register_type_from_argument(std::string_view argument) {
    if (argument == "R" || argument == general_register_type) {
        return general_register_type;
    }
    if (argument == "PR" || argument == position_register_type) {
        return position_register_type;
    }
    if (argument.empty()) {
        return std::string_view{};
    }
    return std::nullopt;
}

} // namespace qxrfanuc::cli
