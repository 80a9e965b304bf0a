// SPDX-License-Identifier: MIT
#include "int16.h"
#include "script_strings.h"

#include <string>

#include <benchmark/benchmark.h>

namespace {

using qxrfanuc::generate_script_strings;

void BM_Generate(benchmark::State& state, std::string_view qxr, std::string_view fanuc,
                 std::string_view items, std::string_view type) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(generate_script_strings(qxr, fanuc, items, type));
    }
}
BENCHMARK_CAPTURE(BM_Generate, defaults_R, "12", "1", "1", qxrfanuc::general_register_type);
BENCHMARK_CAPTURE(BM_Generate, odd_qxr_R, "13", "10", "5", qxrfanuc::general_register_type);
BENCHMARK_CAPTURE(BM_Generate, position_register, "100", "3", "2", qxrfanuc::position_register_type);
BENCHMARK_CAPTURE(BM_Generate, address_overflow, "12", "8192", "1", qxrfanuc::general_register_type);

void BM_FromText(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(qxrfanuc::int16_from_text(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK_CAPTURE(BM_FromText, short, std::string("12"));
BENCHMARK_CAPTURE(BM_FromText, padded_negative, std::string("  -32768  "));
BENCHMARK_CAPTURE(BM_FromText, fraction, std::string("12.5"));
BENCHMARK_CAPTURE(BM_FromText, not_a_number, std::string("12a"));
BENCHMARK_CAPTURE(BM_FromText, one_megabyte_of_zeros, std::string(1 << 20, '0') + "12");
BENCHMARK_CAPTURE(BM_FromText, one_megabyte_of_digits, std::string(1 << 20, '7'));

} // namespace
