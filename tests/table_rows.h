// SPDX-License-Identifier: MIT
#pragma once

// Rows of a test table name themselves: a failure prints the row's name, not its bytes, and the test is
// called by it. A test file takes both into the namespace of its rows with using-declarations.

#include <ostream>
#include <string>

namespace table_rows {

template <typename Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

// The last argument of INSTANTIATE_TEST_SUITE_P.
inline constexpr auto row_name = [](const auto& info) { return std::string(info.param.name); };

} // namespace table_rows
