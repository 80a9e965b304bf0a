// SPDX-License-Identifier: MIT
#pragma once

// Comma-separated values as spreadsheets write and read them (RFC 4180), for the records of --batch, the
// tables of --plan and the map of --check: fields separated by commas, a field in double quotes when it holds
// a comma or a quote (each quote inside doubled), blanks around a field not part of it. A record is one line:
// a quoted field ends on its line, since no field the program reads may hold a line break.

#include <cstddef>
#include <cstdio>
#include <expected>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qxrfanuc::cli {

// What is wrong with a record: at a field (its 1-based column), or with the whole record (column 0).
struct CsvProblem {
    std::size_t column = 0;
    std::string why;
};

// The fields of one record, each with the blanks around it, its quotes and the guard csv_field puts before a
// text that starts like a formula left out (a ' before =, +, -, @ or '); or the first field that is not
// written as RFC 4180 has it.
[[nodiscard]] std::expected<std::vector<std::string>, CsvProblem> csv_fields(std::string_view record);

// One field, written so that csv_fields and a spreadsheet read it back as the same text: in quotes when it
// holds a comma, a quote or a line break, starts with # or starts or ends with a blank; with a ' before a
// text that begins with =, +, - or @, so that no spreadsheet cell runs it as a formula (and before one that
// begins with ', so that it reads back as it stands).
[[nodiscard]] std::string csv_field(std::string_view text);

// A record read: the line it stands on, and its fields or what is wrong with it.
struct CsvRecord {
    std::size_t line = 0;
    std::expected<std::span<const std::string>, CsvProblem> fields;
};

// Calls on_record for each record of the input, skipping a UTF-8 byte order mark at its start, empty lines,
// lines that start with # and records whose fields are all empty (a spreadsheet's empty row); a line longer
// than the line reader keeps is a problem of its record. Returns 0, or the error number when the input could
// not be read.
[[nodiscard]] int read_csv(std::FILE* input, const std::function<void(const CsvRecord&)>& on_record);

// "line 3: column 2: " or "line 3: ", as problems and findings begin.
[[nodiscard]] std::string record_place(std::size_t line, std::size_t column = 0);

} // namespace qxrfanuc::cli
