// SPDX-License-Identifier: MIT
#pragma once

// What --check would say of the statements the generator writes: values outside the window's hints, zero
// or fewer items, an odd QXR register, and (for many inputs) a transfer that meets an earlier input's on
// either side. Said on standard error; the statements and the status stay as they are.

#include "buffered_output.h"
#include "statement_choice.h"
#include "transfer_checks.h"

#include <string>
#include <string_view>

namespace qxrfanuc::cli {

class GeneratedTransfers {
public:
    // Printed both ways, an input's read and write are one transfer each way, so reads meet only reads and
    // writes only writes.
    explicit GeneratedTransfers(StatementChoice choice)
        : choice_(choice), checks_(choice != StatementChoice::Both) {}

    // One line on err for each finding of the input's statements, each once, against the inputs before;
    // start begins each line ("line 3: ", or the program's name).
    void check(const DecodedInputs& inputs, std::size_t line, std::string_view start, BufferedOutput& err);

private:
    StatementChoice choice_;
    TransferChecks checks_;
    bool all_held_ = true;
};

// The inputs of texts the generator has taken: their 16-bit values, and the register type of the type text.
[[nodiscard]] DecodedInputs generated_inputs(std::string_view qxr, std::string_view fanuc,
                                             std::string_view items, std::string_view type_text);

} // namespace qxrfanuc::cli
