// SPDX-License-Identifier: MIT
#include "csv.h"

#include "line_reader.h"
#include "text_bytes.h"

#include <algorithm>

namespace qxrfanuc::cli {

namespace {

// The first bytes of a text that a spreadsheet takes for a formula.
constexpr std::string_view formula_starts = "=+-@";
constexpr char formula_guard = '\'';

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_script_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_script_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string unguarded(std::string_view text) {
    const bool guarded = text.size() > 1 && text[0] == formula_guard &&
                         (formula_starts.find(text[1]) != std::string_view::npos || text[1] == formula_guard);
    return std::string(guarded ? text.substr(1) : text);
}

// A quoted field from its opening quote: its text, and where the record goes on after it.
std::expected<std::string, std::string> quoted_field(std::string_view& rest) {
    std::string text;
    for (std::size_t at = 1; at < rest.size(); ++at) {
        if (rest[at] != '"') {
            text += rest[at];
        } else if (at + 1 < rest.size() && rest[at + 1] == '"') {
            text += '"';
            ++at;
        } else {
            rest.remove_prefix(at + 1);
            rest = trimmed(rest);
            if (!rest.empty() && rest.front() != ',') {
                return std::unexpected("text after the closing quote; a quote inside a quoted field is "
                                       "doubled (\"a \"\"b\"\"\")");
            }
            return text;
        }
    }
    return std::unexpected("the quoted field is not closed on its line (a field holds no line break)");
}

} // namespace

std::expected<std::vector<std::string>, CsvProblem> csv_fields(std::string_view record) {
    std::vector<std::string> fields;
    std::string_view rest = record;
    for (bool more = true; more;) {
        const std::size_t column = fields.size() + 1;
        rest = trimmed(rest);
        if (rest.starts_with('"')) {
            auto text = quoted_field(rest);
            if (!text) {
                return std::unexpected(CsvProblem{column, text.error()});
            }
            fields.push_back(unguarded(*text));
        } else {
            const auto field = trimmed(rest.substr(0, rest.find(',')));
            if (field.find('"') != std::string_view::npos) {
                return std::unexpected(CsvProblem{
                    column, "a field that holds a quote is quoted as a whole, with the quote doubled "
                            "(\"a \"\"b\"\"\")"});
            }
            fields.push_back(unguarded(field));
            rest.remove_prefix(std::min(rest.find(','), rest.size()));
        }
        more = rest.starts_with(',');
        rest.remove_prefix(more ? 1 : 0);
    }
    return fields;
}

std::string csv_field(std::string_view text) {
    // A text that starts with the guard gets one too, so that the reader, which takes off one, leaves it.
    const bool guard = !text.empty() && (formula_starts.find(text.front()) != std::string_view::npos ||
                                         text.front() == formula_guard);
    std::string guarded = (guard ? std::string(1, formula_guard) : std::string()) + std::string(text);
    const bool quote =
        guarded.find_first_of(",\"\r\n") != std::string::npos || guarded.starts_with('#') ||
        (!guarded.empty() && (is_script_blank(guarded.front()) || is_script_blank(guarded.back())));
    if (!quote) {
        return guarded;
    }
    std::string out = "\"";
    for (const char c : guarded) {
        out += c;
        if (c == '"') {
            out += c;
        }
    }
    return out + '"';
}

int read_csv(std::FILE* input, const std::function<void(const CsvRecord&)>& on_record) {
    std::size_t line_number = 0;
    std::vector<std::string> fields;
    return read_lines(input, [&](const Line& line) {
        ++line_number;
        // A comment is skipped whatever its length.
        if (line.first == '#' || line.length == 0) {
            return;
        }
        if (line.is_overlong()) {
            on_record({line_number, std::unexpected(CsvProblem{0, "record of " + std::to_string(line.length) +
                                                                      " bytes is longer than the limit of " +
                                                                      std::to_string(max_line_bytes) +
                                                                      " bytes; skipped"})});
            return;
        }
        auto read = csv_fields(line.text);
        if (!read) {
            on_record({line_number, std::unexpected(std::move(read.error()))});
            return;
        }
        fields = std::move(*read);
        if (std::ranges::all_of(fields, [](const std::string& field) { return field.empty(); })) {
            return;
        }
        on_record({line_number, std::span<const std::string>(fields)});
    });
}

std::string record_place(std::size_t line, std::size_t column) {
    std::string place = "line " + std::to_string(line) + ": ";
    if (column > 0) {
        place += "column " + std::to_string(column) + ": ";
    }
    return place;
}

} // namespace qxrfanuc::cli
