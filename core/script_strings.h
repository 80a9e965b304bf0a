// SPDX-License-Identifier: MIT
#pragma once

// Generation in three steps: the three input texts become checked 16-bit integers (int16.h), the register
// type picks the mapping rule whose arithmetic is overflow-checked after every single operation, and the
// results are formatted into the read and write statements for the device's background script. Any failure
// stops the generation and comes back as a GenerationError that says what went wrong and where.

#include "generation_error.h"
#include "statement_text.h"

#include <expected>
#include <string>
#include <string_view>

namespace qxrfanuc {

struct ScriptStrings {
    std::string readstring;
    std::string writestring;
};

// register_type selects the R rule only when it is exactly general_register_type; every other text, the
// empty one included, selects the PR rule.
[[nodiscard]] std::expected<ScriptStrings, GenerationError>
generate_script_strings(std::string_view qxr_text, std::string_view fanuc_text,
                        std::string_view positions_text, std::string_view register_type);

} // namespace qxrfanuc
