// SPDX-License-Identifier: MIT
#pragma once

// The pieces a script's text is read as, one at a time from any offset: what the language makes of each
// byte. A line ends at LF, CR LF or a lone CR (as old Macs and some controllers' editors write them); a //
// comment runs to its line's end, a /* comment to its */, across lines; a string ("..." or '...') to its
// closing quote on its line, a backslash escaping the character after it.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qxrfanuc {

enum class TokenKind : std::uint8_t {
    Code,         // one byte of code
    LineEnd,      // LF, CR LF or CR
    LineComment,  // from its // to its line's end
    BlockComment, // from its /* past its */
    OpenComment,  // a /* never closed: to the end of the text
    String,       // from its quote past the closing one
    OpenString,   // a string never closed: to its line's end
};

struct Token {
    TokenKind kind;
    std::size_t start;
    std::size_t end; // past its last byte

    [[nodiscard]] bool is_comment() const {
        return kind == TokenKind::LineComment || kind == TokenKind::BlockComment;
    }
    // A comment's text: past its // or /*, up to its line's end or its */.
    [[nodiscard]] std::string_view comment_text(std::string_view text) const {
        const std::size_t close = kind == TokenKind::BlockComment ? 2 : 0;
        return text.substr(start + 2, end - start - 2 - close);
    }
};

// The token that starts at offset at, which is below the text's size.
[[nodiscard]] Token token_at(std::string_view text, std::size_t at);

} // namespace qxrfanuc
