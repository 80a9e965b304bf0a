// SPDX-License-Identifier: MIT
#pragma once

// The statements' fixed texts and the two mapping rules, in one place: whatever writes a statement or reads
// one back uses these and no copy of them.

#include "enum_table.h"
#include "int16.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qxrfanuc {

inline constexpr std::string_view general_register_type = "General Register [R]";
inline constexpr std::string_view position_register_type = "Position Register [PR]";

// The types a command line or a map names: by their letters, each standing for its full text. The unnamed
// type is the empty text, which the generator writes as it stands (and takes the PR rule for).
enum class RegisterType : std::uint8_t { General, Position, Unnamed };

struct RegisterTypeNames {
    RegisterType type;
    std::string_view letters;
    std::string_view text;
};

inline constexpr std::array<RegisterTypeNames, 3> register_types{{
    {RegisterType::General, "R", general_register_type},
    {RegisterType::Position, "PR", position_register_type},
    {RegisterType::Unnamed, "", ""},
}};

static_assert(rows_in_enum_order(register_types, &RegisterTypeNames::type));

[[nodiscard]] constexpr const RegisterTypeNames& names_of(RegisterType type) {
    return register_types.at(static_cast<std::size_t>(type));
}

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

// The type whose rule and registers a type takes: the unnamed type takes those of the position registers.
[[nodiscard]] constexpr RegisterType rule_type(RegisterType type) {
    return type == RegisterType::General ? RegisterType::General : RegisterType::Position;
}

[[nodiscard]] constexpr const MappingRule& mapping_rule(RegisterType type) {
    return type == RegisterType::General ? general_register_rule : position_register_rule;
}

// ((F - 1) x step) + offset, evaluated as written: each intermediate value is checked, so an F whose
// simplified form would fit can still overflow.
[[nodiscard]] constexpr Int16Result fanuc_address(std::int16_t fanuc, const MappingRule& rule) {
    const auto minus_one = int16_sub(fanuc, 1);
    if (!minus_one) {
        return minus_one;
    }
    const auto scaled = int16_mul(*minus_one, rule.address_step);
    if (!scaled) {
        return scaled;
    }
    return int16_add(*scaled, rule.address_offset);
}

[[nodiscard]] constexpr Int16Result word_count(std::int16_t items, const MappingRule& rule) {
    return int16_mul(items, rule.words_per_item);
}

// The QXR register index a statement carries: the register number halved towards zero.
[[nodiscard]] constexpr std::int16_t qxr_index(std::int16_t qxr_register) {
    return int16_half(qxr_register);
}

// mb.Read(I,A,W,1000);  // Read Value From Fanuc TYPE F, and Store in QXR Register D.
// mb.Write(I,A,W,1000);  // Read Value From QXR Register D, and Store in Fanuc TYPE F.
namespace statement_text {
inline constexpr std::string_view read_name = "mb.Read"; // the two functions, as a script names them
inline constexpr std::string_view write_name = "mb.Write";
inline constexpr std::string_view read_call = "mb.Read(";
inline constexpr std::string_view write_call = "mb.Write(";
static_assert(read_call.starts_with(read_name) && write_call.starts_with(write_name));
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
