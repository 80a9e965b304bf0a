// SPDX-License-Identifier: MIT
// The checker in process on a script of the size a background script has: 300 generated statements, read
// and write in turn, checked with comments fixed.
#include "script_check.h"
#include "script_strings.h"

#include <string>

#include <benchmark/benchmark.h>

namespace {

std::string generated_script(int statements) {
    std::string script;
    for (int i = 0; i < statements / 2; ++i) {
        const auto generated = qxrfanuc::generate_script_strings(
            std::to_string(12 + (2 * i)), std::to_string(1 + i), "1", qxrfanuc::general_register_type);
        script += generated->readstring + "\n" + generated->writestring + "\n";
    }
    return script;
}

void BM_CheckScript(benchmark::State& state) {
    const std::string script = generated_script(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t findings = 0;
        qxrfanuc::check_script(
            script, qxrfanuc::CommentFixing::On,
            qxrfanuc::CheckSinks{[&](const qxrfanuc::Finding&) { ++findings; },
                                 [](const qxrfanuc::Statement&, const qxrfanuc::StatementMeaning&) {},
                                 [&](const qxrfanuc::Edit&) { ++findings; }});
        benchmark::DoNotOptimize(findings);
    }
}
BENCHMARK(BM_CheckScript)->Arg(300)->Unit(benchmark::kMicrosecond);

} // namespace
