// PrintFloat against the C library's conversion of the same values to twenty
// significant digits ("%.19Le"), on two sets per format: a fixed set of
// magnitudes from subnormal to near overflow, and 4,096 random normal values
// of every magnitude. After the table it prints, per set, how many times as
// fast PrintFloat is as the C library in this run.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "views/float_printer.h"

namespace {

const double FixedDoubles[] = {
    0.1,
    -1.0 / 3,
    123456.789,
    1e27,
    1e28,
    1.5e-10,
    6.02214076e23,
    -2.718281828459045e-300,
    1.7976931348623157e308,
    2.2250738585072014e-308,
    0.5,
    3.0,
    9.999999999999999e52,
    1e-9,
    42.125,
    -7e150,
};

// One benchmark set: each value as PrintFloat reads it (size bytes) and as the
// long double snprintf takes (exact for both formats).
struct ValueSet {
    std::vector<std::array<uint8_t, 10>> bytes;
    std::vector<long double> values;

    void Add(long double value, uint8_t size)
    {
        std::array<uint8_t, 10> image{};
        if (size == 8) {
            double d = static_cast<double>(value);
            std::memcpy(image.data(), &d, 8);
        } else {
            std::memcpy(image.data(), &value, 10);
        }
        bytes.push_back(image);
        values.push_back(value);
    }
};

ValueSet MakeFixed(uint8_t size)
{
    ValueSet set;
    // The double magnitudes, widened for the extended set, which also gets
    // values only the extended format holds.
    const long double extra[] = {1e4000L, -3.3621031431120935e-4932L, 1.1e-4920L, 1e-1000L};
    for (int i = 0; i < 16; ++i)
        set.Add(size == 8 || i < 12 ? static_cast<long double>(FixedDoubles[i]) : extra[i - 12], size);
    return set;
}

// Normal values with a uniformly random sign, exponent field (1 to all ones
// minus 1) and fraction: every magnitude of the format equally often.
ValueSet MakeRandomNormal(uint8_t size)
{
    constexpr int Count = 4096;
    std::mt19937_64 random(size);
    ValueSet set;
    for (int i = 0; i < Count; ++i) {
        uint64_t bits = random();
        long double value;
        if (size == 8) {
            uint64_t field = 1 + random() % 2046;
            uint64_t image = (bits & 0x800FFFFFFFFFFFFFu) | (field << 52);
            double d;
            std::memcpy(&d, &image, 8);
            value = d;
        } else {
            uint8_t image[16] = {};
            uint64_t significand = bits | 0x8000000000000000u;
            uint16_t signExponent = static_cast<uint16_t>((1 + random() % 32766) | (random() % 2) << 15);
            std::memcpy(image, &significand, 8);
            std::memcpy(image + 8, &signExponent, 2);
            std::memcpy(&value, image, 10);
        }
        set.Add(value, size);
    }
    return set;
}

const ValueSet& Set(uint8_t size, bool random)
{
    static const ValueSet sets[4] = {MakeFixed(8), MakeRandomNormal(8), MakeFixed(10), MakeRandomNormal(10)};
    return sets[(size == 10 ? 2 : 0) + (random ? 1 : 0)];
}

// Arguments: size (8 or 10), set (0 fixed, 1 random normal).
void PrintFloatBench(benchmark::State& state)
{
    uint8_t size = static_cast<uint8_t>(state.range(0));
    const ValueSet& set = Set(size, state.range(1) != 0);
    size_t count = set.bytes.size();
    char out[32];  // 28 characters and the NUL with the budget 28
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PrintFloat(out, set.bytes[i].data(), size, 28));
        benchmark::ClobberMemory();
        i = i + 1 == count ? 0 : i + 1;
    }
}

void SnprintfBench(benchmark::State& state)
{
    const ValueSet& set = Set(static_cast<uint8_t>(state.range(0)), state.range(1) != 0);
    size_t count = set.values.size();
    char out[40];
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::snprintf(out, sizeof out, "%.19Le", set.values[i]));
        benchmark::ClobberMemory();
        i = i + 1 == count ? 0 : i + 1;
    }
}

}  // namespace

BENCHMARK(PrintFloatBench)->ArgNames({"size", "random"})->ArgsProduct({{8, 10}, {0, 1}});
BENCHMARK(SnprintfBench)->ArgNames({"size", "random"})->ArgsProduct({{8, 10}, {0, 1}});

int main(int argc, char** argv)
{
    return RunWithRatios(argc, argv, [](const RatioReporter& reporter) {
        std::printf("\nPrintFloat against snprintf(\"%%.19Le\"), CPU time per call, times as fast:\n");
        const char* const sets[] = {"size:8/random:0", "size:8/random:1", "size:10/random:0",
                                    "size:10/random:1"};
        const char* const labels[] = {"doubles, fixed set", "doubles, random normal", "extended, fixed set",
                                      "extended, random normal"};
        for (int i = 0; i < 4; ++i)
            reporter.PrintRatio(labels[i], std::string("PrintFloatBench/") + sets[i],
                                std::string("SnprintfBench/") + sets[i]);
    });
}
