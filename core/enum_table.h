// SPDX-License-Identifier: MIT
#pragma once

// Tables with a row for each value of an enumeration, in the enumeration's order, so that a value finds its
// row by position.

#include <cstddef>

namespace qxrfanuc {

// Whether row i of the table is the row of the enumeration's value i, as each row's key member says.
template <typename Table, typename Key>
[[nodiscard]] constexpr bool rows_in_enum_order(const Table& table, Key key) {
    std::size_t index = 0;
    for (const auto& row : table) {
        if (static_cast<std::size_t>(row.*key) != index++) {
            return false;
        }
    }
    return true;
}

} // namespace qxrfanuc
