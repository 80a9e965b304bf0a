// SPDX-License-Identifier: MIT
#include "plan.h"

#include "free_pairs.h"

#include <algorithm>

namespace qxrfanuc {

namespace {

// The QXR pairs a row covers: none for no items.
struct Pairs {
    std::int32_t first = 0;
    std::int32_t count = 0;
};

Pairs pairs_of(const DecodedInputs& inputs) {
    const auto spans = spans_of(inputs);
    if (!spans) {
        return {};
    }
    return {spans->qxr.first / 2, (spans->qxr.last - spans->qxr.first + 1) / 2};
}

} // namespace

std::expected<void, NoRoom> place_rows(std::span<PlanRow> rows, std::int16_t from) {
    FreePairs free;
    for (const auto& row : rows) {
        if (row.qxr_given) {
            const Pairs taken = pairs_of(row.inputs);
            free.take(taken.first, taken.count);
        }
    }
    const std::int32_t from_pair = (std::int32_t{from} + 1) >> 1; // the lowest even register at or after it
    for (auto& row : rows) {
        if (row.qxr_given) {
            continue;
        }
        row.inputs.qxr = 0;
        const Pairs needed = pairs_of(row.inputs);
        const auto first = free.first_run(from_pair, std::max(needed.count, 1));
        if (!first || *first > highest_placed_qxr / 2) {
            return std::unexpected(NoRoom{row.line, 2 * needed.count});
        }
        row.inputs.qxr = static_cast<std::int16_t>(2 * *first);
        free.take(*first, needed.count);
    }
    return {};
}

void check_rows(std::span<const PlanRow> rows, const std::function<void(const PlanFinding&)>& report) {
    TransferChecks checks(true, rows.size());
    for (const auto& row : rows) {
        const Transfer transfer{row.inputs, row.is_write, row.line};
        checks.check(transfer, [&](Check check, std::string message) {
            const bool meets = check == Check::Overlap || check == Check::QxrOverlap;
            report({row.line, check, std::move(message), meets});
        });
        checks.add(transfer); // as many are held as there are rows
    }
}

} // namespace qxrfanuc
