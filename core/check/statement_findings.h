// SPDX-License-Identifier: MIT
#pragma once

// What the checks say of one statement's arguments, of its inputs, and of a comment in the generator's form
// beside it: the words of each finding, in one place.

#include "generator_comment.h"
#include "statement_decoder.h"
#include "transfer_checks.h"

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

// A transfer's odd QXR register, with the registers it fills or sends.
[[nodiscard]] std::string odd_qxr(std::int16_t qxr, RegisterSpan span);

// A write's Fanuc registers that an earlier write's meet, with both spans, registers first, addresses second.
[[nodiscard]] std::string fanuc_meets(const TransferSpans& spans, const TransferSpans& earlier,
                                      std::size_t line);

// A transfer's QXR registers that an earlier transfer's meet.
[[nodiscard]] std::string qxr_meets(bool is_write, RegisterSpan span, bool earlier_is_write,
                                    RegisterSpan earlier, std::size_t line);

// A number's text as the script writes it, shortened visibly when it is very long.
[[nodiscard]] std::string number_as_written(std::string_view text);

// How a comment in the generator's form disagrees with its statement, as far as the statement tells: its
// wording always, its type when the address lies on a grid, its Fanuc register when the generator writes
// the address, and its QXR register always. Empty when it agrees.
[[nodiscard]] std::string disagreement(const GeneratorComment& comment, bool is_write, std::int16_t index,
                                       const StatementDecoding& decoding);

} // namespace qxrfanuc
