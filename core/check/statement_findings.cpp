// SPDX-License-Identifier: MIT
#include "statement_findings.h"

#include "digit_run.h"
#include "range_hints.h"

#include <algorithm>

namespace qxrfanuc {

namespace {

// The last argument the generator writes, as a number: read from its text once, not written out for each
// statement to compare.
constexpr std::int64_t last_argument_value = *number_value(statement_text::last_argument);

constexpr std::array<std::string_view, 4> argument_roles{"QXR index", "Fanuc address", "word count",
                                                         "last argument"};

std::string letters(RegisterType type) {
    return std::string(names_of(type).letters);
}

bool is_16_bit(std::int64_t value) {
    return value >= int16_min && value <= int16_max;
}

// Its value, or for one with more digits than any 16-bit number the script's own digits, which say so.
std::string number(const WrittenNumber& number) {
    if (!is_huge(number.value)) {
        return std::to_string(number.value);
    }
    return number_as_written(number.text) + " (more digits than any 16-bit number has)";
}

std::string range_text(RangeHint hint) {
    return std::to_string(hint.low) + " to " + std::to_string(hint.high);
}

bool outside(std::int64_t value, RangeHint hint) {
    return value < hint.low || value > hint.high;
}

// "multiples of 4" for the R rule, "1001 + 12k" for the PR rule: read off the rule itself.
std::string grid_text(RegisterType type) {
    const MappingRule& rule = mapping_rule(type);
    if (rule.address_offset % rule.address_step == 0) {
        return "multiples of " + std::to_string(rule.address_step);
    }
    return std::to_string(rule.address_offset) + " + " + std::to_string(rule.address_step) + "k";
}

std::string join(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& part : parts) {
        out += out.empty() ? part : "; " + part;
    }
    return out;
}

std::string address_message(std::int16_t address, const StatementDecoding& decoding) {
    using enum RegisterType;
    if (!decoding.grid) {
        return "Fanuc address " + std::to_string(address) + " is on neither the " + letters(General) +
               " grid (" + grid_text(General) + ") nor the " + letters(Position) + " grid (" +
               grid_text(Position) + ")";
    }
    return "Fanuc address " + std::to_string(address) + " is on the " + letters(*decoding.grid) +
           " grid, but the generator cannot write it: register " + letters(*decoding.grid) + " " +
           std::to_string(decoding.grid_register) + " overflows its 16-bit arithmetic";
}

// "its type General Register [R] takes the R rule", "it names no type, which takes the PR rule".
std::string type_rule(RegisterType type) {
    const RegisterType rule = rule_type(type);
    const std::string named = type == RegisterType::Unnamed
                                  ? "it names no type, which"
                                  : "its type \"" + std::string(names_of(type).text) + "\"";
    return named + " takes the " + letters(rule) + " rule";
}

std::string registers_text(RegisterType registers, RegisterSpan span) {
    const std::string first = letters(registers) + "[" + std::to_string(span.first) + "]";
    return span.first == span.last
               ? first
               : first + " to " + letters(registers) + "[" + std::to_string(span.last) + "]";
}

// The Fanuc addresses of the span's first and last register, by the type's rule, in 32 bits.
std::string addresses_text(RegisterType registers, RegisterSpan span) {
    const MappingRule& rule = mapping_rule(registers);
    const auto address = [&](std::int32_t fanuc) {
        return std::to_string(((fanuc - 1) * rule.address_step) + rule.address_offset);
    };
    return span.first == span.last ? "Fanuc address " + address(span.first)
                                   : "Fanuc addresses " + address(span.first) + " to " + address(span.last);
}

std::string qxr_text(RegisterSpan span) {
    return "QXR " + std::to_string(span.first) +
           (span.first == span.last ? std::string() : " to " + std::to_string(span.last));
}

// The registers two spans that meet both cover.
RegisterSpan meeting(RegisterSpan span, RegisterSpan other) {
    return {std::max(span.first, other.first), std::min(span.last, other.last)};
}

std::string_view verb(bool is_write) {
    return is_write ? "sends" : "fills";
}

} // namespace

std::string odd_qxr(std::int16_t qxr, RegisterSpan span) {
    return "QXR register " + std::to_string(qxr) +
           " is odd, and the index names the even one below it: the transfer covers " + qxr_text(span);
}

std::string fanuc_meets(const TransferSpans& spans, const TransferSpans& earlier, std::size_t line) {
    const RegisterSpan met = meeting(spans.fanuc, earlier.fanuc);
    return "writes " + registers_text(spans.registers, met) + " (" + addresses_text(spans.registers, met) +
           "), which the write at line " + std::to_string(line) + " also writes (" +
           registers_text(earlier.registers, earlier.fanuc) + ", " +
           addresses_text(earlier.registers, earlier.fanuc) + ")";
}

