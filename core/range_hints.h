// SPDX-License-Identifier: MIT
#pragma once

// The ranges the window suggests beside its boxes ("Range 12 - 16,000", "R[1 - 200]", ...): what the
// engineers' Fanuc programs and QXR scripts use. Nothing is refused for lying outside them; the script
// checker warns.

#include <cstdint>

namespace qxrfanuc {

struct RangeHint {
    std::int16_t low;
    std::int16_t high;
};

inline constexpr RangeHint qxr_register_hint{12, 16000};
inline constexpr RangeHint general_fanuc_hint{1, 200};
inline constexpr RangeHint position_fanuc_hint{1, 250};
inline constexpr RangeHint general_items_hint{1, 30};
inline constexpr RangeHint position_items_hint{1, 4};

} // namespace qxrfanuc
