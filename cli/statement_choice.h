// SPDX-License-Identifier: MIT
#pragma once

#include "script_strings.h"

#include <string>

namespace qxrfanuc::cli {

enum class StatementChoice { Both, ReadOnly, WriteOnly };

// The chosen statements, each followed by a line feed.
inline void append_statements(std::string& out, const ScriptStrings& statements, StatementChoice choice) {
    if (choice != StatementChoice::WriteOnly) {
        out += statements.readstring;
        out += '\n';
    }
    if (choice != StatementChoice::ReadOnly) {
        out += statements.writestring;
        out += '\n';
    }
}

} // namespace qxrfanuc::cli
