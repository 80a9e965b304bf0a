// SPDX-License-Identifier: MIT
#include "plan_table.h"

#include "csv.h"
#include "display_text.h"
#include "generated_transfers.h"
#include "int16.h"
#include "messages.h"
#include "register_type_argument.h"
#include "statement_map.h"
#include "text_bytes.h"

#include <algorithm>
#include <array>
#include <optional>

namespace qxrfanuc::cli {

namespace {

enum class PlanColumn : std::uint8_t { Direction, Type, Fanuc, Items, Qxr, Label };

struct PlanColumnInfo {
    PlanColumn column;
    std::string_view name;
    bool required;
};

inline constexpr std::array<PlanColumnInfo, 6> plan_columns{{
    {PlanColumn::Direction, "direction", true},
    {PlanColumn::Type, "type", true},
    {PlanColumn::Fanuc, "fanuc", true},
    {PlanColumn::Items, "items", true},
    {PlanColumn::Qxr, "qxr", false},
    {PlanColumn::Label, "label", false},
}};

bool same_name(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return ascii_lower(x) == ascii_lower(y); });
}

// Where each plan column stands in the header (0-based), if it does.
using ColumnPlaces = std::array<std::optional<std::size_t>, plan_columns.size()>;

struct Header {
    ColumnPlaces places;
    std::size_t columns = 0;
};

std::string known_columns() {
    std::string names;
    for (const auto& info : plan_columns) {
        names += (names.empty() ? "" : ", ") + std::string(info.name);
    }
    return names;
}

// The header's columns, or the first problem with them.
std::expected<Header, CsvProblem> header_of(std::span<const std::string> fields) {
    Header header{{}, fields.size()};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::optional<PlanColumn> plan;
        for (const auto& info : plan_columns) {
            plan = same_name(fields[i], info.name) ? info.column : plan;
        }
        if (!plan) {
            if (std::ranges::none_of(map_columns,
                                     [&](std::string_view name) { return same_name(fields[i], name); })) {
                return std::unexpected(CsvProblem{i + 1, "unknown column " + quoted(fields[i]) +
                                                             "; a plan's columns are " + known_columns() +
                                                             ", and those of a map are left aside"});
            }
            continue;
        }
        auto& place = header.places.at(static_cast<std::size_t>(*plan));
        if (place) {
            return std::unexpected(CsvProblem{i + 1, "the column " + quoted(fields[i]) + " is named twice"});
        }
        place = i;
    }
    for (const auto& info : plan_columns) {
        if (info.required && !header.places.at(static_cast<std::size_t>(info.column))) {
            return std::unexpected(CsvProblem{0, "the header names no column " + std::string(info.name)});
        }
    }
    return header;
}

// A row's field in a plan column; empty for a column the header does not name.
std::string_view field(const Header& header, std::span<const std::string> fields, PlanColumn column) {
    const auto& place = header.places.at(static_cast<std::size_t>(column));
    return place ? std::string_view(fields[*place]) : std::string_view();
}

// The 1-based column of a plan column the header names (every required one does, and a QXR register is
// never at fault where no column holds one).
std::size_t column_of(const Header& header, PlanColumn column) {
    return header.places.at(static_cast<std::size_t>(column)).value_or(0) + 1;
}

std::expected<bool, CsvProblem> is_write_of(const Header& header, std::string_view text) {
    if (same_name(text, write_direction) || same_name(text, read_direction)) {
        return same_name(text, write_direction);
    }
    return std::unexpected(CsvProblem{column_of(header, PlanColumn::Direction),
                                      "unknown direction " + quoted(text) + "; a direction is " +
                                          std::string(read_direction) + " or " +
                                          std::string(write_direction)});
}

