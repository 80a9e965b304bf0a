// SPDX-License-Identifier: MIT
// Checks int16_from_text against a reference written differently: a grammar check character by
// character, and rounding decided by comparing the fraction's digits with "5" as text.
#include "int16.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using qxrfanuc::ErrorKind;

struct Parts {
    bool negative = false;
    std::string integer;
    std::string fraction;
};

bool digit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks, sign, digits, optional point and digits, blanks; nothing else.
bool parse(std::string_view text, Parts& parts) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i++] == '-';
    }
    while (i < text.size() && digit(text[i])) {
        parts.integer += text[i++];
    }
    if (parts.integer.empty()) {
        return false;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && digit(text[i])) {
            parts.fraction += text[i++];
        }
        if (parts.fraction.empty()) {
            return false;
        }
    }
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    return i == text.size();
}

void fail_if(bool failed) {
    if (failed) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto result = qxrfanuc::int16_from_text(text);

    Parts parts;
    if (!parse(text, parts)) {
        fail_if(result.has_value() || result.error().kind != ErrorKind::TypeMismatch);
        return 0;
    }
    if (result) {
        // a converted value's text converts back to itself
        fail_if(qxrfanuc::int16_from_text(qxrfanuc::int16_to_text(*result)) != *result);
    }

    const auto first_significant = parts.integer.find_first_not_of('0');
    const std::string integer =
        first_significant == std::string::npos ? "0" : parts.integer.substr(first_significant);
    if (integer.size() > 6) {
        fail_if(result.has_value() || result.error().kind != ErrorKind::Overflow);
        return 0;
    }
    std::string fraction = parts.fraction;
    fraction.erase(fraction.find_last_not_of('0') + 1);
    std::int64_t magnitude = std::stoll(integer);
    const int against_half = fraction.compare("5");
    if (!fraction.empty() && (against_half > 0 || (against_half == 0 && magnitude % 2 == 1))) {
        ++magnitude;
    }
    const std::int64_t expected = parts.negative ? -magnitude : magnitude;
    if (expected < -32768 || expected > 32767) {
        fail_if(result.has_value() || result.error().kind != ErrorKind::Overflow);
    } else {
        fail_if(!result.has_value() || *result != expected);
    }
    return 0;
}
