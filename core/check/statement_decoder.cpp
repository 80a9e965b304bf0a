// SPDX-License-Identifier: MIT
#include "statement_decoder.h"

namespace qxrfanuc {

namespace {

// The register that grid_register names, confirmed by running the generator's own checked arithmetic
// forwards: addresses such as -32768 lie on the R grid but belong to a register whose address computation
// overflows.
std::optional<std::int16_t> fanuc_register_at(std::int16_t address, std::int32_t register_number,
                                              const MappingRule& rule) {
    const auto fanuc = int16_checked(register_number);
    if (!fanuc) {
        return std::nullopt;
    }
    const auto forward = fanuc_address(*fanuc, rule);
    return forward && *forward == address ? std::optional(*fanuc) : std::nullopt;
}

bool on_grid(std::int16_t address, const MappingRule& rule) {
    return (std::int32_t{address} - rule.address_offset) % rule.address_step == 0;
}

} // namespace

StatementDecoding decode_statement(std::int16_t qxr_index_argument, std::int16_t fanuc_address_argument,
                                   std::int16_t word_count_argument) {
    StatementDecoding decoding;
    decoding.index_in_range = qxr_index_argument >= min_qxr_index && qxr_index_argument <= max_qxr_index;
    // Every 16-bit register within one of 2 x I is a candidate; the generator's own halving picks them out.
    const std::int32_t twice = 2 * std::int32_t{qxr_index_argument};
    for (std::int32_t qxr = twice - 1; qxr <= twice + 1; ++qxr) {
        const auto candidate = int16_checked(qxr);
        if (candidate && qxr_index(*candidate) == qxr_index_argument) {
            decoding.qxr_candidates.at(decoding.qxr_candidate_count++) = *candidate;
        }
    }
    for (const RegisterType type : {RegisterType::General, RegisterType::Position}) {
        if (on_grid(fanuc_address_argument, mapping_rule(type))) {
            decoding.grid = type;
        }
    }
    if (!decoding.grid) {
        return decoding;
    }
    const MappingRule& rule = mapping_rule(*decoding.grid);
    // The rule undone in 32 bits.
    decoding.grid_register =
        ((std::int32_t{fanuc_address_argument} - rule.address_offset) / rule.address_step) + 1;
    decoding.fanuc = fanuc_register_at(fanuc_address_argument, decoding.grid_register, rule);
    if (word_count_argument % rule.words_per_item == 0) {
        const auto items = static_cast<std::int16_t>(word_count_argument / rule.words_per_item);
        const auto forward = word_count(items, rule);
        if (forward && *forward == word_count_argument) {
            decoding.items = items;
        }
    }
    return decoding;
}

} // namespace qxrfanuc
