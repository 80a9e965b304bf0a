// SPDX-License-Identifier: MIT
#pragma once

// What the checks say of one statement's arguments, of its inputs, and of a comment in the generator's form
// beside it: the words of each finding, in one place.

#include "generator_comment.h"
#include "script_check.h"
#include "statement_decoder.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qxrfanuc {

// The part of a message for each argument outside 16 bits, joined; none when all four are 16-bit.
[[nodiscard]] std::optional<std::string> arguments_outside(const std::array<std::int64_t, 4>& arguments,
                                                           const std::array<std::string_view, 4>& texts);

struct CheckAndMessage {
    Check check;
    std::string message;
};

// The index, address, words and last-argument findings of 16-bit arguments, in the table's order.
[[nodiscard]] std::vector<CheckAndMessage> argument_findings(const std::array<std::int16_t, 4>& arguments,
                                                             const StatementDecoding& decoding);

// The range finding of a statement's inputs, if it has one.
[[nodiscard]] std::optional<std::string> outside_hints(const DecodedInputs& inputs);

// How a comment in the generator's form disagrees with its statement, as far as the statement tells: its
// wording always, its type when the address lies on a grid, its Fanuc register when the generator writes
// the address, and its QXR register always. Empty when it agrees.
[[nodiscard]] std::string disagreement(const GeneratorComment& comment, bool is_write, std::int16_t index,
                                       const StatementDecoding& decoding);

} // namespace qxrfanuc
