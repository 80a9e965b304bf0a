// SPDX-License-Identifier: MIT
#pragma once

// One rule for text that may run as a statement but is not read as one: mb . NAME ( where, once blanks,
// comments, line breaks and invisible characters are left out and letter case is folded, NAME is read or
// write or one letter edit from one (a letter added, dropped or changed, or two neighbours swapped), any
// other non-ASCII character standing for any letter. The device may have other functions, so the rule goes
// no further than one edit.

#include <cstddef>
#include <optional>
#include <string_view>

namespace qxrfanuc {

struct LookAlike {
    std::size_t end;         // just past its (
    std::string_view target; // the statement it may run as: mb.Read or mb.Write
};

// The look-alike whose first letter stands at `at`, if one does; the caller has found no statement there.
[[nodiscard]] std::optional<LookAlike> look_alike_at(std::string_view text, std::size_t at);

} // namespace qxrfanuc
