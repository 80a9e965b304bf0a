// SPDX-License-Identifier: MIT
#pragma once

#include "buffered_output.h"
#include "statement_choice.h"

#include <cstdio>

namespace qxrfanuc::cli {

// Generates the statements for every record QXR,FANUC,ITEMS,TYPE read from input, one a line, and returns
// the exit status: 0 when every record succeeded, else that of the first failed record.
[[nodiscard]] int run_batch(std::FILE* input, BufferedOutput& out, BufferedOutput& err,
                            StatementChoice choice);

} // namespace qxrfanuc::cli
