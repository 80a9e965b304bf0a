// SPDX-License-Identifier: MIT
#include "generated_transfers.h"

#include "int16.h"

#include <algorithm>
#include <vector>

namespace qxrfanuc::cli {

void GeneratedTransfers::check(const DecodedInputs& inputs, std::size_t line, std::string_view start,
                               BufferedOutput& err) {
    std::vector<std::string> said;
    const auto say = [&](Check check, const std::string& message) {
        const CheckInfo& info = check_info(check);
        std::string text = std::string(start) + std::string(severity_name(info.severity)) + ": " + message +
                           " [" + std::string(info.name) + "]\n";
        if (std::ranges::find(said, text) == said.end()) {
            err.pending() += text;
            said.push_back(std::move(text));
        }
    };
    std::vector<Transfer> transfers;
    if (choice_ != StatementChoice::WriteOnly) {
        transfers.push_back({inputs, false, line});
    }
    if (choice_ != StatementChoice::ReadOnly) {
        transfers.push_back({inputs, true, line});
    }
    for (const auto& transfer : transfers) {
        checks_.check(transfer, say);
    }
    for (const auto& transfer : transfers) {
        if (!checks_.add(transfer) && all_held_) {
            all_held_ = false;
            err.pending() += std::string(start) +
                             "this record and the later ones are checked against the first " +
                             std::to_string(TransferChecks::most_held) +
                             " transfers only, as many as are held, and not against each other\n";
        }
    }
    err.flush_if_full();
}

DecodedInputs generated_inputs(std::string_view qxr, std::string_view fanuc, std::string_view items,
                               std::string_view type_text) {
    RegisterType type = RegisterType::Position; // every text but the R type's takes the PR rule
    for (const auto& names : register_types) {
        type = names.text == type_text ? names.type : type;
    }
    return {*int16_from_text(qxr), *int16_from_text(fanuc), *int16_from_text(items), type};
}

} // namespace qxrfanuc::cli
