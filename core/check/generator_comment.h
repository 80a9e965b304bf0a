// SPDX-License-Identifier: MIT
#pragma once

// The six comments the generator writes, read back: after a read statement
//   Read Value From Fanuc TYPE F, and Store in QXR Register Q.
// and after a write statement
//   Read Value From QXR Register Q, and Store in Fanuc TYPE F.
// with TYPE one of the three type texts (the empty one leaves two blanks), F and Q an optional minus and
// digits. A comment is one of these byte for byte but for its numbers, after the blanks it starts with, or
// it is not; words after the final period are the script's own.

#include "statement_text.h"

#include <cstdint>
#include <expected>
#include <string_view>

namespace qxrfanuc {

// A number as the script writes it, and its value; a number beyond 16 bits stays beyond them.
struct WrittenNumber {
    std::int64_t value = 0;
    std::string_view text;
};

struct GeneratorComment {
    bool read_wording = false; // a read statement's wording
    RegisterType type = RegisterType::General;
    WrittenNumber fanuc;        // F
    WrittenNumber qxr;          // Q
    std::size_t form_start = 0; // in the comment's text: where its first word starts
    std::size_t form_end = 0;   // just past its final period
};

// How both wordings begin.
inline constexpr std::string_view generator_comment_start = "Read Value From";
static_assert(statement_text::from_fanuc.starts_with(generator_comment_start) &&
              statement_text::from_qxr.starts_with(generator_comment_start));

// The comment's form, or how many bytes of the text, from its start, follow one of the six.
[[nodiscard]] std::expected<GeneratorComment, std::size_t> read_generator_comment(std::string_view comment);

// Whether a comment names a register: a digit and one of the words register, fanuc and qxr, in any letter
// case, once every non-ASCII byte and control character is left out.
[[nodiscard]] bool mentions_register(std::string_view comment);

} // namespace qxrfanuc
