#include "script_strings.h"

#include "int16.h"

#include <cstdint>

namespace qxrfanuc {

namespace {

struct MappingRule {
    std::int16_t address_step;   // words per register
    std::int16_t address_offset; // address of register 1
    std::int16_t words_per_item;
};

constexpr MappingRule general_register_rule{4, 4, 2};
constexpr MappingRule position_register_rule{12, 1001, 12};

struct TransferArguments {
    std::int16_t qxr_index;
    std::int16_t fanuc_address;
    std::int16_t word_count;
};

// Marks an error from a 16-bit operation with the input or computed value it failed on.
Int16Result located(Int16Result result, ErrorPlace place) {
    if (!result) {
        result.error().place = place;
    }
    return result;
}

// ((F - 1) x step) + offset, evaluated as written: each intermediate value is checked, so an F whose
// simplified form would fit can still overflow.
Int16Result fanuc_address(std::int16_t fanuc, const MappingRule& rule) {
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

void append_arguments(std::string& out, const TransferArguments& arguments) {
    append_int16(out, arguments.qxr_index);
    out += ',';
    append_int16(out, arguments.fanuc_address);
    out += ',';
    append_int16(out, arguments.word_count);
}

// Both statements are a few dozen bytes plus the type text; one reservation keeps each to one allocation.
constexpr std::size_t statement_reserve = 96;

std::string build_readstring(const TransferArguments& arguments, std::int16_t qxr, std::int16_t fanuc,
                             std::string_view register_type) {
    std::string out;
    out.reserve(statement_reserve + register_type.size());
    out += "mb.Read(";
    append_arguments(out, arguments);
    out += ",1000);  // Read Value From Fanuc ";
    out += register_type;
    out += ' ';
    append_int16(out, fanuc);
    out += ", and Store in QXR Register ";
    append_int16(out, qxr);
    out += '.';
    return out;
}

std::string build_writestring(const TransferArguments& arguments, std::int16_t qxr, std::int16_t fanuc,
                              std::string_view register_type) {
    std::string out;
    out.reserve(statement_reserve + register_type.size());
    out += "mb.Write(";
    append_arguments(out, arguments);
    out += ",1000);  // Read Value From QXR Register ";
    append_int16(out, qxr);
    out += ", and Store in Fanuc ";
    out += register_type;
    out += ' ';
    append_int16(out, fanuc);
    out += '.';
    return out;
}

} // namespace

std::expected<ScriptStrings, GenerationError> generate_script_strings(std::string_view qxr_text,
                                                                      std::string_view fanuc_text,
                                                                      std::string_view positions_text,
                                                                      std::string_view register_type) {
    // All three conversions run before any arithmetic, in this order, so the first bad box is the one named.
    const auto qxr = located(int16_from_text(qxr_text), ErrorPlace::QxrRegister);
    if (!qxr) {
        return std::unexpected(qxr.error());
    }
    const auto fanuc = located(int16_from_text(fanuc_text), ErrorPlace::FanucRegister);
    if (!fanuc) {
        return std::unexpected(fanuc.error());
    }
    const auto items = located(int16_from_text(positions_text), ErrorPlace::ItemCount);
    if (!items) {
        return std::unexpected(items.error());
    }

    const MappingRule& rule =
        register_type == general_register_type ? general_register_rule : position_register_rule;
    const auto address = located(fanuc_address(*fanuc, rule), ErrorPlace::FanucAddress);
    if (!address) {
        return std::unexpected(address.error());
    }
    const auto words = located(int16_mul(*items, rule.words_per_item), ErrorPlace::WordCount);
    if (!words) {
        return std::unexpected(words.error());
    }

    const TransferArguments arguments{int16_half(*qxr), *address, *words};
    return ScriptStrings{build_readstring(arguments, *qxr, *fanuc, register_type),
                         build_writestring(arguments, *qxr, *fanuc, register_type)};
}

} // namespace qxrfanuc