// The row's transfer, or the first bad field: the direction, the type, the numbers (with the generator's
// own errors, as batch mode reports them) and the label, in this order.
std::expected<PlanRow, CsvProblem> row_of(const Header& header, std::span<const std::string> fields,
                                          std::size_t line) {
    const auto is_write = is_write_of(header, field(header, fields, PlanColumn::Direction));
    if (!is_write) {
        return std::unexpected(is_write.error());
    }
    const std::string_view type_text = field(header, fields, PlanColumn::Type);
    const auto type = register_type_from_argument(type_text);
    if (!type) {
        return std::unexpected(
            CsvProblem{column_of(header, PlanColumn::Type),
                       "unknown TYPE " + quoted(type_text) + ". " + std::string(accepted_types)});
    }
    const std::string_view qxr = field(header, fields, PlanColumn::Qxr);
    const InputTexts texts{qxr.empty() ? "0" : qxr, field(header, fields, PlanColumn::Fanuc),
                           field(header, fields, PlanColumn::Items)};
    if (const auto statements = generate_script_strings(texts.qxr, texts.fanuc, texts.items, *type);
        !statements) {
        const auto& error = statements.error();
        const std::size_t column =
            input_at_fault(error.place, column_of(header, PlanColumn::Qxr),
                           column_of(header, PlanColumn::Fanuc), column_of(header, PlanColumn::Items));
        return std::unexpected(CsvProblem{column, describe_error(error, texts)});
    }
    const std::string_view label = field(header, fields, PlanColumn::Label);
    if (display_escaped(label) != label) {
        return std::unexpected(CsvProblem{
            column_of(header, PlanColumn::Label),
            "the label " + quoted(label) +
                " holds what a comment cannot show as it stands: a label is UTF-8 text with no control, "
                "format or separator character and no blank but the space"});
    }
    return PlanRow{line, *is_write, generated_inputs(texts.qxr, texts.fanuc, texts.items, *type),
                   !qxr.empty(), std::string(label)};
}

// A row of none of the generator's inputs: what a map has for a statement that decodes to none.
bool has_no_inputs(const Header& header, std::span<const std::string> fields) {
    return std::ranges::all_of(std::array{PlanColumn::Qxr, PlanColumn::Fanuc, PlanColumn::Items},
                               [&](PlanColumn column) { return field(header, fields, column).empty(); });
}

// Reads a table record by record: its header, then its rows.
class TableReader {
public:
    TableReader(PlanTable& table, BufferedOutput& err) : table_(table), err_(err) {}

    void record(const CsvRecord& record) {
        if (!record.fields) {
            report(record.line, record.fields.error());
        } else if (!header_) {
            auto read = header_of(*record.fields);
            header_ = read ? *read : Header{};
            if (!read) {
                report(record.line, read.error());
            }
        } else if (header_->columns > 0) { // else the header was reported: its rows cannot be read
            row(*header_, *record.fields, record.line);
        }
    }

private:
    void row(const Header& header, std::span<const std::string> fields, std::size_t line) {
        if (fields.size() != header.columns) {
            report(line, {0, "expected " + std::to_string(header.columns) +
                                 " fields, as the header names, found " + std::to_string(fields.size())});
        } else if (has_no_inputs(header, fields)) {
            err_.pending() += record_place(line) +
                              "warning: no QXR, FANUC or ITEMS (a map's statement that decodes to no "
                              "generator inputs): skipped\n";
        } else if (table_.rows.size() == max_plan_rows) {
            if (!full_) {
                report(line, {0, "a plan holds at most " + std::to_string(max_plan_rows) +
                                     " rows; this one and those after it are not read"});
            }
            full_ = true;
        } else if (auto read = row_of(header, fields, line)) {
            table_.rows.push_back(std::move(*read));
        } else {
            report(line, read.error());
        }
    }

    void report(std::size_t line, const CsvProblem& problem) {
        err_.pending() += record_place(line, problem.column) + problem.why + '\n';
        err_.flush_if_full();
        table_.whole = false;
    }

    PlanTable& table_;
    BufferedOutput& err_;
    std::optional<Header> header_;
    bool full_ = false; // the rows past the most a plan holds were said
};

} // namespace

PlanTable read_plan_table(std::FILE* input, BufferedOutput& err) {
    PlanTable table;
    TableReader reader(table, err);
    table.read_error = read_csv(input, [&](const CsvRecord& record) { reader.record(record); });
    return table;
}

} // namespace qxrfanuc::cli
