// SPDX-License-Identifier: MIT
#include "comment_fix.h"

#include "script_strings.h"
#include "text_bytes.h"

namespace qxrfanuc {

std::string generator_comment_for(const DecodedInputs& inputs, bool is_write) {
    const auto statements = generate_script_strings(std::to_string(inputs.qxr), std::to_string(inputs.fanuc),
                                                    std::to_string(inputs.items), names_of(inputs.type).text);
    const std::string& statement = is_write ? statements->writestring : statements->readstring;
    return statement.substr(statement.find(statement_text::call_end) + statement_text::call_end.size());
}

Edit added_comment(std::string_view text, const Statement& statement, const DecodedInputs& inputs) {
    const std::string comment = generator_comment_for(inputs, statement.is_write);
    // The generator's own blanks and // between the call and its comment.
    const std::string_view before_comment = statement_text::call_end.substr(2);
    std::size_t at = statement.end_offset;
    while (at < statement.comments_end && is_script_blank(text[at])) {
        ++at;
    }
    if (text.substr(at).starts_with("//")) {
        return {at, statement.comments_end - at, "// " + comment};
    }
    return {statement.end_offset, 0, std::string(before_comment) + comment};
}

Edit rewritten_form(std::size_t text_offset, const GeneratorComment& form, const DecodedInputs& inputs,
                    bool is_write) {
    return {text_offset + form.form_start, form.form_end - form.form_start,
            generator_comment_for(inputs, is_write)};
}

std::string qxr_choice(std::span<const std::int16_t> registers, std::int16_t written) {
    std::string all = std::to_string(registers.front());
    for (std::size_t i = 1; i < registers.size(); ++i) {
        all += (i + 1 == registers.size() ? " and " : ", ") + std::to_string(registers[i]);
    }
    return "QXR registers " + all + (registers.size() == 2 ? " both" : " all") + " halve to the QXR index " +
           std::to_string(qxr_index(written)) + "; the comment written names " + std::to_string(written) +
           ", the even one";
}

} // namespace qxrfanuc
