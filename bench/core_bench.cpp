#include "int16.h"
#include "script_strings.h"

#include <string>

#include <benchmark/benchmark.h>

namespace {

using qxrfanuc::generate_script_strings;

void BM_GenerateDefaultsR(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(generate_script_strings("12", "1", "1", qxrfanuc::general_register_type));
    }
}
BENCHMARK(BM_GenerateDefaultsR);

void BM_GenerateOddQxrR(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(generate_script_strings("13", "10", "5", qxrfanuc::general_register_type));
    }
}
BENCHMARK(BM_GenerateOddQxrR);

void BM_GeneratePositionRegister(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(generate_script_strings("100", "3", "2", qxrfanuc::position_register_type));
    }
}
BENCHMARK(BM_GeneratePositionRegister);

void BM_GenerateFailure(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(generate_script_strings("12", "8192", "1", qxrfanuc::general_register_type));
    }
}
BENCHMARK(BM_GenerateFailure);

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
