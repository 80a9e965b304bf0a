// SPDX-License-Identifier: MIT
#include "statement_map.h"

#include "csv.h"
#include "digit_run.h"
#include "display_text.h"
#include "statement_findings.h"

namespace qxrfanuc::cli {

namespace {

void append_arguments(std::string& text, const Statement& statement) {
    const auto arguments = statement.arguments.value_or(std::array<std::int64_t, 4>{});
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        // As written where no value stands for it: a number with more digits than any 16-bit one has.
        text += ',' + (is_huge(arguments.at(i)) ? number_as_written(statement.argument_texts.at(i))
                                                : std::to_string(arguments.at(i)));
    }
}

void append_inputs(std::string& text, const std::optional<DecodedInputs>& inputs) {
    if (!inputs) {
        text += ",,,,";
        return;
    }
    text += ',' + std::to_string(inputs->qxr) + ',' + std::to_string(inputs->fanuc) + ',' +
            std::to_string(inputs->items) + ',';
    text += names_of(inputs->type).letters;
}

// What the transfer covers, for a spreadsheet to sort and filter by: empty for no items.
void append_spans(std::string& text, const std::optional<DecodedInputs>& inputs) {
    const auto spans = inputs ? spans_of(*inputs) : std::nullopt;
    if (!spans) {
        text += ",,,,,";
        return;
    }
    for (const std::int32_t end :
         {spans->qxr.first, spans->qxr.last, spans->fanuc.first, spans->fanuc.last}) {
        text += ',' + std::to_string(end);
    }
    text += ',';
    text += names_of(spans->registers).letters;
}

} // namespace

std::string map_header() {
    std::string header;
    for (const auto column : map_columns) {
        header += (header.empty() ? "" : ",") + std::string(column);
    }
    return header + std::string(csv_row_end);
}

void append_map_row(std::string& text, std::string_view file, const Statement& statement,
                    const StatementMeaning& meaning) {
    text += file;
    text += ',' + std::to_string(statement.line) + ',' + std::to_string(statement.column) + ',';
    text += statement.is_write ? statement_text::write_name : statement_text::read_name;
    append_arguments(text, statement);
    append_inputs(text, meaning.inputs);
    append_spans(text, meaning.inputs);
    text += ',';
    text += statement.is_write ? write_direction : read_direction;
    // Shown as plain text, as a finding quotes a script: a label a plan takes is shown as it stands.
    text += ',' + csv_field(display_escaped(meaning.label));
    text += csv_row_end;
}

} // namespace qxrfanuc::cli
