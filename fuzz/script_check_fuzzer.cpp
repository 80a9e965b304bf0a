// SPDX-License-Identifier: MIT
// Checks the script checker on the input as a script (any bytes): nothing may crash, hang or read out of
// bounds; every finding has its place and a message; the edits of a fix come in the text's order and replace
// only blanks, an empty // or the generator's own form, each on one line and just after a finding on that
// line (the one that says why, which a findings document gives it with); fixing the fixed text again changes
// nothing, rewrites nothing, and leaves as many comments not compared. Then the two statements the generator
// writes for inputs taken from the input must decode back to those very inputs, with no finding but range and
// an odd QXR register's note, and no edit.
#include "generator_comment.h"
#include "script_check.h"
#include "script_lines.h"
#include "script_strings.h"
#include "script_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
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
    std::vector<std::optional<qxrfanuc::DecodedInputs>> inputs;
    std::vector<qxrfanuc::Check> checks;
    std::size_t not_compared = 0;

    [[nodiscard]] std::size_t count(qxrfanuc::Check check) const {
        return static_cast<std::size_t>(std::ranges::count(checks, check));
    }
};

Fixed fix(const std::string& text) {
    Fixed fixed;
    qxrfanuc::EditedText edited(text, [&](std::string_view piece) { fixed.text += piece; });
    std::size_t last_edit_end = 0;
    std::optional<std::size_t> finding_line; // of the finding just before, if no edit came after it
    qxrfanuc::cli::ScriptLines lines(text);  // as a findings document places the edits
    const auto unread = qxrfanuc::check_script(
        text, qxrfanuc::CommentFixing::On,
        qxrfanuc::CheckSinks{
            [&](const qxrfanuc::Finding& finding) {
                fail_if(finding.line == 0 || finding.column == 0 || finding.message.empty());
                fixed.checks.push_back(finding.check);
                finding_line = finding.line;
            },
            [&](const qxrfanuc::Statement& statement, const qxrfanuc::StatementMeaning& meaning) {
                fail_if(statement.line == 0 || statement.column == 0);
                fixed.inputs.push_back(meaning.inputs);
            },
            [&](const qxrfanuc::Edit& edit) {
                // In the order of the text, none overlapping another, and only ever over blanks, a // or the
                // generator's own form.
                fail_if(edit.offset < last_edit_end || edit.offset + edit.length > text.size());
                const auto replaced = std::string_view(text).substr(edit.offset, edit.length);
                fail_if(!replaced.empty() && !replaced.starts_with("//") &&
                        !qxrfanuc::read_generator_comment(replaced));
                fail_if(replaced.find_first_of("\r\n") != std::string_view::npos);
                fail_if(finding_line != lines.place_of(edit.offset).line);
                finding_line.reset();
                last_edit_end = edit.offset + edit.length;
                edited.edit(edit);
            }});
    edited.finish();
    fixed.not_compared = unread.comments_not_compared;
    return fixed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto script = qxrfanuc::decode_script(std::string(bytes))) {
        // Fixing twice changes nothing more, and what the fix leaves is what it reported leaving.
        const auto once = fix(script->text);
        const auto twice = fix(once.text);
        fail_if(twice.text != once.text);
        fail_if(twice.count(qxrfanuc::Check::Comment) > once.count(qxrfanuc::Check::Comment));
        fail_if(twice.count(qxrfanuc::Check::Fixed) != 0);
        fail_if(twice.not_compared != once.not_compared);
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
    // Each on its own: together, the two meet on the QXR side by design.
    for (const auto& statement : {generated->readstring, generated->writestring}) {
        const auto checked = fix(statement);
        fail_if(checked.inputs.size() != 1 || checked.text != statement);
        fail_if(std::ranges::any_of(checked.checks, [](qxrfanuc::Check check) {
            return check != qxrfanuc::Check::Range && check != qxrfanuc::Check::QxrOdd;
        }));
        const auto& inputs = checked.inputs.front();
        fail_if(!inputs || inputs->qxr != qxr || inputs->fanuc != fanuc || inputs->items != items ||
                inputs->type != type.type);
    }
    return 0;
}
