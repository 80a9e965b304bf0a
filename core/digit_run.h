// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace qxrfanuc {

// The value of a run of decimal digits of any length, read one digit at a time in constant memory. Leading
// zeros are skipped; a run with more significant digits than any 16-bit value has keeps only the fact that
// it is larger, as huge(), which compares unequal to every 16-bit value and lies outside every 16-bit range.
class DigitRun {
public:
    static constexpr std::int64_t huge = 99'999'999;

    constexpr void add(char digit) {
        ++digits_;
        if (significant_ == 0 && digit == '0') {
            return;
        }
        ++significant_;
        value_ = significant_ > 7 ? huge : (value_ * 10) + (digit - '0');
    }
    [[nodiscard]] constexpr bool empty() const { return digits_ == 0; }
    [[nodiscard]] constexpr std::int64_t value() const { return value_; }
    constexpr void clear() { *this = DigitRun(); }

private:
    std::int64_t value_ = 0;
    std::int64_t digits_ = 0;
    int significant_ = 0;
};

} // namespace qxrfanuc
