// SPDX-License-Identifier: MIT
#pragma once

// The inverse of the generator: from a statement's first three arguments, the inputs that the generator
// would have written them from. It reckons with the generator's own rules and checked arithmetic, so the
// two cannot disagree.

#include "statement_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace qxrfanuc {

inline constexpr std::int16_t min_qxr_index = -16384; // the halves of -32768 and 32767
inline constexpr std::int16_t max_qxr_index = 16383;

struct StatementDecoding {
    bool index_in_range = false;                  // I is the half of some 16-bit QXR register
    std::optional<RegisterType> grid;             // General or Position: the rule whose grid A lies on
    std::int32_t grid_register = 0;               // on a grid, the register it places at A, 16-bit or not
    std::optional<std::int16_t> fanuc;            // F, when the generator writes A from it
    std::optional<std::int16_t> items;            // N, when W is a whole number of the grid's items
    std::array<std::int16_t, 3> qxr_candidates{}; // the QXR registers whose half is I, ascending
    std::size_t qxr_candidate_count = 0;

    [[nodiscard]] std::span<const std::int16_t> qxr_registers() const {
        return std::span(qxr_candidates).first(qxr_candidate_count);
    }
};

[[nodiscard]] StatementDecoding decode_statement(std::int16_t qxr_index_argument,
                                                 std::int16_t fanuc_address_argument,
                                                 std::int16_t word_count_argument);

} // namespace qxrfanuc
