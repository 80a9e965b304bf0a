// SPDX-License-Identifier: MIT
#include "script_tokens.h"

#include "text_bytes.h"

namespace qxrfanuc {

namespace {

std::size_t line_end_from(std::string_view text, std::size_t at) {
    while (at < text.size() && !ends_a_line(text[at])) {
        ++at;
    }
    return at;
}

Token string_at(std::string_view text, std::size_t at) {
    const char quote = text[at];
    for (std::size_t i = at + 1; i < text.size() && !ends_a_line(text[i]); ++i) {
        if (text[i] == quote) {
            return {TokenKind::String, at, i + 1};
        }
        if (text[i] == '\\' && i + 1 < text.size() && !ends_a_line(text[i + 1])) {
            ++i;
        }
    }
    return {TokenKind::OpenString, at, line_end_from(text, at)};
}

} // namespace

Token token_at(std::string_view text, std::size_t at) {
    const char c = text[at];
    if (ends_a_line(c)) {
        return {TokenKind::LineEnd, at, at + (text.substr(at, 2) == "\r\n" ? 2 : 1)};
    }
    if (c == '"' || c == '\'') {
        return string_at(text, at);
    }
    const std::string_view rest = text.substr(at);
    if (rest.starts_with("//")) {
        return {TokenKind::LineComment, at, line_end_from(text, at)};
    }
    if (rest.starts_with("/*")) {
        const std::size_t close = text.find("*/", at + 2);
        return close == std::string_view::npos ? Token{TokenKind::OpenComment, at, text.size()}
                                               : Token{TokenKind::BlockComment, at, close + 2};
    }
    return {TokenKind::Code, at, at + 1};
}

} // namespace qxrfanuc
