// SPDX-License-Identifier: MIT
#pragma once

// A plan: transfers, each a read or a write with the generator's inputs, some with a QXR register of their
// own and the others given the lowest free one; then checked as the checker checks a script's statements.

#include "checks.h"
#include "transfer_checks.h"

#include <cstdint>
#include <expected>
#include <functional>
#include <span>
#include <string>

namespace qxrfanuc {

struct PlanRow {
    std::size_t line = 0; // where it stands in its table
    bool is_write = false;
    DecodedInputs inputs;   // its QXR register given, or placed
    bool qxr_given = false; // else it is placed
    std::string label;      // words of its own, for its statement's comment
};

// A row that finds no free QXR registers: its line, and how many registers it takes.
struct NoRoom {
    std::size_t line;
    std::int32_t registers;
};

// The highest QXR register a row is placed at: the highest even 16-bit number.
inline constexpr std::int16_t highest_placed_qxr = 32766;

// Gives each row without a QXR register, in the order they stand, the lowest even register at or after from
// where its registers meet no other row's: neither those of a row with a register of its own, wherever it
// stands, nor those of a row placed before it. A row of no items gets the lowest free even register and
// takes none. Stops at the first row that finds no room.
[[nodiscard]] std::expected<void, NoRoom> place_rows(std::span<PlanRow> rows, std::int16_t from);

struct PlanFinding {
    std::size_t line;
    Check check;
    std::string message;
    bool refuses; // transfers that meet refuse the plan; the others are said and the plan stands
};

// The checker's findings on each row against those before it, in the order of the rows.
void check_rows(std::span<const PlanRow> rows, const std::function<void(const PlanFinding&)>& report);

} // namespace qxrfanuc
