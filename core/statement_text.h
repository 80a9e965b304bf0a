// SPDX-License-Identifier: MIT
#pragma once

// The statements' fixed texts and the two mapping rules, in one place: whatever writes a statement or reads
// one back uses these and no copy of them.

#include <cstdint>
#include <string_view>

namespace qxrfanuc {

inline constexpr std::string_view general_register_type = "General Register [R]";
inline constexpr std::string_view position_register_type = "Position Register [PR]";

// Fanuc register F of a type lies at address ((F - 1) x address_step) + address_offset; an item is
// words_per_item 16-bit words.
struct MappingRule {
    std::int16_t address_step;
    std::int16_t address_offset;
    std::int16_t words_per_item;
};

inline constexpr MappingRule general_register_rule{4, 4, 2};
inline constexpr MappingRule position_register_rule{12, 1001, 12};

// Only the exact text general_register_type selects the R rule; every other text, the empty one included,
// selects the PR rule.
[[nodiscard]] constexpr const MappingRule& mapping_rule(std::string_view register_type) {
    return register_type == general_register_type ? general_register_rule : position_register_rule;
}

// mb.Read(I,A,W,1000);  // Read Value From Fanuc TYPE F, and Store in QXR Register D.
// mb.Write(I,A,W,1000);  // Read Value From QXR Register D, and Store in Fanuc TYPE F.
namespace statement_text {
inline constexpr std::string_view read_call = "mb.Read(";
inline constexpr std::string_view write_call = "mb.Write(";
inline constexpr std::string_view separator = ",";
inline constexpr std::string_view last_argument = "1000";
inline constexpr std::string_view call_end = ");  // ";
inline constexpr std::string_view from_fanuc = "Read Value From Fanuc ";
inline constexpr std::string_view into_qxr = ", and Store in QXR Register ";
inline constexpr std::string_view from_qxr = "Read Value From QXR Register ";
inline constexpr std::string_view into_fanuc = ", and Store in Fanuc ";
inline constexpr std::string_view type_and_register = " "; // between the type text and F
inline constexpr std::string_view end = ".";
} // namespace statement_text

} // namespace qxrfanuc