std::string qxr_meets(bool is_write, RegisterSpan span, bool earlier_is_write, RegisterSpan earlier,
                      std::size_t line) {
    const RegisterSpan met = meeting(span, earlier);
    return std::string(verb(is_write)) + " " + qxr_text(met) + ", which the " +
           (earlier_is_write ? "write" : "read") + " at line " + std::to_string(line) +
           (is_write == earlier_is_write ? " also " : " ") + std::string(verb(earlier_is_write)) + " (" +
           qxr_text(earlier) + ")";
}

std::string number_as_written(std::string_view text) {
    constexpr std::size_t shown = 20;
    if (text.size() <= shown + 4) {
        return std::string(text);
    }
    return std::string(text.substr(0, shown)) + "... (" + std::to_string(text.size()) + " characters)";
}

std::optional<std::string> arguments_outside(const std::array<std::int64_t, 4>& arguments,
                                             const std::array<std::string_view, 4>& texts) {
    std::vector<std::string> parts;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (!is_16_bit(arguments.at(i))) {
            parts.push_back("argument " + std::to_string(i + 1) + " (" + std::string(argument_roles.at(i)) +
                            ") " + number({arguments.at(i), texts.at(i)}) + " is outside " +
                            std::string(int16_range_text));
        }
    }
    return parts.empty() ? std::nullopt : std::optional(join(parts));
}

std::vector<CheckAndMessage> argument_findings(const std::array<std::int16_t, 4>& a,
                                               const StatementDecoding& decoding) {
    std::vector<CheckAndMessage> found;
    if (!decoding.index_in_range) {
        found.push_back({Check::Index, "QXR index " + std::to_string(a[0]) + " is outside " +
                                           range_text({min_qxr_index, max_qxr_index}) +
                                           ": no 16-bit QXR register halves to it"});
    }
    if (!decoding.grid || !decoding.fanuc) {
        found.push_back({Check::Address, address_message(a[1], decoding)});
    }
    if (decoding.grid && !decoding.items) {
        found.push_back({Check::Words, "word count " + std::to_string(a[2]) + " is not a whole number of " +
                                           letters(*decoding.grid) + " items (" +
                                           std::to_string(mapping_rule(*decoding.grid).words_per_item) +
                                           " words each)"});
    }
    if (a[3] != last_argument_value) {
        found.push_back({Check::LastArgument, "last argument is " + std::to_string(a[3]) +
                                                  "; the generator always writes " +
                                                  std::string(statement_text::last_argument)});
    }
    return found;
}

std::optional<std::string> outside_hints(const DecodedInputs& inputs) {
    std::vector<std::string> parts;
    if (outside(inputs.qxr, qxr_register_hint)) {
        parts.push_back("QXR register " + std::to_string(inputs.qxr) + " is outside " +
                        range_text(qxr_register_hint));
    }
    const RegisterType grid = rule_type(inputs.type);
    const bool general = grid == RegisterType::General;
    const RangeHint fanuc_hint = general ? general_fanuc_hint : position_fanuc_hint;
    if (outside(inputs.fanuc, fanuc_hint)) {
        parts.push_back("Fanuc register " + letters(grid) + " " + std::to_string(inputs.fanuc) +
                        " is outside " + range_text(fanuc_hint));
    }
    const RangeHint items_hint = general ? general_items_hint : position_items_hint;
    if (inputs.items <= 0) {
        parts.push_back("item count " + std::to_string(inputs.items) + " transfers nothing");
    } else if (outside(inputs.items, items_hint)) {
        parts.push_back("item count " + std::to_string(inputs.items) + " is outside " +
                        range_text(items_hint));
    }
    return parts.empty() ? std::nullopt : std::optional(join(parts));
}

std::string disagreement(const GeneratorComment& comment, bool is_write, std::int16_t index,
                         const StatementDecoding& decoding) {
    std::vector<std::string> found;
    if (comment.read_wording == is_write) {
        found.push_back("it is worded as " +
                        std::string(is_write ? statement_text::read_name : statement_text::write_name) +
                        "'s");
    }
    if (decoding.grid && *decoding.grid != rule_type(comment.type)) {
        found.push_back(type_rule(comment.type) + ", but the address is on the " + letters(*decoding.grid) +
                        " grid");
    }
    if (decoding.grid && decoding.fanuc && comment.fanuc.value != *decoding.fanuc) {
        found.push_back("it names Fanuc register " + number(comment.fanuc) +
                        ", but the address is register " + letters(*decoding.grid) + " " +
                        std::to_string(*decoding.fanuc));
    }
    if (!is_16_bit(comment.qxr.value)) {
        found.push_back("it names QXR register " + number(comment.qxr) + ", which is no 16-bit number (" +
                        std::string(int16_range_text) + ")");
    } else if (qxr_index(static_cast<std::int16_t>(comment.qxr.value)) != index) {
        found.push_back("it names QXR register " + number(comment.qxr) +
                        ", whose half is not the QXR index " + std::to_string(index));
    }
    return join(found);
}

} // namespace qxrfanuc
