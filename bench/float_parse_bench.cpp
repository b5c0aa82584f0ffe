// ParseFloat against the C library's strtold on the same texts: the texts
// the float field shows for a spread of magnitudes, typed back.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "bench/ratio_reporter.h"
#include "views/float_parser.h"

namespace {

const char* const Texts[] = {
    "0.10000000000000000555",
    "-0.33333333333333331484",
    "123456.7890000000043",
    "1000000000000000013200000000",
    "1.4999999999999999e-10",
    "1.7976931348623157e308",
    "2.2250738585072013e-308",
    "3.1415927410125732421",
    "1.1897314953572317649e4932",
    "3.3621031431120935034e-4932",
    "9.69060253600051052e-4915",
    "0.5",
    "-2.5",
    "1.0e30",
    "42",
    "6.0221407599999999e23",
};
constexpr int Count = 16;

void ParseFloatTexts(benchmark::State& state)
{
    uint8_t out[10];
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseFloat(Texts[i], out));
        benchmark::ClobberMemory();
        i = (i + 1) % Count;
    }
}

void StrtoldTexts(benchmark::State& state)
{
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::strtold(Texts[i], nullptr));
        i = (i + 1) % Count;
    }
}

}  // namespace

BENCHMARK(ParseFloatTexts);
BENCHMARK(StrtoldTexts);

int main(int argc, char** argv)
{
    return RunWithRatios(argc, argv, [](const RatioReporter& reporter) {
        std::printf("\nParseFloat against strtold, CPU time per call, times as fast:\n");
        reporter.PrintRatio("the field's texts", "ParseFloatTexts", "StrtoldTexts");
    });
}
