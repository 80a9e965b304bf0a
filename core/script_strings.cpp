#include "script_strings.h"

#include "int16.h"
#include "statement_writer.h"

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

// Room for the longest statement: its fixed text, the register type, five numbers of up to six characters,
// and the padding that the last number may write beyond its digits.
std::size_t statement_room(std::string_view register_type) {
    constexpr std::size_t fixed_text = 80;
    constexpr std::size_t five_numbers = std::size_t{5} * 6;
    return fixed_text + register_type.size() + five_numbers + Int16Text::capacity;
}

// The numbers a statement quotes, each already written out.
struct StatementNumbers {
    Int16Text qxr;
    Int16Text fanuc;
    Int16Text qxr_index;
    Int16Text fanuc_address;
    Int16Text word_count;
};

void put_arguments(StatementWriter& out, const StatementNumbers& numbers) {
    out.put(numbers.qxr_index);
    out.put(",");
    out.put(numbers.fanuc_address);
    out.put(",");
    out.put(numbers.word_count);
    out.put(",1000);  // ");
}

std::string build_readstring(const StatementNumbers& numbers, std::string_view register_type) {
    return write_statement(statement_room(register_type), [&](StatementWriter& out) {
        out.put("mb.Read(");
        put_arguments(out, numbers);
        out.put("Read Value From Fanuc ");
        out.put(register_type);
        out.put(" ");
        out.put(numbers.fanuc);
        out.put(", and Store in QXR Register ");
        out.put(numbers.qxr);
        out.put(".");
    });
}

std::string build_writestring(const StatementNumbers& numbers, std::string_view register_type) {
    return write_statement(statement_room(register_type), [&](StatementWriter& out) {
        out.put("mb.Write(");
        put_arguments(out, numbers);
        out.put("Read Value From QXR Register ");
        out.put(numbers.qxr);
        out.put(", and Store in Fanuc ");
        out.put(register_type);
        out.put(" ");
        out.put(numbers.fanuc);
        out.put(".");
    });
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

    const StatementNumbers numbers{Int16Text(*qxr), Int16Text(*fanuc), Int16Text(int16_half(*qxr)),
                                   Int16Text(*address), Int16Text(*words)};
    return ScriptStrings{build_readstring(numbers, register_type), build_writestring(numbers, register_type)};
}

} // namespace qxrfanuc
