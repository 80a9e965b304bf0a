// SPDX-License-Identifier: MIT
#pragma once

// Writes a script back with every comment telling the truth: each statement that decodes to the generator's
// inputs and ends its line gets the generator's own comment for those inputs, in place of a missing, lying
// or misshapen one. A comment of the script's own (not the generator's wording) is kept and reported. Every
// other byte, line ends included, is written as read. Holds one line at a time.

#include "buffered_output.h"
#include "script_reader.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qxrfanuc::cli {

class CommentFix {
public:
    explicit CommentFix(BufferedOutput& out) : out_(out) {}

    // The next bytes of the script, read through reader, which reports the statements of each line to
    // statement() before the line is written.
    void feed(std::string_view bytes, ScriptReader& reader);
    void finish(ScriptReader& reader);

    // Notes what it does to the statement's comment, if anything; the edit is made when its line is written.
    [[nodiscard]] std::vector<Finding> statement(const ScannedStatement& statement,
                                                 const StatementCheck& result);

    [[nodiscard]] std::size_t comments_written() const { return comments_written_; }

private:
    struct Edit {
        std::size_t from; // byte offsets in the line
        std::size_t to;
        std::string text;
    };

    void decide(ScriptReader& reader);
    void take(std::string_view bytes, ScriptReader& reader);
    void end_line(ScriptReader& reader, std::string_view line_end);

    BufferedOutput& out_;
    std::string sample_; // the first bytes, until the encoding is known
    bool decided_ = false;
    bool refused_ = false;
    std::string line_; // the current line, without its line end
    bool after_carriage_return_ = false;
    std::size_t line_number_ = 1;
    std::size_t byte_order_mark_ = 0; // its length at the start of the first line
    std::vector<Edit> edits_;
    std::size_t comments_written_ = 0;
};

} // namespace qxrfanuc::cli
