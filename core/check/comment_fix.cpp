// SPDX-License-Identifier: MIT
#include "comment_fix.h"

#include "generator_comment.h"
#include "script_strings.h"
#include "text_bytes.h"

#include <algorithm>

namespace qxrfanuc {

namespace {

// The comment the generator writes for the inputs, from its first word on.
std::string generator_comment_for(const DecodedInputs& inputs, bool is_write) {
    const auto statements = generate_script_strings(std::to_string(inputs.qxr), std::to_string(inputs.fanuc),
                                                    std::to_string(inputs.items), names_of(inputs.type).text);
    const std::string& statement = is_write ? statements->writestring : statements->readstring;
    return statement.substr(statement.find(statement_text::call_end) + statement_text::call_end.size());
}

Finding qxr_choice(std::span<const std::int16_t> registers, std::int64_t index, std::int16_t written) {
    std::string all = std::to_string(registers.front());
    for (std::size_t i = 1; i < registers.size(); ++i) {
        all += (i + 1 == registers.size() ? " and " : ", ") + std::to_string(registers[i]);
    }
    return {Check::QxrChoice, "QXR registers " + all + (registers.size() == 2 ? " both" : " all") +
                                  " halve to the QXR index " + std::to_string(index) +
                                  "; the comment written names " + std::to_string(written) +
                                  ", the even one"};
}

bool has(const StatementCheck& result, Check check) {
    return std::ranges::any_of(result.findings,
                               [check](const Finding& finding) { return finding.check == check; });
}

// Why the generator's comment cannot be written where the statement's comment does not tell the truth (a
// comment finding) or holds the generator's wording out of its form (a comment-form note).
std::optional<std::string> why_not_fixed(const Statement& statement, const StatementCheck& result, bool own) {
    if (!has(result, Check::Comment) && !has(result, Check::CommentForm)) {
        return std::nullopt;
    }
    if (!result.inputs) {
        return "the statement decodes to no generator inputs, so there is no comment to write for it";
    }
    if (statement.code_before_comment) {
        return "code or another comment stands between the statement and its comment";
    }
    if (own) {
        return "it holds the generator's wording dressed otherwise, and --fix rewrites only comments that "
               "begin with it";
    }
    return "it is a /* */ comment, and --fix writes // comments only";
}

} // namespace

void fix_comment(const Statement& statement, const StatementDecoding& decoding,
                 const std::optional<GeneratorComment>& old_comment, StatementCheck& result) {
    if (result.comment_agrees) {
        return;
    }
    const bool own =
        statement.comment && !without_blanks(*statement.comment).starts_with(generator_comment_start);
    const bool writable = result.inputs && statement.rest_of_line;
    if (writable && own && !has(result, Check::CommentForm)) {
        result.findings.push_back(
            {Check::OwnComment, "the script's own comment is kept, so the generator's is not written"});
        return;
    }
    if (!writable || own || !result.inputs) {
        if (const auto why = why_not_fixed(statement, result, own)) {
            result.findings.push_back({Check::Unfixed, "--fix leaves the comment as it is: " + *why});
        }
        return;
    }
    const std::string comment = generator_comment_for(*result.inputs, statement.is_write);
    if (statement.comment) {
        // In place of the comment up to the line end, or up to the end of its form when words follow.
        const std::size_t text_start = statement.comment_offset;
        const bool words_after = old_comment && !without_blanks(old_comment->words_after).empty();
        const std::size_t end =
            words_after
                ? text_start + std::size_t(old_comment->words_after.data() - statement.comment->data())
                : statement.line_end;
        result.edit = Edit{text_start, end - text_start, " " + comment};
    } else {
        // The generator's own blanks and // between the call and its comment.
        const std::string_view before_comment = statement_text::call_end.substr(2);
        result.edit = Edit{statement.end_offset, 0, std::string(before_comment) + comment};
    }
    const auto registers = decoding.qxr_registers();
    if (!result.inputs->qxr_from_comment && registers.size() > 1) {
        // Every candidate halves to the statement's index, the written one too.
        result.findings.push_back(qxr_choice(registers, qxr_index(result.inputs->qxr), result.inputs->qxr));
    }
}

std::string with_edits(std::string_view text, std::span<const Edit> edits) {
    std::string out;
    std::size_t copied = 0;
    for (const auto& edit : edits) {
        out.append(text.substr(copied, edit.offset - copied));
        out += edit.text;
        copied = edit.offset + edit.length;
    }
    out.append(text.substr(copied));
    return out;
}

} // namespace qxrfanuc
