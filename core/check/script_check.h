// SPDX-License-Identifier: MIT
#pragma once

// The checks on the statements of a background script: whether the generator could have written each one,
// whether its comment says what it does, whether its values lie in the ranges the window suggests, and
// whether writes overlap. Also what each statement decodes to: the generator's inputs, for a map of the
// script and for the comment the generator would write.

#include "checks.h"
#include "script_scanner.h"
#include "statement_text.h"
#include "write_overlaps.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qxrfanuc {

struct Finding {
    Check check;
    std::string message; // plain text; whatever it quotes from a script is escaped for display

    [[nodiscard]] Severity severity() const { return check_info(check).severity; }
    [[nodiscard]] std::string_view name() const { return check_info(check).name; }
};

// The generator's inputs a statement decodes to.
struct DecodedInputs {
    std::int16_t qxr;
    std::int16_t fanuc;
    std::int16_t items;
    RegisterType type;
    bool qxr_from_comment; // the comment named it; else twice the index, one of two registers that fit
};

struct StatementCheck {
    std::vector<Finding> findings;                        // in the order of the table of checks
    std::optional<std::array<std::int64_t, 4>> arguments; // when its arguments are four plain integers
    std::optional<DecodedInputs> inputs;                  // when it decodes to generator inputs
    bool comment_agrees = false;                          // it has a generator comment that tells the truth
};

// The finding for text the scanner did not read as statements.
[[nodiscard]] Finding unread_finding(const UnreadText& text);

// Checks the statements of one script in turn; start a new checker for each script.
class ScriptChecker {
public:
    [[nodiscard]] StatementCheck check(const ScannedStatement& statement);

private:
    WriteOverlaps writes_;
};

} // namespace qxrfanuc
