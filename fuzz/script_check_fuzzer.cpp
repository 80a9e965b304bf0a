// SPDX-License-Identifier: MIT
// Checks the script checker on the input as a script (any bytes): nothing may crash, hang or read out of
// bounds; every finding has its place and a message; the comments a fix writes lie only where a statement's
// comment stood or ends its line; fixing the fixed text again changes nothing, and finds no more comments
// that do not tell the truth than the first fix reported it could not rewrite. Then the two statements
// the generator writes for inputs taken from the input must decode back to those very inputs, the comment's
// QXR register included, with no finding but range.
#include "script_check.h"
#include "script_strings.h"
#include "script_text.h"

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

namespace {

void fail_if(bool failed) {
    if (failed) {
        std::abort();
    }
}

struct Fixed {
    std::string text; // with every edit made
    std::vector<qxrfanuc::StatementCheck> results;

    [[nodiscard]] std::size_t count(qxrfanuc::Check check) const {
        std::size_t found = 0;
        for (const auto& result : results) {
            for (const auto& finding : result.findings) {
                found += finding.check == check ? 1 : 0;
            }
        }
        return found;
    }
};

Fixed fix(const std::string& text) {
    Fixed fixed;
    std::vector<qxrfanuc::Edit> edits;
    qxrfanuc::check_script(
        text, qxrfanuc::CommentFixing::On,
        [&](const qxrfanuc::Statement& statement, const qxrfanuc::StatementCheck& result) {
            fail_if(statement.line == 0 || statement.column == 0);
            for (const auto& finding : result.findings) {
                fail_if(finding.message.empty());
            }
            if (result.edit) {
                // Past the statement's ) and its ;, or in place of its comment's text, up to the line end at
                // most.
                const auto& edit = *result.edit;
                fail_if(edit.length == 0 ? edit.offset != statement.end_offset || statement.comment
                                         : edit.offset != statement.comment_offset ||
                                               edit.offset + edit.length > statement.line_end);
                fail_if(!edits.empty() && edits.back().offset + edits.back().length > edit.offset);
                edits.push_back(edit);
            }
            fixed.results.push_back(result);
        },
        [&](std::size_t line, std::size_t column, const qxrfanuc::Finding& finding) {
            fail_if(line == 0 || column == 0 || finding.message.empty());
        });
    fixed.text = qxrfanuc::with_edits(text, edits);
    return fixed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto script = qxrfanuc::decode_script(std::string(bytes))) {
        const auto once = fix(script->text);
        const auto twice = fix(once.text);
        fail_if(twice.text != once.text);
        fail_if(twice.count(qxrfanuc::Check::Comment) > once.count(qxrfanuc::Check::Unfixed));
    }

    FuzzedDataProvider provider(data, size);
    const auto qxr = provider.ConsumeIntegral<std::int16_t>();
    const auto fanuc = provider.ConsumeIntegral<std::int16_t>();
    const auto items = provider.ConsumeIntegral<std::int16_t>();
    const auto& type = qxrfanuc::register_types.at(provider.ConsumeIntegral<std::uint8_t>() %
                                                   qxrfanuc::register_types.size());
    const auto generated = qxrfanuc::generate_script_strings(std::to_string(qxr), std::to_string(fanuc),
                                                             std::to_string(items), type.text);
    if (!generated) {
        return 0;
    }
    const auto checked = fix(generated->readstring + "\r\n" + generated->writestring);
    fail_if(checked.results.size() != 2);
    for (const auto& result : checked.results) {
        for (const auto& finding : result.findings) {
            fail_if(finding.check != qxrfanuc::Check::Range);
        }
        fail_if(result.edit.has_value());
        if (!result.inputs) {
            std::abort();
        }
        const auto& inputs = *result.inputs;
        fail_if(inputs.qxr != qxr || inputs.fanuc != fanuc || inputs.items != items ||
                inputs.type != type.type);
    }
    return 0;
}
