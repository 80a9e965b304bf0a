// SPDX-License-Identifier: MIT
#pragma once

// The checks on the statements of a background script: whether the generator could have written each one,
// whether its comment says what it does, whether its values lie in the ranges the window suggests, and
// whether writes overlap. Also what each statement decodes to, for a map that regenerates the script.

#include "script_scanner.h"
#include "write_overlaps.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qxrfanuc {

enum class Severity : std::uint8_t { Error, Warning, Note };

[[nodiscard]] std::string_view severity_name(Severity severity); // "error", "warning", "note"

struct Finding {
    Severity severity;
    std::string_view check; // "unchecked", "argument", "index", ... as in --help
    std::string message;
};

// The generator's inputs a statement decodes to.
struct DecodedInputs {
    std::int16_t qxr;
    std::int16_t fanuc;
    std::int16_t items;
    bool general; // R, else PR
};

struct StatementCheck {
    std::vector<Finding> findings;                        // in the order the checks are listed
    std::optional<std::array<std::int16_t, 4>> arguments; // when checked and every argument is 16-bit
    std::optional<DecodedInputs> inputs;                  // when decodable
};

// Checks the statements of one script in turn; start a new checker for each script.
class ScriptChecker {
public:
    [[nodiscard]] StatementCheck check(const ScannedStatement& statement);

private:
    WriteOverlaps writes_;
};

} // namespace qxrfanuc
