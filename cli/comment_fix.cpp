// SPDX-License-Identifier: MIT
#include "comment_fix.h"

#include "script_strings.h"
#include "statement_decoder.h"
#include "text_bytes.h"

#include <algorithm>

namespace qxrfanuc::cli {

namespace {

// The comment the generator writes after "//" for the statement's inputs.
std::string generator_comment_for(const DecodedInputs& inputs, bool is_write) {
    const auto statements = generate_script_strings(std::to_string(inputs.qxr), std::to_string(inputs.fanuc),
                                                    std::to_string(inputs.items), names_of(inputs.type).text);
    const std::string& statement = is_write ? statements->writestring : statements->readstring;
    return statement.substr(statement.find(statement_text::call_end) + statement_text::call_end.size());
}

} // namespace

std::vector<Finding> CommentFix::statement(const ScannedStatement& statement, const StatementCheck& result) {
    std::vector<Finding> notes;
    if (!result.inputs || !result.arguments || result.comment_agrees || !statement.rest_of_line ||
        statement.line != line_number_) {
        return notes;
    }
    const auto& inputs = *result.inputs;
    if (statement.comment != nullptr && !statement.comment->head().starts_with(generator_comment_start)) {
        notes.push_back(
            {Check::OwnComment, "the script's own comment is kept, so the generator's is not written"});
        return notes;
    }
    const std::string comment = generator_comment_for(inputs, statement.is_write);
    const std::size_t start = statement.line == 1 ? byte_order_mark_ : 0;
    if (statement.comment != nullptr) {
        edits_.push_back({start + statement.comment_column + 1, std::string::npos, " " + comment});
    } else {
        const std::size_t at = start + statement.end_column - 1;
        edits_.push_back({at, at, std::string(statement_text::call_end.substr(2)) + comment});
    }
    ++comments_written_;
    const auto& arguments = *result.arguments;
    const auto decoding =
        decode_statement(static_cast<std::int16_t>(arguments[0]), static_cast<std::int16_t>(arguments[1]),
                         static_cast<std::int16_t>(arguments[2]));
    const auto registers = decoding.qxr_registers();
    if (!inputs.qxr_from_comment && registers.size() > 1) {
        std::string all = std::to_string(registers.front());
        for (std::size_t i = 1; i < registers.size(); ++i) {
            all += (i + 1 == registers.size() ? " and " : ", ") + std::to_string(registers[i]);
        }
        notes.push_back({Check::QxrChoice,
                         "QXR registers " + all + (registers.size() == 2 ? " both" : " all") +
                             " halve to the QXR index " + std::to_string(arguments[0]) +
                             "; the comment written names " + std::to_string(inputs.qxr) + ", the even one"});
    }
    return notes;
}

void CommentFix::feed(std::string_view bytes, ScriptReader& reader) {
    if (!decided_) {
        const auto taken = std::min(bytes.size(), ScriptReader::sample_size - sample_.size());
        sample_.append(bytes.substr(0, taken));
        bytes.remove_prefix(taken);
        if (sample_.size() < ScriptReader::sample_size) {
            return;
        }
        decide(reader);
    }
    take(bytes, reader);
}

void CommentFix::finish(ScriptReader& reader) {
    if (!decided_) {
        decide(reader);
    }
    if (refused_ || line_.empty()) {
        reader.finish();
        return;
    }
    end_line(reader, {}); // the last line, which has no line end
}

// Only UTF-8 (or ASCII) is written back; anything else is left to the reader to refuse or to report.
void CommentFix::decide(ScriptReader& reader) {
    decided_ = true;
    std::string sample;
    sample.swap(sample_);
    if (detect_encoding(sample) != ScriptEncoding::Bytes) {
        refused_ = true;
        reader.feed(sample);
        return;
    }
    reader.take_as_bytes();
    if (sample.starts_with(utf8_byte_order_mark)) {
        byte_order_mark_ = utf8_byte_order_mark.size();
    }
    take(sample, reader);
}

// Splits the bytes into lines as the scanner does: at a line feed, a carriage return and line feed, or a
// carriage return alone. A line goes to the reader whole, with its line end, so that its statements are
// reported before it is written.
void CommentFix::take(std::string_view bytes, ScriptReader& reader) {
    if (refused_) {
        reader.feed(bytes);
        return;
    }
    while (!bytes.empty()) {
        if (after_carriage_return_ && bytes.front() == '\n') {
            reader.feed(bytes.substr(0, 1));
            out_.pending() += '\n';
            bytes.remove_prefix(1);
        }
        after_carriage_return_ = false;
        const auto end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        line_.append(bytes.substr(0, end));
        bytes.remove_prefix(end);
        if (bytes.empty()) {
            return;
        }
        after_carriage_return_ = bytes.front() == '\r';
        end_line(reader, bytes.substr(0, 1));
        bytes.remove_prefix(1);
    }
}

void CommentFix::end_line(ScriptReader& reader, std::string_view line_end) {
    reader.feed(line_);
    if (line_end.empty()) {
        reader.finish();
    } else {
        reader.feed(line_end);
    }
    std::sort(edits_.begin(), edits_.end(), [](const Edit& a, const Edit& b) { return a.from > b.from; });
    for (const auto& edit : edits_) {
        const auto from = std::min(edit.from, line_.size());
        line_.replace(from, std::min(edit.to, line_.size()) - from, edit.text);
    }
    edits_.clear();
    out_.pending() += line_;
    out_.pending() += line_end;
    out_.flush_if_full();
    line_.clear();
    ++line_number_;
}

} // namespace qxrfanuc::cli
