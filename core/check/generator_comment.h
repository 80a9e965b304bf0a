// SPDX-License-Identifier: MIT
#pragma once

// A statement's // comment, read back to see whether it is in the form the generator writes:
//   Read Value From Fanuc TYPE F, and Store in QXR Register D.     (a read statement's)
//   Read Value From QXR Register D, and Store in Fanuc TYPE F.     (a write statement's)
// TYPE is any text, the empty one included; F and D are an optional minus and digits of any length.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qxrfanuc {

// A number as the script writes it, and its value; a number beyond 16 bits stays beyond them.
struct WrittenNumber {
    std::int64_t value = 0;
    std::string_view text;
};

struct GeneratorComment {
    bool read_wording = false;    // a read statement's wording
    bool general_type = false;    // TYPE is exactly the R type text, so it selects the R rule
    std::string_view type_text;   // TYPE as read, in the comment it was read from
    WrittenNumber fanuc;          // F
    WrittenNumber qxr;            // D
    std::string_view words_after; // what follows the form's final period: the script's own words, if any
};

// How both wordings begin.
inline constexpr std::string_view generator_comment_start = "Read Value From";

// The comment's parts when it starts with the generator's form; leading and trailing blanks do not count.
// Words after the form's final period, a second form among them, are the script's own.
[[nodiscard]] std::optional<GeneratorComment> parse_generator_comment(std::string_view comment);

// For a comment that begins like the generator's but is not in its form, the first place it leaves it.
[[nodiscard]] std::optional<std::string> generator_form_break(std::string_view comment);

// For a comment that holds the generator's wording dressed otherwise (other letter case, invisible
// characters, words before it), so that it is not compared, a note that says so and why.
[[nodiscard]] std::optional<std::string> hidden_generator_wording(std::string_view comment);

// Whether the comment holds the generator's wording, however it is dressed.
[[nodiscard]] bool holds_generator_wording(std::string_view comment);

// The number after the first "QXR Register " in the comment, however misshapen the rest is.
[[nodiscard]] std::optional<std::int64_t> named_qxr_register(std::string_view comment);

} // namespace qxrfanuc
