// SPDX-License-Identifier: MIT
#include "register_type_argument.h"

#include "statement_text.h"

namespace qxrfanuc::cli {

std::optional<std::string_view> register_type_from_argument(std::string_view argument) {
    for (const auto& names : register_types) {
        if (argument == names.letters || argument == names.text) {
            return names.text;
        }
    }
    return std::nullopt;
}

} // namespace qxrfanuc::cli
