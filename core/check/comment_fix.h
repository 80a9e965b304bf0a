// SPDX-License-Identifier: MIT
#pragma once

// The edits that make a statement's comment tell the truth, written only where no text can be lost: the
// generator's comment where a statement that ends its line has none, and the generator's form in place of a
// form that says something else, the words after its final period kept.

#include "generator_comment.h"
#include "script_check.h"

#include <span>
#include <string>

namespace qxrfanuc {

// The comment the generator writes for the inputs, from its first word on.
[[nodiscard]] std::string generator_comment_for(const DecodedInputs& inputs, bool is_write);

// The generator's comment for a statement that ends its line with none: past its ; or in place of an empty
// // comment after it.
[[nodiscard]] Edit added_comment(std::string_view text, const Statement& statement,
                                 const DecodedInputs& inputs);

// The generator's form in place of the comment's, whose text starts at text_offset.
[[nodiscard]] Edit rewritten_form(std::size_t text_offset, const GeneratorComment& form,
                                  const DecodedInputs& inputs, bool is_write);

// The note for a QXR register chosen among those that halve to the index.
[[nodiscard]] std::string qxr_choice(std::span<const std::int16_t> registers, std::int16_t written);

} // namespace qxrfanuc
