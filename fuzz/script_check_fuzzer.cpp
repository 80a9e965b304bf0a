// SPDX-License-Identifier: MIT
// Checks the script checker on the input as a script (any bytes: nothing may crash, hang or read out of
// bounds, and runs of bytes read as each byte on its own does), then on the two statements the generator
// writes for inputs taken from it: they must decode back to those very inputs, the comment's QXR register
// included, with no finding but range.
#include "script_reader.h"
#include "script_strings.h"

#include <array>
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

struct Checked {
    std::vector<qxrfanuc::StatementCheck> results;
    std::string transcript; // every finding with its place, and what each statement decodes to
};

void write_finding(std::string& transcript, std::size_t line, std::size_t column,
                   const qxrfanuc::Finding& finding) {
    transcript += std::to_string(line) + ':' + std::to_string(column) + ' ' + std::string(finding.name()) +
                  ' ' + finding.message + '\n';
}

// Fed in two pieces, so that a statement, a comment or a byte order mark may be cut between reads.
Checked check_script(std::string_view script, std::size_t split,
                     qxrfanuc::Reading reading = qxrfanuc::Reading::InRuns) {
    Checked checked;
    qxrfanuc::ScriptReader reader(
        [&](const qxrfanuc::ScannedStatement& statement, const qxrfanuc::StatementCheck& result) {
            fail_if(statement.line == 0 || statement.column == 0);
            for (const auto& finding : result.findings) {
                write_finding(checked.transcript, statement.line, statement.column, finding);
            }
            if (result.inputs) {
                checked.transcript += std::to_string(result.inputs->qxr) + ',' +
                                      std::to_string(result.inputs->fanuc) + ',' +
                                      std::to_string(result.inputs->items) + '\n';
            }
            checked.results.push_back(result);
        },
        [&](std::size_t line, std::size_t column, const qxrfanuc::Finding& finding) {
            fail_if(line == 0 || column == 0);
            write_finding(checked.transcript, line, column, finding);
        },
        reading);
    split = std::min(split, script.size());
    reader.feed(script.substr(0, split));
    reader.feed(script.substr(split));
    reader.finish();
    return checked;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Runs of bytes taken at once read exactly as every byte on its own.
    fail_if(check_script(bytes, size / 2).transcript !=
            check_script(bytes, size / 3, qxrfanuc::Reading::ByteByByte).transcript);

    FuzzedDataProvider provider(data, size);
    const auto qxr = provider.ConsumeIntegral<std::int16_t>();
    const auto fanuc = provider.ConsumeIntegral<std::int16_t>();
    const auto items = provider.ConsumeIntegral<std::int16_t>();
    const auto choice = provider.ConsumeIntegral<std::uint8_t>() % 3;
    const auto split = provider.ConsumeIntegral<std::size_t>();
    constexpr std::array<std::string_view, 3> types{qxrfanuc::general_register_type,
                                                    qxrfanuc::position_register_type, std::string_view()};
    const std::string_view type = types.at(choice);
    const auto generated = qxrfanuc::generate_script_strings(std::to_string(qxr), std::to_string(fanuc),
                                                             std::to_string(items), type);
    if (!generated) {
        return 0;
    }
    const auto results =
        check_script("\xEF\xBB\xBF" + generated->readstring + "\r\n" + generated->writestring, split).results;
    fail_if(results.size() != 2);
    for (const auto& result : results) {
        for (const auto& finding : result.findings) {
            fail_if(finding.check != qxrfanuc::Check::Range);
        }
        if (!result.inputs) {
            std::abort();
        }
        const auto& inputs = *result.inputs;
        fail_if(inputs.qxr != qxr || inputs.fanuc != fanuc || inputs.items != items ||
                inputs.type != std::array{qxrfanuc::RegisterType::General, qxrfanuc::RegisterType::Position,
                                          qxrfanuc::RegisterType::Unnamed}
                                   .at(choice));
    }
    return 0;
}
