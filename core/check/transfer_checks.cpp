// SPDX-License-Identifier: MIT
#include "transfer_checks.h"

#include "statement_findings.h"

namespace qxrfanuc {

std::optional<TransferSpans> spans_of(const DecodedInputs& inputs) {
    if (inputs.items <= 0) {
        return std::nullopt;
    }
    const RegisterType registers = rule_type(inputs.type);
    const std::int32_t first_qxr = 2 * std::int32_t{qxr_index(inputs.qxr)};
    const std::int32_t words = std::int32_t{inputs.items} * mapping_rule(registers).words_per_item;
    return TransferSpans{registers,
                         {inputs.fanuc, std::int32_t{inputs.fanuc} + inputs.items - 1},
                         {first_qxr, first_qxr + words - 1}};
}

std::optional<TransferChecks::Met> TransferChecks::latest(const LatestCover& cover, RegisterSpan span) const {
    const std::uint32_t number = cover.latest(span);
    if (number == 0) {
        return std::nullopt;
    }
    const Held& held = held_transfers_[number - 1];
    const auto spans = spans_of(held.inputs); // a transfer is held only when it has spans
    return spans ? std::optional(Met{held.line, *spans}) : std::nullopt;
}

void TransferChecks::check(const Transfer& transfer, const Report& report) const {
    if (auto outside = outside_hints(transfer.inputs)) {
        report(Check::Range, std::move(*outside));
    }
    const auto spans = spans_of(transfer.inputs);
    if (!spans) {
        return;
    }
    if (transfer.inputs.qxr % 2 != 0) {
        report(Check::QxrOdd, odd_qxr(transfer.inputs.qxr, spans->qxr));
    }
    if (transfer.is_write) {
        if (const auto met = latest(fanuc_writes(*this, spans->registers), spans->fanuc)) {
            report(Check::Overlap, fanuc_meets(*spans, met->spans, met->line));
        }
    } else if (const auto met = latest(qxr_reads_, spans->qxr)) {
        report(Check::QxrOverlap, qxr_meets(false, spans->qxr, false, met->spans.qxr, met->line));
    }
    if (reads_meet_writes_) {
        if (const auto met = latest(transfer.is_write ? qxr_reads_ : qxr_writes_, spans->qxr)) {
            report(Check::QxrOverlap,
                   qxr_meets(transfer.is_write, spans->qxr, !transfer.is_write, met->spans.qxr, met->line));
        }
    }
}

bool TransferChecks::add(const Transfer& transfer) {
    const auto spans = spans_of(transfer.inputs);
    if (!spans) {
        return true;
    }
    if (held_transfers_.size() == held_) {
        return false;
    }
    held_transfers_.push_back({transfer.line, transfer.inputs});
    const auto number = static_cast<std::uint32_t>(held_transfers_.size());
    if (transfer.is_write) {
        fanuc_writes(*this, spans->registers).add(spans->fanuc, number);
        qxr_writes_.add(spans->qxr, number);
    } else {
        qxr_reads_.add(spans->qxr, number);
    }
    return true;
}

} // namespace qxrfanuc
