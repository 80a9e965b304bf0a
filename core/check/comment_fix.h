// SPDX-License-Identifier: MIT
#pragma once

// Makes a statement's comment tell the truth: a statement that decodes to the generator's inputs and ends
// its line gets the generator's own comment for those inputs, in place of a missing, lying or misshapen one,
// as an edit of the script's text; words of the script's own after the generator's form stay. A comment of
// the script's own (not in the generator's wording) is kept,
// and a note says so; where two or three QXR registers halve to the index and no comment named one, the
// even one is written, and a note says so.

#include "generator_comment.h"
#include "script_check.h"
#include "statement_decoder.h"

namespace qxrfanuc {

// Adds the edit and its notes to the statement's check, when there is one to make.
void fix_comment(const Statement& statement, const StatementDecoding& decoding,
                 const std::optional<GeneratorComment>& comment, StatementCheck& result);

} // namespace qxrfanuc
