// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// Text as UTF-16 bytes in either byte order, after its byte order mark, as a Windows editor saves it.
inline std::string utf16_bytes(std::u16string_view text, bool little_endian) {
    std::string out = little_endian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t unit : text) {
        const auto low = static_cast<char>(unit & 0xFF);
        const auto high = static_cast<char>(unit >> 8);
        out += little_endian ? std::string{low, high} : std::string{high, low};
    }
    return out;
}
